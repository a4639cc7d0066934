#pragma once
// "colorrect": a flat or rounded rectangle with one fill and one border
// colour per state, drawn without images.
#include "dui/core/base/SLayoutSize.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinColorRect : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinColorRect, SSkinObjBase, L"colorrect", Skin_Kind)

public:
    SSkinColorRect();
    int GetStates() const override;
    BOOL IgnoreState() const override { return GetStates() < 2; }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void CopyTo(ISkinObj* target, int scale) const override;

    // A fill colour with its alpha scaled by the skin alpha (unless that is 255).
    static COLORREF FillColor(COLORREF color, BYTE alpha);
    // A rectangle (r < 1) or rounded rectangle outline with a solid pen.
    static void DrawOutline(IPaintSurface* rt, const RECT* rc, int r, COLORREF color, int width);

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

    SLayoutSize m_radius;
    SLayoutSize m_borderWidth;
    float m_cornerPercent = 0.0f;
    COLORREF m_fill[4];
    COLORREF m_border[4];
};

} // namespace DUI
