#pragma once
// The layout every window starts with, until its "layout" attribute names
// another. Declared apart from the layout's class: that class lays windows
// out and so stands over the window, which only needs a new one.
#include "dui/core/ILayout.h"

namespace DUI {

// A new AnchorLayout, owned by the caller.
ILayout* NewDefaultLayout();

} // namespace DUI
