#include "dui/control/SControlSkin.h"

#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

SRefPtr<ISkinObj> FindNamedSkin(const SStringW& name, int scale)
{
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    return SRefPtr<ISkinObj>::Share(pools ? pools->GetSkin(name, scale) : nullptr);
}

SRefPtr<ISkinObj> FindSystemSkin(SysSkinIndex index)
{
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    return SRefPtr<ISkinObj>::Share(pools ? pools->GetSystemSkin(index, 100) : nullptr);
}

SIZE SkinSizeOf(const ISkinObj* skin)
{
    return skin ? skin->GetSkinSize() : SIZE{0, 0};
}

void ColorizeSkin(ISkinObj* skin, COLORREF color)
{
    if (skin)
        skin->OnColorize(color);
}

} // namespace DUI
