#include "dui/core/SPaintObjects.h"

#include "dui/res.mgr/SImageLoader.h"

namespace DUI {

SRefPtr<IPaintRegion> NewPaintRegion()
{
    SRefPtr<IPaintRegion> region;
    if (IPaintFactory* factory = GetLoaderPaintFactory())
        factory->CreateRegion(region.Put());
    return region;
}

SRefPtr<IPaintRegion> NewPaintRegion(const RECT& rc)
{
    SRefPtr<IPaintRegion> region = NewPaintRegion();
    if (region)
        region->CombineRect(&rc, RGN_OP_COPY);
    return region;
}

SRefPtr<IPaintSurface> NewPaintSurface(int cx, int cy)
{
    SRefPtr<IPaintSurface> surface;
    if (IPaintFactory* factory = GetLoaderPaintFactory())
        factory->CreateSurface(cx, cy, surface.Put());
    return surface;
}

} // namespace DUI
