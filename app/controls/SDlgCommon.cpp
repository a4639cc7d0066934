#include "app/controls/SDlgCommon.h"

#include <algorithm>

#include "app/controls/ApplyThemeStyle.h"
#include "app/controls/WindowDpiPercent.h"
#include "app/core/UiCallDispatcher.h"
#include "dui/core/SApplication.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SDpiScale.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/SMessageLoop.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

SDlgCommon::SDlgCommon(SHostWnd& host)
    : m_host(host), m_themePool(SRefPtr<SStylePool>::Adopt(new SStylePool()))
{
}

SDlgCommon::~SDlgCommon()
{
    RemoveTooltipManager();
    ForgetThemePool();
}

BOOL SDlgCommon::Reflect(CSimpleWnd& wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    BOOL reflected = FALSE;
    const LRESULT answer = wnd.ReflectNotifications(msg, wp, lp, reflected);
    // A colour message a child answers with no brush is left to the system.
    if (!reflected || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && answer == 0))
        return FALSE;
    result = answer;
    return TRUE;
}

void SDlgCommon::RemoveMsgPart(SWindow* part)
{
    auto it = std::find(m_parts.begin(), m_parts.end(), part);
    if (it != m_parts.end())
        m_parts.erase(it);
}

bool SDlgCommon::IsPartMessage(UINT msg)
{
    if (msg == WM_COPYDATA || msg == WM_COMMAND || msg == WM_TIMER)
        return true;
    return msg >= WM_USER && msg != UM_UI_CALL;
}

BOOL SDlgCommon::OfferToParts(UINT msg, WPARAM wp, LPARAM lp)
{
    // A part's handler may add or remove parts: the walk goes over a copy
    // and passes over parts that have left the list meanwhile.
    const std::vector<SWindow*> parts = m_parts;
    for (SWindow* part : parts) {
        if (std::find(m_parts.begin(), m_parts.end(), part) == m_parts.end())
            continue;
        BOOL handled = FALSE;
        part->DeliverSwndMessage(msg, wp, lp, &handled);
        if (handled)
            return TRUE;
    }
    return FALSE;
}

void SDlgCommon::ForgetThemePool()
{
    if (SStylePoolMgr* mgr = SStylePoolMgr::GetInstance())
        mgr->PopPool(m_themePool.Get());
}

void SDlgCommon::ApplyThemedStyles(xmldom::xml_node root)
{
    if (m_themePool->GetCount() > 0) {
        m_themePool->RemoveAll();
        ForgetThemePool();
    }
    ApplyThemeStyle(root.child(L"themeStyle", false), m_themePool.Get());
    if (m_themePool->GetCount() > 0) {
        if (SStylePoolMgr* mgr = SStylePoolMgr::GetInstance())
            mgr->PushPool(m_themePool.Get());
    }
}

namespace {

SRefPtr<IToolTipFactory>& RegisteredManagerFactory()
{
    static SRefPtr<IToolTipFactory> factory;
    return factory;
}

} // namespace

void SDlgCommon::SetTooltipManagerFactory(IToolTipFactory* factory)
{
    RegisteredManagerFactory() = SRefPtr<IToolTipFactory>::Share(factory);
}

IToolTipFactory* SDlgCommon::GetTooltipManagerFactory()
{
    return RegisteredManagerFactory().Get();
}

void SDlgCommon::InstallTooltipManager()
{
    IToolTip* hostTip = m_host.GetToolTip();
    IToolTipFactory* managers = GetTooltipManagerFactory();
    if (!hostTip || !m_useTooltipManager || !managers || m_tooltipManager)
        return;
    IToolTip* manager = managers->CreateToolTip(m_host.GetHwnd());
    if (!manager) {
        DUI_LOG_WARNING("app", "SDlgCommon::InstallTooltipManager", L"no tooltip manager: the host keeps its tooltip");
        return;
    }
    SMessageLoop* loop = m_host.GetMsgLoop();
    if (loop)
        loop->RemoveMessageFilter(hostTip);
    SApplication* app = SApplication::GetInstance();
    if (IToolTipFactory* factory = app ? app->GetToolTipFactory() : nullptr)
        factory->DestroyToolTip(hostTip);
    m_managerFactory = SRefPtr<IToolTipFactory>::Share(managers);
    m_tooltipManager = manager;
    m_host.SetToolTip(manager);
    if (loop)
        loop->AddMessageFilter(manager);
}

void SDlgCommon::RemoveTooltipManager()
{
    if (!m_tooltipManager)
        return;
    if (m_host.GetToolTip() == m_tooltipManager) {
        if (SMessageLoop* loop = m_host.GetMsgLoop())
            loop->RemoveMessageFilter(m_tooltipManager);
        m_host.SetToolTip(nullptr);
    }
    m_managerFactory->DestroyToolTip(m_tooltipManager);
    m_tooltipManager = nullptr;
    m_managerFactory.Reset();
}

SIZE SDlgCommon::LayoutSize(int scale) const
{
    const SHostWndAttr& attr = m_host.GetHostAttr();
    return SIZE{attr.GetWidth().ToPixel(scale), attr.GetHeight().ToPixel(scale)};
}

RECT SDlgCommon::RepairedRect(const RECT& window, SIZE layout, SIZE screen)
{
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    if (layout.cx == 0 || layout.cy == 0 || height >= layout.cy)
        return window;
    const int newWidth = width < layout.cx ? std::min(layout.cx, screen.cx) : width;
    const int newHeight = std::min(layout.cy, screen.cy);
    return RECT{window.left, window.top, window.left + newWidth, window.top + newHeight};
}

void SDlgCommon::RepairAfterDisplayChange(int screenWidth, int screenHeight)
{
    const RECT window = m_host.GetNativeWindowRect();
    const RECT repaired = RepairedRect(window, LayoutSize(m_host.GetScale()), SIZE{screenWidth, screenHeight});
    if (!::EqualRect(&window, &repaired))
        ::MoveWindow(m_host.GetHwnd(), repaired.left, repaired.top, repaired.right - repaired.left,
                     repaired.bottom - repaired.top, TRUE);
}

RECT SDlgCommon::ScaledAboutCentre(const RECT& rc, int scale)
{
    const int w = (rc.right - rc.left) * scale / 100;
    const int h = (rc.bottom - rc.top) * scale / 100;
    const int left = (rc.left + rc.right) / 2 - w / 2;
    const int top = (rc.top + rc.bottom) / 2 - h / 2;
    return RECT{left, top, left + w, top + h};
}

bool SDlgCommon::DpiTarget(UINT msg, WPARAM wp, LPARAM lp, int& scale, RECT& rc) const
{
    if (SLayoutSize::GetDefaultUnit() != SLayoutSize::dp)
        return false;
    if (msg == WM_INITDIALOG) {
        scale = NormalizeScale(WindowDpiPercent(m_host.GetHwnd()));
        rc = ScaledAboutCentre(m_host.GetNativeWindowRect(), scale);
        return true;
    }
    if (msg == WM_DPICHANGED && lp) {
        scale = NormalizeScale(DpiToPercent(HIWORD(wp)));
        rc = *reinterpret_cast<const RECT*>(lp);
        return true;
    }
    return false;
}

void SDlgCommon::Rescale(int scale, const RECT& rc)
{
    const int current = m_host.GetScale();
    if (scale == current || current <= 0)
        return;
    const float ratio = static_cast<float>(scale) / static_cast<float>(current);
    const RECT root = m_host.SWindow::GetWindowRect();
    int w = static_cast<int>(static_cast<float>(root.right - root.left) * ratio);
    int h = static_cast<int>(static_cast<float>(root.bottom - root.top) * ratio);
    const SIZE layout = LayoutSize(scale);
    m_host.BroadcastMessage(UM_SETSCALE, static_cast<WPARAM>(scale));
    w = std::max(w, static_cast<int>(layout.cx));
    h = std::max(h, static_cast<int>(layout.cy));
    ::SetWindowPos(m_host.GetHwnd(), nullptr, rc.left, rc.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace DUI
