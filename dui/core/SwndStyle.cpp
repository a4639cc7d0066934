#include "dui/core/SwndStyle.h"

#include <vector>

#include "dui/core/base/SAttrTable.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

const char kStyleAttr[] = "DUI::SwndStyle::SetAttribute";

std::vector<SStringW> SplitCommas(const SStringW& value)
{
    std::vector<SStringW> parts;
    int start = 0;
    for (int comma = value.Find(L','); comma >= 0; comma = value.Find(L',', start)) {
        parts.push_back(value.Mid(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(value.Mid(start, value.GetLength() - start));
    return parts;
}

// "left"/"top" and the rest, matched exactly; -1 for any other word.
int ReadAlign(const SStringW& value, LPCWSTR first, LPCWSTR middle, LPCWSTR last, int step)
{
    if (value == first) return 0;
    if (value == middle) return step;
    if (value == last) return step * 2;
    return -1;
}

HRESULT StoreAlign(int& field, int align)
{
    if (align < 0)
        return E_FAIL;
    field = align;
    return S_OK;
}

// An empty colour is refused; the colour stays.
HRESULT StoreColor(COLORREF& field, const SStringW& value)
{
    if (value.IsEmpty())
        return E_FAIL;
    field = ResolveNamedColor(value);
    return S_OK;
}

// One value sets all four sides, two or four set as many from the left;
// any other count changes nothing.
HRESULT SetFourSizes(SLayoutSize (&sides)[4], const SStringW& value)
{
    const std::vector<SStringW> parts = SplitCommas(value);
    if (parts.size() == 1) {
        const SLayoutSize size = ReadDimension(parts[0], kStyleAttr);
        for (SLayoutSize& side : sides)
            side = size;
    } else if (parts.size() == 2 || parts.size() == 4) {
        for (size_t i = 0; i < parts.size(); ++i)
            sides[i] = ReadDimension(parts[i], kStyleAttr);
    }
    return S_OK;
}

} // namespace

// The readers of the style's attributes; a member, so they reach the
// private helpers.
struct SwndStyle::AttrRows
{
    using Row = SAttrRow<SwndStyle>;

    static HRESULT TextMode(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_textMode = ReadInt(value, kStyleAttr);
        return S_OK;
    }
    static HRESULT Round(SwndStyle& s, const SStringW& value, BOOL) { return s.SetRound(value); }
    static HRESULT MultiLines(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_multiLines = ReadInt(value, kStyleAttr);
        return S_OK;
    }
    static HRESULT Align(SwndStyle& s, const SStringW& value, BOOL)
    {
        return StoreAlign(s.m_hAlign, ReadAlign(value, L"left", L"center", L"right", Align_Center));
    }
    static HRESULT VAlign(SwndStyle& s, const SStringW& value, BOOL)
    {
        return StoreAlign(s.m_vAlign, ReadAlign(value, L"top", L"middle", L"bottom", Align_Middle));
    }
    template <COLORREF SwndStyle::*color>
    static HRESULT Color(SwndStyle& s, const SStringW& value, BOOL)
    {
        return StoreColor(s.*color, value);
    }
    template <int state>
    static HRESULT TextColor(SwndStyle& s, const SStringW& value, BOOL)
    {
        return StoreColor(s.m_crText[state], value);
    }
    template <int state>
    static HRESULT Font(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_fonts[state].SetDescription(value, s.m_scale);
        return S_OK;
    }
    template <int first>
    static HRESULT MarginPair(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_margin[first] = s.m_margin[first + 2] = ReadDimension(value, kStyleAttr);
        return S_OK;
    }
    static HRESULT Margin(SwndStyle& s, const SStringW& value, BOOL) { return SetFourSizes(s.m_margin, value); }
    static HRESULT Padding(SwndStyle& s, const SStringW& value, BOOL) { return SetFourSizes(s.m_padding, value); }
    template <int side>
    static HRESULT PaddingSide(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_padding[side] = ReadDimension(value, kStyleAttr);
        return S_OK;
    }
    static HRESULT Cursor(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.m_strCursor = ResolveNamedString(value);
        return S_OK;
    }
    template <Flag flag>
    static HRESULT Switch(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.SetFlag(flag, ReadInt(value, kStyleAttr) & 1);
        return S_OK;
    }
    template <BYTE SwndStyle::*field>
    static HRESULT LowByte(SwndStyle& s, const SStringW& value, BOOL)
    {
        s.*field = static_cast<BYTE>(ReadInt(value, kStyleAttr) & 0xFF);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"textMode", &TextMode, AttrEffect::Redraw},
        {L"round", &Round, AttrEffect::RedrawLater},
        {L"multiLines", &MultiLines, AttrEffect::None},
        {L"align", &Align, AttrEffect::Redraw},
        {L"valign", &VAlign, AttrEffect::Redraw},
        {L"colorBkgnd", &Color<&SwndStyle::m_crBg>, AttrEffect::Redraw},
        {L"colorBorder", &Color<&SwndStyle::m_crBorder>, AttrEffect::Redraw},
        {L"font", &Font<0>, AttrEffect::Redraw},
        {L"fontHover", &Font<1>, AttrEffect::Redraw},
        {L"fontPush", &Font<2>, AttrEffect::Redraw},
        {L"fontDisable", &Font<3>, AttrEffect::Redraw},
        {L"colorText", &TextColor<0>, AttrEffect::Redraw},
        {L"colorTextHover", &TextColor<1>, AttrEffect::Redraw},
        {L"colorTextPush", &TextColor<2>, AttrEffect::Redraw},
        {L"colorTextDisable", &TextColor<3>, AttrEffect::Redraw},
        {L"margin-x", &MarginPair<0>, AttrEffect::RedrawLater},
        {L"margin-y", &MarginPair<1>, AttrEffect::RedrawLater},
        {L"margin", &Margin, AttrEffect::RedrawLater},
        {L"inset", &Padding, AttrEffect::RedrawLater},
        {L"padding", &Padding, AttrEffect::RedrawLater},
        {L"padding_left", &PaddingSide<0>, AttrEffect::Redraw},
        {L"padding_top", &PaddingSide<1>, AttrEffect::Redraw},
        {L"padding_right", &PaddingSide<2>, AttrEffect::Redraw},
        {L"padding_bottom", &PaddingSide<3>, AttrEffect::Redraw},
        {L"cursor", &Cursor, AttrEffect::None},
        {L"dotted", &Switch<Flag_Dotted>, AttrEffect::None},
        {L"trackMouseEvent", &Switch<Flag_TrackMouse>, AttrEffect::None},
        {L"alpha", &LowByte<&SwndStyle::m_byAlpha>, AttrEffect::Redraw},
        {L"bkgndBlend", &Switch<Flag_BkgndBlend>, AttrEffect::Redraw},
        {L"sepSpace", &LowByte<&SwndStyle::m_bySepSpace>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SwndStyle::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

const SStringW& SwndStyle::DefaultCursor()
{
    static const SStringW kArrow(L"arrow");
    return kArrow;
}

HRESULT SwndStyle::SetRound(const SStringW& value)
{
    const std::vector<SStringW> parts = SplitCommas(value);
    if (value.IsEmpty() || parts.size() > 2)
        return S_OK;
    m_round[0] = ReadDimension(parts[0], kStyleAttr);
    m_round[1] = ReadDimension(parts.back(), kStyleAttr);
    return S_OK;
}

UINT SwndStyle::GetTextAlign() const
{
    if (m_textMode != 0)
        return static_cast<UINT>(m_textMode);
    UINT format = 0;
    if (m_hAlign == Align_Center) format |= DT_CENTER;
    else if (m_hAlign == Align_Right) format |= DT_RIGHT;
    if (m_vAlign == Align_Middle) format |= DT_VCENTER;
    else if (m_vAlign == Align_Bottom) format |= DT_BOTTOM;
    if (m_multiLines == 0) format |= DT_SINGLELINE;
    if (HasFlag(Flag_Dotted)) format |= DT_END_ELLIPSIS;
    return format;
}

COLORREF SwndStyle::GetTextColor(int state) const
{
    if (state < 0 || state > 3)
        state = 0;
    return m_crText[state] != kColorUnset ? m_crText[state] : m_crText[0];
}

IFont* SwndStyle::GetTextFont(int state) const
{
    if (state < 0 || state > 3)
        state = 0;
    IFont* font = m_fonts[state].GetFont();
    return font ? font : m_fonts[0].GetFont();
}

RECT SwndStyle::ToPixels(const SLayoutSize (&sides)[4]) const
{
    return RECT{sides[0].ToPixel(m_scale), sides[1].ToPixel(m_scale), sides[2].ToPixel(m_scale),
                sides[3].ToPixel(m_scale)};
}

RECT SwndStyle::GetMargin() const
{
    return ToPixels(m_margin);
}

RECT SwndStyle::GetPadding() const
{
    return ToPixels(m_padding);
}

SIZE SwndStyle::GetRound() const
{
    return SIZE{m_round[0].ToPixel(m_scale), m_round[1].ToPixel(m_scale)};
}

int SwndStyle::GetStateCount() const
{
    int fonts = 1;
    int colors = 1;
    for (int i = 1; i < 4; ++i) {
        if (!m_fonts[i].GetDescription().IsEmpty()) ++fonts;
        if (m_crText[i] != kColorUnset) ++colors;
    }
    return fonts > colors ? fonts : colors;
}

void SwndStyle::SetScale(int scale)
{
    // Fonts are made at the style's scale when they are set.
    if (scale == m_scale)
        return;
    m_scale = scale;
    for (SScaledFont& font : m_fonts)
        font.UpdateFont(scale);
}

} // namespace DUI
