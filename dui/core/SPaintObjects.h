#pragma once
// Regions and surfaces the window tree makes for itself, through the render
// factory the application handed over. Each is NULL without a factory.
#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

namespace DUI {

SRefPtr<IPaintRegion> NewPaintRegion();
// A region holding the rectangle.
SRefPtr<IPaintRegion> NewPaintRegion(const RECT& rc);
SRefPtr<IPaintSurface> NewPaintSurface(int cx, int cy);

} // namespace DUI
