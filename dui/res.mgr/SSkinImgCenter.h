#pragma once
// "imgCenter": one state image drawn at its own size, centred.
#include "dui/res.mgr/SSkinImgList.h"

namespace DUI {

class SSkinImgCenter : public SSkinImgList
{
    DUI_CLASS_NAME(SSkinImgCenter, SSkinImgList, L"imgCenter", Skin_Kind)

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;
};

} // namespace DUI
