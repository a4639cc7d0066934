#pragma once
// The two skins of a check or radio box: the box in eight states (four more
// for checked) and the mark drawn over it while the box has the focus.
#include "dui/control/SControlSkin.h"
#include "dui/core/base/IRender.h"

namespace DUI {

class SCheckSkins
{
public:
    SCheckSkins(SysSkinIndex box, SysSkinIndex focus);

    // The state index of the window state: disabled, pushed, hover or
    // normal, plus 4 when checked.
    static int StateIndex(DWORD state);

    // Takes "skin" and "focusSkin"; FALSE for any other name.
    BOOL SetSkinAttribute(const SStringW& name, const SStringW& value, int scale);
    void Colorize(COLORREF color);
    void Rescale(int scale);

    SIZE BoxSize() const { return SkinSizeOf(m_box.Get()); }
    // A text of that size with the box before it: the box's width and the
    // gap added, the height raised to the box's.
    SIZE ContentSize(SIZE text) const;
    // The left or top edge of a text beside the box, counted from the box's edge.
    static constexpr int kTextGap = 4;

    void DrawBox(IPaintSurface* rt, const RECT& rc, DWORD state) const;
    // FALSE when there is no focus skin to draw.
    BOOL DrawFocusMark(IPaintSurface* rt, const RECT& rc) const;
    BOOL HasFocusSkin() const { return static_cast<bool>(m_focus); }

private:
    SRefPtr<ISkinObj> m_box;
    SRefPtr<ISkinObj> m_focus;
};

} // namespace DUI
