#include "dui/control/SMenuExSep.h"

#include <algorithm>

#include "dui/control/SMenuExRoot.h"

namespace DUI {

namespace {

constexpr int kSeparatorWidth = 10000;

} // namespace

SMenuExSep::SMenuExSep(SMenuEx* menu, SMenuExRoot* root) : SMenuExItem(menu, root)
{
    // Disabled from the start, so the keyboard passes over it.
    EnableWindow(FALSE);
}

SIZE SMenuExSep::MeasureContent(int, int)
{
    const RECT margin = GetStyle().GetMargin();
    int height = 0;
    ILayoutParam* param = GetLayoutParam();
    if (param && param->IsSpecifiedSize(Vert))
        height = param->GetSpecifiedSize(Vert).ToPixel(GetScale());
    else if (ISkinObj* skin = GetMenuRoot()->GetSepSkin())
        height = std::max(1, static_cast<int>(skin->GetSkinSize().cy));
    return SIZE{kSeparatorWidth, height + margin.top + margin.bottom};
}

BOOL SMenuExSep::OnEraseBkgnd(IPaintSurface* rt)
{
    if (ISkinObj* skin = GetMenuRoot()->GetSepSkin()) {
        const RECT client = GetClientRect();
        skin->DrawByState(rt, &client, 0);
    }
    return TRUE;
}

} // namespace DUI
