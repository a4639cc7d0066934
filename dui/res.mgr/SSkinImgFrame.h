#pragma once
// Nine-grid image skins: "imgframe" keeps its four margins while the edges
// stretch (or tile) in one direction and the centre in both; "imgframe2"
// reads the margins from marker pixels on the image's outer border.
#include "dui/res.mgr/SSkinImgList.h"

namespace DUI {

class SSkinImgFrame : public SSkinImgList
{
    DUI_CLASS_NAME(SSkinImgFrame, SSkinImgList, L"imgframe", Skin_Kind)

public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    UINT GetExpandMode() const override;
    void CopyTo(ISkinObj* target, int scale) const override;
    RECT GetMargins() const { return m_margins; }

protected:
    struct AttrRows;

    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

    RECT m_margins = {0, 0, 0, 0};
};

class SSkinImgFrame2 : public SSkinImgFrame
{
    DUI_CLASS_NAME(SSkinImgFrame2, SSkinImgFrame, L"imgframe2", Skin_Kind)

public:
    HRESULT SetImageSource(const SStringW& source) override;

    // Margins from the marked image, and the image without its border.
    static HRESULT ReadMarkedImage(IPaintBitmap* marked, RECT& margins, IPaintBitmap** inner);
};

} // namespace DUI
