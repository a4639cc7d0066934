// Where popup menus go on their monitor.
#include <gtest/gtest.h>

#include "dui/control/MenuPlacement.h"

namespace {

using DUI::MenuPlacementRequest;
using DUI::PlacePopupMenu;

constexpr RECT kMonitor = {0, 0, 1280, 1024};

TEST(MenuPlacementTest, MenusStayOnTheirMonitor)
{
    struct Case
    {
        const char* name;
        POINT pt;
        UINT flags;
        BOOL subMenu;
        int offset;
        POINT want;
    };
    const SIZE size = {200, 300};
    const Case cases[] = {
        {"a top menu that fits stays at the point", {100, 100}, 0, FALSE, 0, {100, 100}},
        {"right-aligned", {500, 100}, TPM_RIGHTALIGN, FALSE, 0, {300, 100}},
        {"centred both ways", {500, 500}, TPM_CENTERALIGN | TPM_VCENTERALIGN, FALSE, 0, {400, 350}},
        {"bottom-aligned", {500, 500}, TPM_BOTTOMALIGN, FALSE, 0, {500, 200}},
        {"a top menu past the right edge opens left of the point", {1200, 100}, 0, FALSE, 0, {1000, 100}},
        {"a top menu past the bottom opens above the point", {100, 900}, 0, FALSE, 0, {100, 600}},
        {"a top menu above the monitor opens below the point", {100, -50}, 0, FALSE, 0, {100, 250}},
        {"a sub-menu that fits keeps its gap", {400, 100}, 0, TRUE, 4, {404, 100}},
        {"a sub-menu past the right edge opens left of its parent", {1180, 100}, 0, TRUE, 4, {1180 - 150 - 4 - 200, 100}},
        {"a sub-menu past the bottom moves up onto the monitor", {400, 900}, 0, TRUE, 0, {400, 724}},
        {"a sub-menu left of the monitor moves right onto it", {100, 100}, TPM_RIGHTALIGN, TRUE, 0, {0, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuPlacementRequest r;
        r.pt = c.pt;
        r.size = size;
        r.flags = c.flags;
        r.monitor = kMonitor;
        r.offset = c.offset;
        r.subMenu = c.subMenu;
        r.parentWidth = 150;
        const POINT got = PlacePopupMenu(r);
        EXPECT_EQ(got.x, c.want.x);
        EXPECT_EQ(got.y, c.want.y);
    }
}

} // namespace
