#pragma once
// Image window ("img"): shows a picture (a render-factory bitmap) stretched,
// unscaled or tiled, or else one state of a skin; optionally keeping the
// picture's proportions, centred. It takes no mouse input.
#include "dui/core/SWindow.h"

namespace DUI {

class SImageWnd : public SWindow
{
    DUI_CLASS_NAME(SImageWnd, SWindow, L"img", Window_Kind)
public:
    // Image filter levels, as the skins' scaling takes them.
    enum FilterLevel : int
    {
        Filter_None = 0,
        Filter_Low = 1,
        Filter_Medium = 2,
        Filter_High = 3,
    };

    SImageWnd();
    ~SImageWnd() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;

    // The picture drawn in place of the skin; NULL shows the skin again.
    void SetImage(IPaintBitmap* image, int filterLevel = Filter_None);
    IPaintBitmap* GetImage() const { return m_image.Get(); }
    void SetImageSkin(ISkinObj* skin) { m_skin.Reset(skin); }
    ISkinObj* GetImageSkin() const { return m_skin.Get(); }
    int GetIconIndex() const { return m_iconIndex; }

protected:
    struct AttrRows;

    void OnPaint(IPaintSurface* rt) override;
    // `rc` shrunk to the proportions of the picture or skin, centred;
    // FALSE when there is nothing of a size to draw.
    BOOL FitToAspect(RECT& rc) const;

    int m_tile = 0;
    int m_iconIndex = 0;
    SRefPtr<ISkinObj> m_skin;
    SRefPtr<IPaintBitmap> m_image;
    int m_filterLevel = Filter_None;
    BOOL m_keepAspect = FALSE;
};

} // namespace DUI
