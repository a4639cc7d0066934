#include "dui/control/SCheckBox.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/StringSplit.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

// The keys the box handles itself while focused.
constexpr UINT kCheckDlgCode = 0x8;

} // namespace

SCheckBox::SCheckBox()
{
    GetStyle().SetAttribute(L"align", L"left", TRUE);
    SetAttribute(L"focusable", L"1", TRUE);
}

SCheckBox::~SCheckBox() = default;

struct SCheckBox::AttrRows
{
    using Row = SAttrRow<SCheckBox>;

    static HRESULT Checked(SCheckBox& box, const SStringW& value, BOOL)
    {
        box.SetCheck(ReadBool(value));
        return S_OK;
    }
    static HRESULT TextOffset(SCheckBox& box, const SStringW& value, BOOL) { return box.SetTextOffset(value); }

    static constexpr Row kRows[] = {
        {L"checked", &Checked, AttrEffect::None},
        {L"textOffset", &TextOffset, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SCheckBox::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading, [&] {
        if (m_skins.SetSkinAttribute(name, value, GetScale()))
            return S_FALSE;
        return SWindow::SetAttribute(name, value, loading);
    });
}

HRESULT SCheckBox::SetTextOffset(const SStringW& value)
{
    SStringWList pieces;
    if (SplitString(value, L',', pieces) != 2)
        return E_INVALIDARG;
    m_textOffsetX = ReadDimension(pieces[0], "DUI::SCheckBox::SetAttribute");
    m_textOffsetY = ReadDimension(pieces[1], "DUI::SCheckBox::SetAttribute");
    return S_FALSE;
}

void SCheckBox::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    m_skins.Colorize(color);
}

void SCheckBox::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_skins.Rescale(scale);
}

UINT SCheckBox::OnGetDlgCode() const
{
    return kCheckDlgCode;
}

SIZE SCheckBox::MeasureContent(int parentWidth, int parentHeight)
{
    return m_skins.ContentSize(SWindow::MeasureContent(parentWidth, parentHeight));
}

RECT SCheckBox::GetBoxRect() const
{
    const RECT client = GetClientRect();
    const SIZE box = m_skins.BoxSize();
    const UINT align = GetStyle().GetTextAlign();
    int top = client.top;
    if (align & DT_VCENTER)
        top = client.top + (client.bottom - client.top - box.cy) / 2;
    else if (align & DT_BOTTOM)
        top = client.bottom - box.cy;
    return RECT{client.left, top, client.left + box.cx, top + box.cy};
}

void SCheckBox::GetTextRect(RECT* out) const
{
    *out = GetClientRect();
    const int scale = GetScale();
    out->left += m_skins.BoxSize().cx + SCheckSkins::kTextGap + m_textOffsetX.ToPixel(scale);
    out->top += m_textOffsetY.ToPixel(scale);
}

void SCheckBox::DrawFocus(IPaintSurface* rt)
{
    if (!m_skins.DrawFocusMark(rt, GetBoxRect()))
        SWindow::DrawFocus(rt);
}

void SCheckBox::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    m_skins.DrawBox(rt, GetBoxRect(), GetState());
    SWindow::OnPaint(rt);
}

BOOL SCheckBox::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_LBUTTONDBLCLK)
        return SWindow::OnSwndMessage(WM_LBUTTONDOWN, wp, lp, result);
    if (msg != WM_KEYDOWN)
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    if (wp == VK_SPACE) {
        Toggle();
        if (!IsDestroyed())
            FireCommand();
    }
    return TRUE;
}

void SCheckBox::OnLButtonUp(UINT flags, POINT pt)
{
    const RECT rc = GetWindowRect();
    if ((GetState() & WndState_PushDown) && ::PtInRect(&rc, pt))
        Toggle();
    if (!IsDestroyed())
        SWindow::OnLButtonUp(flags, pt);
}

} // namespace DUI
