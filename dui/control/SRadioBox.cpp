#include "dui/control/SRadioBox.h"

#include <cwchar>
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

// The focus manager's reason for focus given back after the host was
// reactivated: the user chose nothing then.
constexpr LPARAM kFocusRestored = 2;

struct AlignWord
{
    LPCWSTR word;
    int value;
};

const AlignWord kHorzWords[] = {{L"left", SRadioBox::Icon_Left},
                                {L"center", SRadioBox::Icon_Center},
                                {L"right", SRadioBox::Icon_Right}};
const AlignWord kVertWords[] = {{L"top", SRadioBox::Icon_Top},
                                {L"middle", SRadioBox::Icon_Middle},
                                {L"bottom", SRadioBox::Icon_Bottom}};

// Words compared exactly; an unknown word leaves `out` alone.
template <size_t N>
HRESULT ReadAlign(const SStringW& value, const AlignWord (&words)[N], int& out)
{
    for (const AlignWord& w : words) {
        if (std::wcscmp(value.c_str(), w.word) == 0) {
            out = w.value;
            return S_OK;
        }
    }
    return E_FAIL;
}

// Unchecks without the state-change event: only the newly checked radio reports.
void UncheckMuted(SWindow* radio)
{
    SEventSet* events = radio->GetEventSet();
    const BOOL wasMuted = events->IsMuted();
    events->SetMutedState(TRUE);
    radio->ModifyState(0, WndState_Check, TRUE);
    events->SetMutedState(wasMuted);
}

} // namespace

SRadioBox::SRadioBox()
{
    GetStyle().SetAttribute(L"align", L"left", TRUE);
    SetAttribute(L"focusable", L"1", TRUE);
}

SRadioBox::~SRadioBox() = default;

struct SRadioBox::AttrRows
{
    using Row = SAttrRow<SRadioBox>;

    static HRESULT Checked(SRadioBox& radio, const SStringW& value, BOOL loading)
    {
        return radio.SetChecked(value, loading);
    }
    static HRESULT Align(SRadioBox& radio, const SStringW& value, BOOL) { return ReadAlign(value, kHorzWords, radio.m_iconAlign); }
    static HRESULT Valign(SRadioBox& radio, const SStringW& value, BOOL)
    {
        return ReadAlign(value, kVertWords, radio.m_iconValign);
    }

    static constexpr Row kRows[] = {
        {L"checked", &Checked, AttrEffect::None},
        {L"iconAlign", &Align, AttrEffect::Redraw},
        {L"iconValign", &Valign, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SRadioBox::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading, [&] {
        if (m_skins.SetSkinAttribute(name, value, GetScale()))
            return S_FALSE;
        return SWindow::SetAttribute(name, value, loading);
    });
}

// Only "0" unchecks; a layout being loaded hears nothing of it.
HRESULT SRadioBox::SetChecked(const SStringW& value, BOOL loading)
{
    SEventSet* events = GetEventSet();
    const BOOL wasMuted = events->IsMuted();
    if (loading)
        events->SetMutedState(TRUE);
    SetCheck(value != L"0");
    events->SetMutedState(wasMuted);
    return S_FALSE;
}

void SRadioBox::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    m_skins.Colorize(color);
}

void SRadioBox::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_skins.Rescale(scale);
}

// Every radio child of the parent belongs to the group, whatever lies between.
SWindow* SRadioBox::GetCheckedSiblingInGroup()
{
    SWindow* parent = GetParent();
    for (SWindow* w = parent ? parent->GetRelatedWindow(GSW_FIRSTCHILD) : nullptr; w;
         w = w->GetRelatedWindow(GSW_NEXTSIBLING)) {
        if (w->IsKindOf(L"radio") && w->IsChecked() && !w->IsDestroyed())
            return w;
    }
    return nullptr;
}

void SRadioBox::OnStateChanging(DWORD oldState, DWORD newState)
{
    SWindow::OnStateChanging(oldState, newState);
    if (!(newState & WndState_Check) || (oldState & WndState_Check))
        return;
    SWindow* checked = GetCheckedSiblingInGroup();
    if (checked && checked != this)
        UncheckMuted(checked);
}

SIZE SRadioBox::MeasureContent(int parentWidth, int parentHeight)
{
    return m_skins.ContentSize(SWindow::MeasureContent(parentWidth, parentHeight));
}

RECT SRadioBox::GetIconRect() const
{
    const RECT client = GetClientRect();
    const SIZE icon = m_skins.BoxSize();
    POINT corner = {client.left, client.top};
    if (m_iconAlign == Icon_Center)
        corner.x = client.left + (client.right - client.left - icon.cx) / 2;
    else if (m_iconAlign == Icon_Right)
        corner.x = client.right - icon.cx;
    if (m_iconValign == Icon_Middle)
        corner.y = client.top + (client.bottom - client.top - icon.cy) / 2;
    else if (m_iconValign == Icon_Bottom)
        corner.y = client.bottom - icon.cy;
    return RECT{corner.x, corner.y, corner.x + icon.cx, corner.y + icon.cy};
}

// The text keeps clear of the icon on the icon's side only.
void SRadioBox::GetTextRect(RECT* out) const
{
    *out = GetClientRect();
    const SIZE icon = m_skins.BoxSize();
    const int gap = SCheckSkins::kTextGap;
    if (m_iconAlign == Icon_Left)
        out->left += icon.cx + gap;
    else if (m_iconAlign == Icon_Right)
        out->right -= icon.cx + gap;
    if (m_iconValign == Icon_Top)
        out->top += icon.cy + gap;
    else if (m_iconValign == Icon_Bottom)
        out->bottom -= icon.cy + gap;
}

void SRadioBox::DrawFocus(IPaintSurface* rt)
{
    const BOOL markWanted = m_skins.HasFocusSkin() && (GetFlags() & Flag_DrawFocusRect) && IsFocusable();
    if (!markWanted || !m_skins.DrawFocusMark(rt, GetIconRect()))
        SWindow::DrawFocus(rt);
}

void SRadioBox::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    m_skins.DrawBox(rt, GetIconRect(), GetState());
    SWindow::OnPaint(rt);
}

BOOL SRadioBox::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_SETFOCUS)
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    OnFocusGained(lp);
    return TRUE;
}

// Reaching a radio by a press, Tab or an arrow key chooses it.
void SRadioBox::OnFocusGained(LPARAM reason)
{
    if (reason != kFocusRestored && !IsChecked())
        SetCheck(TRUE);
    InvalidateClient();
}

void SRadioBox::OnLButtonDown(UINT flags, POINT pt)
{
    m_pressedHere = 1;
    SWindow::OnLButtonDown(flags, pt);
}

// The release checks a radio that could not take the focus at the press.
void SRadioBox::OnLButtonUp(UINT flags, POINT pt)
{
    SWindow::OnLButtonUp(flags, pt);
    if (!IsDestroyed() && !IsChecked() && m_pressedHere && ContainsPoint(pt, FALSE))
        SetCheck(TRUE);
    m_pressedHere = 0;
}

} // namespace DUI
