#include "dui/control/SItemPanel.h"

#include "dui/control/ItemPanelEvents.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr COLORREF kBlack = 0xFF000000;

void OffsetBy(RECT& rc, const RECT& item)
{
    ::OffsetRect(&rc, item.left, item.top);
}

} // namespace

struct SItemPanel::AttrRows
{
    using Row = SAttrRow<SItemPanel>;

    // An empty value is refused and the colour stays.
    template <COLORREF SItemPanel::*field>
    static HRESULT Color(SItemPanel& p, const SStringW& value, BOOL)
    {
        if (value.IsEmpty())
            return E_FAIL;
        p.*field = ResolveNamedColor(value);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"colorNormal", &Color<&SItemPanel::m_crNormal>, AttrEffect::Redraw},
        {L"colorSelected", &Color<&SItemPanel::m_crSelected>, AttrEffect::Redraw},
        {L"colorHover", &Color<&SItemPanel::m_crHover>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

SItemPanel* SItemPanel::Create(SWindow* host, xmldom::xml_node xml, IItemContainer* container)
{
    auto* panel = new SItemPanel(host, xml, container);
    if (SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance())
        registry->ApplyDefaultAttributes(panel);
    return panel;
}

SItemPanel::SItemPanel(SWindow* host, xmldom::xml_node xml, IItemContainer* container)
    : m_hostWnd(host), m_itemContainer(container)
{
    if (!xml.empty()) {
        ApplyXmlNode(xml);
        MarkZorderDirty();
        UpdateZorder();
    }
    SEventSet* events = GetEventSet();
    events->AddEvent(EventItemPanelClick::EventID, EventItemPanelClick::EventName());
    events->AddEvent(EventItemPanelDbclick::EventID, EventItemPanelDbclick::EventName());
    events->AddEvent(EventItemPanelRclick::EventID, EventItemPanelRclick::EventName());
    events->AddEvent(EventItemPanelHover::EventID, EventItemPanelHover::EventName());
    events->AddEvent(EventItemPanelLeave::EventID, EventItemPanelLeave::EventName());
}

HRESULT SItemPanel::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SwndContainerImpl::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

// Events that children fire while a button-up is routed stop here: the
// row's own command stands for them.
BOOL SItemPanel::OnFireEvent(EventArgs* e)
{
    if (GetEventSet()->IsMuted())
        return FALSE;
    EventOfPanel wrapped(m_hostWnd);
    wrapped.pItem = this;
    wrapped.pOrgEvt = e;
    return m_hostWnd->FireEvent(wrapped);
}

RECT SItemPanel::ItemRect() const
{
    RECT rc = {};
    if (!m_itemContainer || !m_itemContainer->OnItemGetRect(this, rc))
        ::SetRectEmpty(&rc);
    return rc;
}

RECT SItemPanel::GetContainerRect() const
{
    return ItemRect();
}

IPaintSurface* SItemPanel::OnGetRenderTarget(const RECT& rc, DWORD flags)
{
    const RECT item = ItemRect();
    RECT onHost = rc;
    OffsetBy(onHost, item);
    IPaintSurface* rt = m_hostWnd->GetRenderTarget(&onHost, flags, TRUE);
    if (rt)
        rt->OffsetViewOrigin(item.left, item.top, nullptr);
    return rt;
}

void SItemPanel::OnReleaseRenderTarget(IPaintSurface* surface, const RECT&, DWORD)
{
    const RECT item = ItemRect();
    surface->OffsetViewOrigin(-item.left, -item.top, nullptr);
    m_hostWnd->ReleaseRenderTarget(surface);
}

void SItemPanel::OnRedraw(const RECT& rc)
{
    const RECT item = ItemRect();
    if (m_hostWnd->IsUpdateLocked() || ::IsRectEmpty(&item) || !m_hostWnd->IsVisible(TRUE))
        return;
    if (!m_itemContainer->IsRedrawDeferred()) {
        RedrawNow(rc);
        return;
    }
    RECT onHost = rc;
    OffsetBy(onHost, item);
    const RECT client = m_hostWnd->GetClientRect();
    if (::IntersectRect(&onHost, &onHost, &item) && ::IntersectRect(&onHost, &onHost, &client))
        m_hostWnd->InvalidateRect(&onHost);
}

void SItemPanel::RedrawNow(const RECT& rc)
{
    IPaintSurface* rt = OnGetRenderTarget(rc, PaintFlag_Background);
    if (!rt)
        return;
    const SRefPtr<IPaintRegion> region = NewPaintRegion(rc);
    UpdateZorder();
    RedrawRegion(rt, region.Get());
    OnReleaseRenderTarget(rt, rc, PaintFlag_Background);
}

BOOL SItemPanel::ReleaseCapture()
{
    const BOOL held = GetCapture() != 0;
    SwndContainerImpl::ReleaseCapture();
    if (held)
        m_itemContainer->OnItemSetCapture(this, FALSE);
    return TRUE;
}

SWND SItemPanel::SetCapture(SWND swnd)
{
    m_itemContainer->OnItemSetCapture(this, TRUE);
    return SwndContainerImpl::SetCapture(swnd);
}

void SItemPanel::MapRectToHost(RECT* rc) const
{
    OffsetBy(*rc, ItemRect());
}

BOOL SItemPanel::SetCaretPos(int x, int y)
{
    const RECT item = ItemRect();
    return HostContainer()->SetCaretPos(x + item.left, y + item.top);
}

HWND SItemPanel::GetHostHwnd()
{
    return HostContainer()->GetHostHwnd();
}

SStringW SItemPanel::GetTrCtx() const
{
    return HostContainer()->GetTrCtx();
}

BOOL SItemPanel::IsTranslucent() const
{
    return HostContainer()->IsTranslucent();
}

BOOL SItemPanel::IsSendWheelToHover() const
{
    return HostContainer()->IsSendWheelToHover();
}

BOOL SItemPanel::CreateCaret(SWND owner, HBITMAP bitmap, int width, int height)
{
    return HostContainer()->CreateCaret(owner, bitmap, width, height);
}

BOOL SItemPanel::ShowCaret(BOOL show)
{
    return HostContainer()->ShowCaret(show);
}

BOOL SItemPanel::UpdateWindow()
{
    return HostContainer()->UpdateWindow();
}

void SItemPanel::UpdateTooltip()
{
    HostContainer()->UpdateTooltip();
}

SMessageLoop* SItemPanel::GetMsgLoop()
{
    return HostContainer()->GetMsgLoop();
}

IScriptModule* SItemPanel::GetScriptModule()
{
    return HostContainer()->GetScriptModule();
}

int SItemPanel::GetScale() const
{
    ISwndContainer* host = m_hostWnd ? m_hostWnd->GetContainer() : nullptr;
    return host ? host->GetScale() : 100;
}

BOOL SItemPanel::OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info)
{
    const RECT item = ItemRect();
    const SWND hover = GetHover();
    if (hover == GetSwnd()) {
        info.swnd = GetSwnd();
        info.cookie = 0;
        info.rcTarget = item;
        info.strTip = GetToolTipText();
        return TRUE;
    }
    SWindowMgr* windows = SWindowMgr::GetInstance();
    SWindow* window = hover && windows ? windows->GetWindow(hover) : nullptr;
    if (!window) {
        info.swnd = 0;
        return TRUE;
    }
    const BOOL shown = window->OnUpdateToolTip(current, info);
    if (shown)
        OffsetBy(info.rcTarget, item);
    return shown;
}

void SItemPanel::MarkLayoutDirty(SWND changed, BOOL full)
{
    SwndContainerImpl::MarkLayoutDirty(changed, full);
    if (m_itemContainer)
        m_itemContainer->OnItemLayoutDirty(this);
}

// Only the item's windows can be hit; the row itself is no target.
SWND SItemPanel::HitTestSwnd(POINT pt)
{
    const SWND hit = SwndContainerImpl::HitTestSwnd(pt);
    return hit == GetSwnd() ? 0 : hit;
}

void SItemPanel::BeforePaint(IPaintSurface* rt, SPaintState& state)
{
    const int drawState = GetDrawState();
    IFont* font = GetStyle().GetTextFont(drawState);
    if (!font) {
        SFontPool* fonts = SFontPool::GetInstance();
        font = fonts ? fonts->GetFont(SStringW(), GetScale()) : nullptr;
    }
    if (font)
        rt->SelectObject(font, state.font.Put());
    const COLORREF color = GetStyle().GetTextColor(drawState);
    state.color = rt->SetTextColor(color == kNoColor ? kBlack : color);
}

BOOL SItemPanel::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_SHOWWINDOW) {
        const BOOL handled = SwndContainerImpl::OnSwndMessage(msg, wp, lp, result);
        // Animations inside the item run only while it is shown.
        if (ISwndContainer* host = HostContainer()) {
            if (IsVisible(TRUE))
                host->RegisterTimelineHandler(this);
            else
                host->UnregisterTimelineHandler(this);
        }
        return handled;
    }
    if (msg == WM_DESTROY) {
        if (ISwndContainer* host = m_hostWnd ? m_hostWnd->GetContainer() : nullptr)
            host->UnregisterTimelineHandler(this);
    }
    return SwndContainerImpl::OnSwndMessage(msg, wp, lp, result);
}

void SItemPanel::OnLastRelease()
{
    AddRef();
    DeliverSwndMessage(WM_DESTROY);
    delete this;
}

COLORREF SItemPanel::GetBackgroundColor() const
{
    const DWORD state = GetState();
    COLORREF color = m_crNormal;
    if ((state & WndState_Hover) && m_crHover != kNoColor)
        color = m_crHover;
    if ((state & WndState_Check) && m_crSelected != kNoColor)
        color = m_crSelected;
    return color;
}

void SItemPanel::SetColor(COLORREF normal, COLORREF selected)
{
    m_crNormal = normal;
    m_crSelected = selected;
}

void SItemPanel::ModifyItemState(DWORD add, DWORD remove)
{
    ModifyState(add, remove, FALSE);
}

void SItemPanel::FireItemEvent(UINT msg, WPARAM wp, LPARAM lp)
{
    auto fill = [&](EventItemPanelMouse& e) {
        e.nFlags = static_cast<UINT>(wp);
        e.pt = POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        FireEvent(e);
    };
    switch (msg) {
    case WM_LBUTTONDOWN: { EventItemPanelClick e(this); fill(e); break; }
    case WM_LBUTTONDBLCLK: { EventItemPanelDbclick e(this); fill(e); break; }
    case WM_RBUTTONDOWN: { EventItemPanelRclick e(this); fill(e); break; }
    case WM_MOUSEHOVER: {
        ModifyState(WndState_Hover, 0, TRUE);
        EventItemPanelHover e(this);
        fill(e);
        break;
    }
    case WM_MOUSELEAVE: {
        ModifyState(0, WndState_Hover, TRUE);
        EventItemPanelLeave e(this);
        FireEvent(e);
        break;
    }
    default: break;
    }
}

LRESULT SItemPanel::OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp)
{
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    if (!IsDisabled(FALSE))
        FireItemEvent(msg, wp, lp);
    SetMsgHandled(FALSE);
    SEventSet* events = GetEventSet();
    const BOOL muteForUp = msg == WM_LBUTTONUP && !events->IsMuted();
    if (muteForUp)
        events->SetMutedState(TRUE);
    const LRESULT result = RouteHostMessage(msg, wp, lp);
    if (muteForUp) {
        const BOOL handled = IsMsgHandled();
        events->SetMutedState(FALSE);
        FireCommand();
        SetMsgHandled(handled);
    }
    return result;
}

void SItemPanel::Draw(IPaintSurface* rt, const RECT& rc)
{
    UpdateLayout();
    GetStyle().m_crBg = GetBackgroundColor();
    SPaintState state;
    BeforePaint(rt, state);
    RECT clip = {};
    rt->GetClipBox(&clip);
    ::IntersectRect(&clip, &clip, &rc);
    ::OffsetRect(&clip, -rc.left, -rc.top);
    const SRefPtr<IPaintRegion> region = NewPaintRegion(clip);
    POINT old = {};
    rt->OffsetViewOrigin(rc.left, rc.top, &old);
    UpdateZorder();
    if (region && !::IsRectEmpty(&clip))
        RedrawRegion(rt, region.Get());
    rt->SetViewOrigin(old.x, old.y, nullptr);
    AfterPaint(rt, state);
}

} // namespace DUI
