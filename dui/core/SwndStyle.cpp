#include "dui/core/SwndStyle.h"

#include <vector>

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

HRESULT LoadingResult(BOOL loading)
{
    return loading ? S_FALSE : S_OK;
}

} // namespace

HRESULT SwndStyle::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static const LPCWSTR kFonts[] = {L"font", L"fontHover", L"fontPush", L"fontDisable"};
    static const LPCWSTR kColors[] = {L"colorText", L"colorTextHover", L"colorTextPush", L"colorTextDisable"};
    static const LPCWSTR kPaddingSides[] = {L"padding_left", L"padding_top", L"padding_right", L"padding_bottom"};

    if (name.CompareNoCase(L"textMode") == 0) {
        m_textMode = ReadInt(value, kStyleAttr);
        return S_OK;
    }
    if (name.CompareNoCase(L"round") == 0)
        return SetRound(value, loading);
    if (name.CompareNoCase(L"multiLines") == 0) {
        m_multiLines = ReadInt(value, kStyleAttr);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"align") == 0 || name.CompareNoCase(L"valign") == 0) {
        const bool horizontal = name.CompareNoCase(L"align") == 0;
        const int align = horizontal ? ReadAlign(value, L"left", L"center", L"right", Align_Center)
                                     : ReadAlign(value, L"top", L"middle", L"bottom", Align_Middle);
        if (align < 0)
            return E_FAIL;
        (horizontal ? m_hAlign : m_vAlign) = align;
        return S_OK;
    }
    if (name.CompareNoCase(L"colorBkgnd") == 0 || name.CompareNoCase(L"colorBorder") == 0) {
        if (value.IsEmpty())
            return E_FAIL;
        (name.CompareNoCase(L"colorBkgnd") == 0 ? m_crBg : m_crBorder) = ResolveNamedColor(value);
        return S_OK;
    }
    for (int i = 0; i < 4; ++i) {
        if (name.CompareNoCase(kFonts[i]) == 0) {
            m_fonts[i].SetDescription(value, m_scale);
            return S_OK;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (name.CompareNoCase(kColors[i]) == 0) {
            if (value.IsEmpty())
                return E_FAIL;
            m_crText[i] = ResolveNamedColor(value);
            return S_OK;
        }
    }
    if (name.CompareNoCase(L"margin-x") == 0 || name.CompareNoCase(L"margin-y") == 0) {
        const int first = name.CompareNoCase(L"margin-x") == 0 ? 0 : 1;
        m_margin[first] = m_margin[first + 2] = ReadDimension(value, kStyleAttr);
        return LoadingResult(loading);
    }
    if (name.CompareNoCase(L"margin") == 0)
        return SetFourSizes(m_margin, value, loading);
    if (name.CompareNoCase(L"inset") == 0 || name.CompareNoCase(L"padding") == 0)
        return SetFourSizes(m_padding, value, loading);
    for (int i = 0; i < 4; ++i) {
        if (name.CompareNoCase(kPaddingSides[i]) == 0) {
            m_padding[i] = ReadDimension(value, kStyleAttr);
            return S_OK;
        }
    }
    if (name.CompareNoCase(L"cursor") == 0) {
        m_strCursor = ResolveNamedString(value);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"dotted") == 0 || name.CompareNoCase(L"trackMouseEvent") == 0) {
        SetFlag(name.CompareNoCase(L"dotted") == 0 ? Flag_Dotted : Flag_TrackMouse, ReadInt(value, kStyleAttr) & 1);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"alpha") == 0) {
        m_byAlpha = static_cast<BYTE>(ReadInt(value, kStyleAttr) & 0xFF);
        return S_OK;
    }
    if (name.CompareNoCase(L"bkgndBlend") == 0) {
        SetFlag(Flag_BkgndBlend, ReadInt(value, kStyleAttr) & 1);
        return S_OK;
    }
    if (name.CompareNoCase(L"sepSpace") == 0) {
        m_bySepSpace = static_cast<BYTE>(ReadInt(value, kStyleAttr) & 0xFF);
        return S_OK;
    }
    return E_NOTIMPL;
}

const SStringW& SwndStyle::DefaultCursor()
{
    static const SStringW kArrow(L"arrow");
    return kArrow;
}

HRESULT SwndStyle::SetFourSizes(SLayoutSize (&sides)[4], const SStringW& value, BOOL loading)
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
    return LoadingResult(loading);
}

HRESULT SwndStyle::SetRound(const SStringW& value, BOOL loading)
{
    const std::vector<SStringW> parts = SplitCommas(value);
    if (value.IsEmpty() || parts.size() > 2)
        return LoadingResult(loading);
    m_round[0] = ReadDimension(parts[0], kStyleAttr);
    m_round[1] = ReadDimension(parts.back(), kStyleAttr);
    return LoadingResult(loading);
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
