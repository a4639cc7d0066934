#pragma once
// "shape": a rectangle, oval or ring with a solid fill, a gradient, an
// outline and rounded corners, each part read from a child element. The
// parts are shared, by reference, with scaled copies of the skin.
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

// Common base of the shape parts: reference counted objects with attributes.
class SShapePart : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject>
{
};

class SSkinShape : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinShape, SSkinObjBase, L"shape", Skin_Kind)

public:
    enum Kind { Rectangle = 0, Oval = 1, Ring = 2 };

    class SStroke : public SShapePart
    {
        DUI_CLASS_NAME(SStroke, SShapePart, L"stroke", Undef_Kind)
    public:
        HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
        SLayoutSize width;
        COLORREF color = kColorUnset;
        int style = PS_SOLID;
    };

    class SGradient : public SShapePart
    {
        DUI_CLASS_NAME(SGradient, SShapePart, L"gradient", Undef_Kind)
    public:
        HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
        int type = GT_LINEAR;
        float angle = 0, centerX = 0.5f, centerY = 0.5f;
        COLORREF start = 0, center = 0, end = 0;
        SLayoutSize radius;
    };

    class SCornerSize : public SShapePart
    {
        DUI_CLASS_NAME(SCornerSize, SShapePart, L"corners", Undef_Kind)
    public:
        HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
        SLayoutSize radiusX, radiusY;
    };

    class SShapeSize : public SShapePart
    {
        DUI_CLASS_NAME(SShapeSize, SShapePart, L"size", Undef_Kind)
    public:
        HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
        SLayoutSize width, height;
    };

    class SShapeRing : public SShapePart
    {
        DUI_CLASS_NAME(SShapeRing, SShapePart, L"ring", Undef_Kind)
    public:
        HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
        float startAngle = 0, sweepAngle = 360;
    };

    SIZE GetSkinSize() const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnInitFinished(xmldom::xml_node element) override;
    void CopyTo(ISkinObj* target, int scale) const override;

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

private:
    void FillSolid(IPaintSurface* rt, const RECT* rc, POINT corner) const;
    void FillGradient(IPaintSurface* rt, const RECT* rc, POINT corner, BYTE alpha) const;
    void DrawStroke(IPaintSurface* rt, const RECT* rc, POINT corner) const;
    int Px(const SLayoutSize& dim) const;

    int m_kind = Rectangle;
    COLORREF m_fill = kColorUnset;
    SRefPtr<SShapeSize> m_size;
    SRefPtr<SCornerSize> m_corners;
    SRefPtr<SStroke> m_stroke;
    SRefPtr<SGradient> m_gradient;
    SRefPtr<SShapeRing> m_ring;
};

} // namespace DUI
