#include "dui/control/SAnimateImgWnd.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SAnimateImgWnd::SetAttribute";
constexpr int kTickMs = 10;   // the host's timeline period

} // namespace

SAnimateImgWnd::SAnimateImgWnd()
{
    SetAttribute(L"msgTransparent", L"1", TRUE);
    GetEventSet()->AddEvent(EventAnimateStart::EventID, EventAnimateStart::EventName());
    GetEventSet()->AddEvent(EventAnimateStop::EventID, EventAnimateStop::EventName());
}

struct SAnimateImgWnd::AttrRows
{
    using Row = SAttrRow<SAnimateImgWnd>;

    template <auto field>
    static constexpr auto Int = &layoutattr::Int<SAnimateImgWnd, kSetAttribute, field>;

    // A wrap-content window takes the new skin's size.
    static HRESULT Skin(SAnimateImgWnd& w, const SStringW& value, BOOL loading)
    {
        w.m_skin = FindNamedSkin(value, w.GetScale());
        if (!loading)
            w.OnContentChanged();
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"skin", &Skin, AttrEffect::Redraw},
        {L"speed", Int<&SAnimateImgWnd::m_speed>, AttrEffect::None},
        {L"autoStart", Int<&SAnimateImgWnd::m_autoStart>, AttrEffect::None},
        {L"repeat", Int<&SAnimateImgWnd::m_repeat>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SAnimateImgWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SAnimateImgWnd::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    ColorizeSkin(m_skin.Get(), color);
}

SIZE SAnimateImgWnd::MeasureContent(int, int)
{
    return SkinSizeOf(m_skin.Get());
}

BOOL SAnimateImgWnd::RegisterTicks()
{
    ISwndContainer* container = GetContainer();
    return container && container->RegisterTimelineHandler(this);
}

void SAnimateImgWnd::UnregisterTicks()
{
    if (ISwndContainer* container = GetContainer())
        container->UnregisterTimelineHandler(this);
}

void SAnimateImgWnd::Start()
{
    if (m_playing)
        return;
    if (IsVisible(TRUE))
        RegisterTicks();
    m_loops = 0;
    m_playing = 1;
    EventAnimateStart e(this);
    FireEvent(e);
}

void SAnimateImgWnd::Stop()
{
    if (!m_playing)
        return;
    // A hidden window is not registered; asking again costs nothing and
    // leaves no handler behind whatever the visibility did meanwhile.
    UnregisterTicks();
    m_playing = 0;
    EventAnimateStop e(this);
    FireEvent(e);
}

BOOL SAnimateImgWnd::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_DESTROY:
        Stop();
        UnregisterTicks();
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    case WM_SHOWWINDOW: {
        const BOOL handled = SWindow::OnSwndMessage(msg, wp, lp, result);
        OnShown(IsVisible(TRUE));
        return handled;
    }
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

void SAnimateImgWnd::OnShown(BOOL shown)
{
    if (!shown) {
        if (m_playing)
            UnregisterTicks();
        return;
    }
    if (m_playing)
        RegisterTicks();
    else if (m_autoStart)
        Start();
}

void SAnimateImgWnd::OnTimelineTick()
{
    if (!m_skin) {
        UnregisterTicks();
        return;
    }
    if (m_tick > m_speed / kTickMs)
        m_tick = 0;
    if (m_tick == 0)
        AdvanceFrame();
    ++m_tick;
}

void SAnimateImgWnd::AdvanceFrame()
{
    ++m_curFrame;
    InvalidateClient();
    if (m_curFrame < m_skin->GetStates())
        return;
    m_curFrame = 0;
    if (m_repeat == -1)
        return;
    if (++m_loops >= m_repeat)
        Stop();
}

void SAnimateImgWnd::OnPaint(IPaintSurface* rt)
{
    if (!rt || !m_skin)
        return;
    const RECT rc = GetWindowRect();
    m_skin->DrawByState(rt, &rc, static_cast<DWORD>(m_curFrame));
}

} // namespace DUI
