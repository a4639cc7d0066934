#pragma once
// Skin lookups the controls share: a skin named by an attribute, and the
// framework's built-in skins by their place in the system table.
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TStringT.h"
#include "dui/res.mgr/ISkinObj.h"

namespace DUI {

enum SysSkinIndex : int
{
    SysSkin_CheckBox = 0,
    SysSkin_Radio = 1,
    SysSkin_FocusCheckBox = 2,
    SysSkin_FocusRadio = 3,
    SysSkin_BtnNormal = 4,
    SysSkin_TreeToggle = 8,
    SysSkin_TabPage = 11,
    SysSkin_Header = 12,
    SysSkin_ProgBkgnd = 15,
    SysSkin_ProgBar = 16,
    SysSkin_VertProgBkgnd = 17,
    SysSkin_VertProgBar = 18,
    SysSkin_SliderThumb = 19,
};

// The skin of that name at the scale, NULL when none is defined.
SRefPtr<ISkinObj> FindNamedSkin(const SStringW& name, int scale);
// A built-in skin at scale 100, NULL when the system skins lack it.
SRefPtr<ISkinObj> FindSystemSkin(SysSkinIndex index);
// The size of one state image; 0 x 0 without a skin.
SIZE SkinSizeOf(const ISkinObj* skin);
void ColorizeSkin(ISkinObj* skin, COLORREF color);

} // namespace DUI
