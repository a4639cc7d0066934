#pragma once
// The look of one window as its XML gives it: colours, fonts and text
// format per state, margin, padding, corner radius, cursor and alpha.
// Attributes a window does not know itself are offered here first.
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/res.mgr/SFontPool.h"

namespace DUI {

class SwndStyle : public SObjectImpl<IObject>
{
    DUI_CLASS_NAME(SwndStyle, SObjectImpl<IObject>, L"style", Undef_Kind)
public:
    enum Flag : DWORD
    {
        Flag_Dotted = 0x1,
        Flag_TrackMouse = 0x2,
        Flag_BkgndBlend = 0x4,
    };
    enum Align : int
    {
        Align_Left = 0,
        Align_Center = 256,
        Align_Right = 512,
        Align_Top = 0,
        Align_Middle = 4096,
        Align_Bottom = 8192,
    };

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // The DrawText format: the explicit text mode, or one built from the
    // alignment, the line mode and the ellipsis switch.
    UINT GetTextAlign() const;
    // Index 0 normal, 1 hover, 2 pushed, 3 disabled; an unset state falls
    // back to the normal look.
    COLORREF GetTextColor(int state) const;
    IFont* GetTextFont(int state) const;
    RECT GetMargin() const;
    RECT GetPadding() const;
    SIZE GetRound() const;
    int GetStateCount() const;
    void SetScale(int scale);
    int GetScale() const { return m_scale; }

    BOOL HasFlag(Flag flag) const { return (m_flags & flag) != 0; }
    void SetFlag(Flag flag, BOOL on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }

    COLORREF m_crBg = 0x00FFFFFF;
    COLORREF m_crBorder = 0x00FFFFFF;
    SStringW m_strCursor = DefaultCursor();
    BYTE m_byAlpha = 255;
    BYTE m_bySepSpace = 5;
    DWORD m_flags = Flag_BkgndBlend;
    SLayoutSize m_round[2];     // x, y
    SLayoutSize m_margin[4];    // left, top, right, bottom
    SLayoutSize m_padding[4];
    int m_multiLines = 0;
    int m_textMode = 0;
    int m_hAlign = Align_Center;
    int m_vAlign = Align_Middle;
    COLORREF m_crText[4] = {0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
    SScaledFont m_fonts[4];
    int m_scale = 100;

private:
    struct AttrRows;

    // Shared by every style that keeps the default.
    static const SStringW& DefaultCursor();
    HRESULT SetRound(const SStringW& value);
    RECT ToPixels(const SLayoutSize (&sides)[4]) const;
};

} // namespace DUI
