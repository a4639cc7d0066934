// SWindow: how a window draws itself: background, text, focus rectangle and
// non-client border, and the font and text colour its state selects for
// itself and its children.
#include "dui/core/SWindow.h"

#include <vector>

#include "dui/core/SPaintObjects.h"
#include "dui/res.mgr/SNamedValue.h"

namespace DUI {

namespace {

constexpr COLORREF kFocusRectColor = 0xFF585858;

// Pops the clip it pushed, if any, when it goes.
class ScopedClip
{
public:
    ScopedClip(IPaintSurface* rt, IPaintRegion* rgn, int mode)
        : m_rt(rgn && SUCCEEDED(rt->PushClipRegion(rgn, mode)) ? rt : nullptr)
    {
    }
    ~ScopedClip()
    {
        if (m_rt)
            m_rt->PopClip();
    }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    IPaintSurface* m_rt;
};

} // namespace

SRefPtr<IPaintRegion> SWindow::RoundClientRegion() const
{
    const SIZE round = m_style.GetRound();
    if (round.cx <= 0 && round.cy <= 0)
        return nullptr;
    SRefPtr<IPaintRegion> region = NewPaintRegion();
    if (region) {
        const RECT client = GetClientRect();
        region->CombineRoundRect(&client, {round.cx, round.cy}, RGN_OP_COPY);
    }
    return region;
}

BOOL SWindow::OnEraseBkgnd(IPaintSurface* rt)
{
    if (!rt)
        return TRUE;
    const SRefPtr<IPaintRegion> round = RoundClientRegion();
    const ScopedClip clip(rt, round.Get(), RGN_OP_AND);
    const RECT client = GetClientRect();
    if (m_skin) {
        const int state = GetDrawState();
        m_skin->DrawByState(rt, &client, state < m_skin->GetStates() ? state : 0);
    } else if (m_style.m_crBg != kColorUnset) {
        rt->FillRectColor(&client, m_style.m_crBg);
    }
    return TRUE;
}

void SWindow::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    const SRefPtr<IPaintRegion> round = RoundClientRegion();
    const ScopedClip clip(rt, round.Get(), RGN_OP_AND);
    SPaintState state;
    BeforePaint(rt, state);
    RECT text;
    GetTextRect(&text);
    const SStringW shown = GetWindowText(FALSE);
    DrawText(rt, shown.c_str(), shown.GetLength(), &text, m_style.GetTextAlign());
    if (m_container && m_container->GetFocus() == m_swnd)
        DrawFocus(rt);
    AfterPaint(rt, state);
}

void SWindow::OnNcPaint(IPaintSurface* rt)
{
    const RECT margin = m_style.GetMargin();
    if (!rt || !IsVisible(TRUE) || (margin.left == 0 && margin.top == 0 && margin.right == 0 && margin.bottom == 0))
        return;
    SRefPtr<IPaintRegion> client = RoundClientRegion();
    if (!client)
        client = NewPaintRegion(GetClientRect());
    const ScopedClip clip(rt, client.Get(), RGN_OP_DIFF);
    if (m_ncSkin) {
        // The border shows hover only: pushed and disabled looks are the client's.
        const int state = (m_state & WndState_Hover) && m_ncSkin->GetStates() > 1 ? 1 : 0;
        m_ncSkin->DrawByState(rt, &m_rcWindow, state);
    } else if (m_style.m_crBorder != kColorUnset) {
        rt->FillRectColor(&m_rcWindow, m_style.m_crBorder);
    }
}

void SWindow::BeforePaint(IPaintSurface* rt, SPaintState& state)
{
    const int drawState = GetDrawState();
    if (IFont* font = m_style.GetTextFont(drawState))
        rt->SelectObject(font, state.font.Put());
    const COLORREF color = m_style.GetTextColor(drawState);
    if (color != kColorUnset)
        state.color = rt->SetTextColor(color);
}

void SWindow::AfterPaint(IPaintSurface* rt, SPaintState& state)
{
    if (state.font)
        rt->SelectObject(state.font.Get(), nullptr);
    state.font.Reset();
    if (state.color != SPaintState::kNoColor)
        rt->SetTextColor(state.color);
    state.color = SPaintState::kNoColor;
}

void SWindow::ApplyInheritedPaintState(IPaintSurface* rt)
{
    std::vector<SWindow*> chain;
    for (SWindow* w = this; w; w = w->m_parent)
        chain.push_back(w);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        SPaintState discarded;
        (*it)->BeforePaint(rt, discarded);
    }
}

void SWindow::DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format)
{
    rt->DrawTextBox(text, len, rc, format);
}

void SWindow::DrawFocus(IPaintSurface* rt)
{
    if (!IsFocusable() || !(m_flags & Flag_DrawFocusRect))
        return;
    RECT text;
    GetTextRect(&text);
    DrawDefFocusRect(rt, text);
}

void SWindow::DrawDefFocusRect(IPaintSurface* rt, const RECT& rc)
{
    RECT outline = rc;
    ::InflateRect(&outline, -2, -2);
    SRefPtr<IPen> pen;
    if (FAILED(rt->CreatePen(PS_DOT, kFocusRectColor, 1, pen.Put())) || !pen)
        return;
    SRefPtr<IPaintObject> old;
    rt->SelectObject(pen.Get(), old.Put());
    rt->DrawRectangle(&outline);
    if (old)
        rt->SelectObject(old.Get(), nullptr);
}

} // namespace DUI
