#include "dui/core/SHostWnd.h"

#include <cwchar>

#include "dui/core/base/DuiLog.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SMessageLoop.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/base/SlotFunctor.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

namespace {

xmldom::xml_node ChildNoCase(xmldom::xml_node parent, LPCWSTR name)
{
    for (xmldom::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() == xmldom::node_element && _wcsicmp(c.name(), name) == 0)
            return c;
    }
    return xmldom::xml_node();
}

bool HasElementChild(xmldom::xml_node section)
{
    for (xmldom::xml_node c = section.first_child(); c; c = c.next_sibling()) {
        if (c.type() == xmldom::node_element)
            return true;
    }
    return false;
}

template <class Mgr, class Pool>
void PopFrom(Mgr* mgr, Pool* pool)
{
    if (mgr && pool)
        mgr->PopPool(pool);
}

} // namespace

SHostWnd::SHostWnd(LPCWSTR layout)
    : m_layoutName(layout ? layout : L""),
      m_stylePool(SRefPtr<SStylePool>::Adopt(new SStylePool())),
      m_skinPool(SRefPtr<SSkinPool>::Adopt(new SSkinPool())),
      m_templatePool(SRefPtr<STemplatePool>::Adopt(new STemplatePool()))
{
    SetContainer(this);
    GetEventSet()->AddEvent(EventInit::EventID, EventInit::EventName());
    GetEventSet()->AddEvent(EventExit::EventID, EventExit::EventName());
}

SHostWnd::~SHostWnd()
{
    // A host freed while its native window lives would leave the window's
    // procedure pointing at freed memory: the window goes first.
    if (GetHwnd() && ::IsWindow(GetHwnd())) {
        // The destruction fires events that hold the root for a while: the
        // count must not reach 0 a second time.
        AddRef();
        ::DestroyWindow(GetHwnd());
    }
    ForgetPrivatePools();
    m_presenter.Reset();
    m_pendingRedraws.clear();
    m_pendingPresents.clear();
    m_memSurface.Reset();
    m_dirtyRegion.Reset();
    m_caret.Reset();
}

void SHostWnd::ForgetPrivatePools()
{
    PopFrom(SStylePoolMgr::GetInstance(), m_stylePool.Get());
    PopFrom(STemplatePoolMgr::GetInstance(), m_templatePool.Get());
    if (SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance(); skins && m_skinPool)
        skins->PopSkinPool(m_skinPool.Get());
}

HWND SHostWnd::Create(HWND owner, int x, int y, int cx, int cy)
{
    return CreateEx(owner, WS_CLIPCHILDREN | WS_MAXIMIZEBOX, 0, x, y, cx, cy);
}

HWND SHostWnd::CreateEx(HWND owner, DWORD style, DWORD exStyle, int x, int y, int cx, int cy)
{
    if (GetHwnd())
        return GetHwnd();
    HWND hwnd = CreateWindow(L"HOSTWND", style, exStyle, x, y, cx, cy, owner, nullptr);
    if (!hwnd)
        return nullptr;
    if (cx == 0 || cy == 0)
        CenterWindow(owner);
    return hwnd;
}

BOOL SHostWnd::DestroyWindow()
{
    return GetHwnd() ? ::DestroyWindow(GetHwnd()) : FALSE;
}

void SHostWnd::SetPresenter(IHostPresenter* presenter)
{
    if (presenter != m_presenter.Get())
        m_presenter = SRefPtr<IHostPresenter>::Share(presenter);
}

SMessageLoop* SHostWnd::GetMsgLoop()
{
    SApplication* app = SApplication::GetInstance();
    return app ? app->GetMsgLoop() : nullptr;
}

int SHostWnd::OnNativeCreate(CREATESTRUCTW* cs)
{
    if (!m_presenter)
        m_presenter = SRefPtr<IHostPresenter>::Adopt(new SHostPresenter(this));
    m_presenter->OnHostCreate();
    m_memSurface = NewPaintSurface(0, 0);
    m_dirtyRegion = NewPaintRegion();
    if (!m_memSurface || !m_dirtyRegion) {
        DUI_LOG_WARNING("dui", "SHostWnd::OnNativeCreate", L"no render factory: the host cannot paint");
        return FailCreation();
    }
    SApplication* app = SApplication::GetInstance();
    if (IToolTipFactory* tips = app ? app->GetToolTipFactory() : nullptr) {
        m_tooltip = tips->CreateToolTip(GetHwnd());
        if (m_tooltip && GetMsgLoop())
            GetMsgLoop()->AddMessageFilter(m_tooltip);
    }
    SetContainer(this);
    if (m_layoutName.IsEmpty())
        return 0;
    // A host whose layout cannot be had is not made at all: a half-built
    // window would show nothing and answer nothing.
    xmldom::xml_document doc;
    SStringWList parts;
    ParseResId(m_layoutName, parts);
    const SStringW type = parts.GetCount() == 2 ? parts[0] : SStringW(L"LAYOUT");
    const SStringW name = parts.GetCount() == 2 ? parts[1] : m_layoutName;
    if (!app || !app->LoadXml(doc, name, type)) {
        DUI_LOG_WARNING("dui", "SHostWnd::OnNativeCreate", L"layout \"%s\" not loaded", m_layoutName.c_str());
        return FailCreation();
    }
    if (!ApplyXmlNode(ChildNoCase(doc, L"DUI"), cs->cx, cs->cy)) {
        DUI_LOG_WARNING("dui", "SHostWnd::OnNativeCreate", L"layout \"%s\" has no \"DUI\" element", m_layoutName.c_str());
        return FailCreation();
    }
    return 0;
}

void SHostWnd::LoadPrivatePools(xmldom::xml_node element)
{
    // Fresh pools each time: a second layout replaces what the first gave.
    ForgetPrivatePools();
    m_stylePool = SRefPtr<SStylePool>::Adopt(new SStylePool());
    m_skinPool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    m_templatePool = SRefPtr<STemplatePool>::Adopt(new STemplatePool());
    const xmldom::xml_node styles = ChildNoCase(element, L"style");
    if (m_stylePool->Init(styles) && HasElementChild(styles) && SStylePoolMgr::GetInstance())
        SStylePoolMgr::GetInstance()->PushPool(m_stylePool.Get());
    if (m_skinPool->LoadSkins(ChildNoCase(element, L"skin")) > 0 && SSkinPoolMgr::GetInstance())
        SSkinPoolMgr::GetInstance()->PushSkinPool(m_skinPool.Get());
    const xmldom::xml_node templates = ChildNoCase(element, L"template");
    if (m_templatePool->Init(templates) && HasElementChild(templates) && STemplatePoolMgr::GetInstance())
        STemplatePoolMgr::GetInstance()->PushPool(m_templatePool.Get());
}

void SHostWnd::ApplyNativeStyles(DWORD style, DWORD exStyle)
{
    style |= m_attr.IsResizable() ? (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX) : WS_MINIMIZEBOX;
    if (m_attr.IsAppWnd()) {
        style |= WS_SYSMENU;
        exStyle |= WS_EX_APPWINDOW;
    } else if (m_attr.IsToolWindow()) {
        exStyle |= WS_EX_TOOLWINDOW;
    }
    ModifyStyle(0, m_attr.GetWndStyle() ? (m_attr.GetWndStyle() & ~WS_VISIBLE) : style);
    if (m_attr.GetWndStyleEx())
        ModifyStyleEx(0, m_attr.GetWndStyleEx());
    else
        ModifyStyleEx(0, m_attr.IsTranslucent() ? (exStyle | WS_EX_LAYERED) : exStyle);
}

void SHostWnd::ApplyLayering()
{
    HWND hwnd = GetHwnd();
    const BYTE alpha = m_attr.GetAlpha();
    if (m_attr.IsTranslucent()) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        // One dummy window however often a layout is applied.
        if (!m_dummyWnd.GetHwnd() && !m_dummyWnd.CreateForHost())
            DUI_LOG_WARNING("dui", "SHostWnd::ApplyXmlNode", L"the dummy window of a translucent host failed");
    } else if (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) {
        ::SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
    } else if (alpha != 255) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
    }
}

SIZE SHostWnd::HostSize(int cx, int cy)
{
    if (cx != 0)
        m_attr.SetWidthPixels(cx);
    if (cy != 0)
        m_attr.SetHeightPixels(cy);
    int width = cx != 0 ? cx : m_attr.GetWidth().ToPixel(m_scale);
    int height = cy != 0 ? cy : m_attr.GetHeight().ToPixel(m_scale);
    if (width < 1)
        width = -1;
    if (height < 1)
        height = -1;
    if (width != -1 && height != -1)
        return SIZE{width, height};
    const SIZE measured = MeasureDesiredSize(width, height);
    SubscribeEvent(EventSwndSize::EventID, Subscriber(&SHostWnd::ResizeToContent, this));
    if (m_attr.GetWidth().IsWrapContent())
        m_attr.ZeroHorzMargin();
    if (m_attr.GetHeight().IsWrapContent())
        m_attr.ZeroVertMargin();
    return SIZE{width == -1 ? measured.cx : width, height == -1 ? measured.cy : height};
}

BOOL SHostWnd::ApplyXmlNode(xmldom::xml_node element, int cx, int cy)
{
    HWND hwnd = GetHwnd();
    if (!element || !hwnd)
        return FALSE;
    DeliverSwndMessage(WM_DESTROY);
    LoadPrivatePools(element);
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_EXSTYLE));
    m_attr.Init();
    m_attr.SObjectImpl<IObject>::ApplyXmlNode(element);
    ApplyNativeStyles(style, exStyle);
    ::SetWindowTextW(hwnd, m_attr.GetTitle().c_str());
    ApplyLayering();
    if (m_attr.GetSmallIcon())
        ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_attr.GetSmallIcon()));
    if (m_attr.GetBigIcon())
        ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_attr.GetBigIcon()));
    SWindow::ApplyXmlNode(ChildNoCase(element, L"root"));
    UpdateZorder();
    const SIZE size = HostSize(cx, cy);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    OnRectChanged(CSimpleWnd::GetClientRect());
    m_fullRepaint = TRUE;
    m_paintPending = TRUE;
    if (m_dirtyRegion)
        m_dirtyRegion->Clear();
    EventInit init(this);
    FireEvent(init);
    return TRUE;
}

BOOL SHostWnd::ApplyXmlNode(xmldom::xml_node element)
{
    const RECT rc = SWindow::GetWindowRect();
    return ApplyXmlNode(element, rc.right - rc.left, rc.bottom - rc.top);
}

bool SHostWnd::ResizeToContent(EventArgs* e)
{
    auto* size = static_cast<EventSwndSize*>(e);
    if (!m_resizing && GetHwnd())
        ::SetWindowPos(GetHwnd(), nullptr, 0, 0, size->szWnd.cx, size->szWnd.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

BOOL SHostWnd::HandleEvent(EventArgs*)
{
    return FALSE;
}

void SHostWnd::ReleaseTooltip()
{
    if (!m_tooltip)
        return;
    if (SMessageLoop* loop = GetMsgLoop())
        loop->RemoveMessageFilter(m_tooltip);
    SApplication* app = SApplication::GetInstance();
    if (IToolTipFactory* tips = app ? app->GetToolTipFactory() : nullptr)
        tips->DestroyToolTip(m_tooltip);
    m_tooltip = nullptr;
}

int SHostWnd::FailCreation()
{
    // The system may not send WM_DESTROY for a window whose WM_CREATE
    // failed: what WM_CREATE made goes here.
    DeliverSwndMessage(WM_DESTROY);
    DropNativeParts();
    if (m_presenter)
        m_presenter->OnHostDestroy();
    return -1;
}

void SHostWnd::DropNativeParts()
{
    ReleaseTooltip();
    if (m_dummyWnd.GetHwnd() && ::IsWindow(m_dummyWnd.GetHwnd()))
        ::DestroyWindow(m_dummyWnd.GetHwnd());
    m_memSurface.Reset();
    m_dirtyRegion.Reset();
    m_pendingRedraws.clear();
    m_pendingPresents.clear();
    m_caretVisible = m_caretDrawn = FALSE;
    m_inspector = nullptr;
    m_trackingLeave = FALSE;
}

void SHostWnd::OnNativeDestroy()
{
    if (m_presenter)
        m_presenter->OnHostDestroy();
    EventExit exit(this);
    FireEvent(exit);
    DeliverSwndMessage(WM_DESTROY);
    DropNativeParts();
    switch (m_attr.GetWndType()) {
    case SHostWndAttr::WT_APPMAIN:
        ::PostQuitMessage(1);
        break;
    case SHostWndAttr::WT_UNDEFINE: {
        const LONG style = ::GetWindowLongW(GetHwnd(), GWL_STYLE);
        const LONG exStyle = ::GetWindowLongW(GetHwnd(), GWL_EXSTYLE);
        if (!(style & (WS_CHILD | WS_POPUP)) && !(exStyle & WS_EX_TOOLWINDOW))
            ::PostQuitMessage(1);
        break;
    }
    default:
        break;
    }
}

void SHostWnd::MarkLayoutDirty(SWND changed, BOOL full)
{
    SWindow::MarkLayoutDirty(changed, full || changed == GetSwnd());
    // The next paint lays the tree out again: it must happen.
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    for (SWindow* w = mgr ? mgr->GetWindow(changed) : nullptr; w; w = w->GetParent()) {
        const RECT rc = w->GetWindowRect();
        if (!::IsRectEmpty(&rc)) {
            OnRedraw(rc);
            break;
        }
    }
}

void SHostWnd::UpdateLayout()
{
    if (GetLayoutDirty() == 0)
        return;
    const bool wrapWidth = m_attr.GetWidth().IsWrapContent();
    const bool wrapHeight = m_attr.GetHeight().IsWrapContent();
    if (!wrapWidth && !wrapHeight) {
        SWindow::UpdateLayout();
        return;
    }
    const int width = m_attr.GetWidth().ToPixel(m_scale);
    const int height = m_attr.GetHeight().ToPixel(m_scale);
    const SIZE measured = MeasureDesiredSize(width, height);
    OnRectChanged(RECT{0, 0, width >= 0 ? width : measured.cx, height >= 0 ? height : measured.cy});
}

void SHostWnd::BeforePaint(IPaintSurface* rt, SPaintState& state)
{
    // The defaults under the root's own style, which may refine them.
    if (SFontPool* fonts = SFontPool::GetInstance()) {
        if (IFont* font = fonts->GetFont(SStringW(), m_scale))
            rt->SelectObject(font, nullptr);
    }
    rt->SetTextColor(0xFF000000);
    SWindow::BeforePaint(rt, state);
}

BOOL SHostWnd::OnLanguageChanged()
{
    SwndContainerImpl::OnLanguageChanged();
    m_attr.TranslateTitle();
    if (GetHwnd())
        ::SetWindowTextW(GetHwnd(), m_attr.GetTitle().c_str());
    return 3;
}

void SHostWnd::OnScaleChanged(int scale)
{
    m_scale = scale;
    SwndContainerImpl::OnScaleChanged(scale);
    MarkLayoutDirty(GetSwnd(), TRUE);
    InvalidateRect(nullptr);
}

} // namespace DUI
