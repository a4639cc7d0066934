#include "dui/res.mgr/SSkinShape.h"

#include <algorithm>
#include <cstdio>
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSelectPen.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

namespace {

float ReadFloat(const SStringW& value)
{
    float f = 0;
    swscanf(value.c_str(), L"%f", &f);
    return f;
}

// Index of `value` among `names` (exact), or -1.
template <size_t N>
int Pick(const SStringW& value, const wchar_t* const (&names)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (names[i] && value.Compare(names[i]) == 0) return static_cast<int>(i);
    return -1;
}

template <class T>
void ApplyPart(SRefPtr<T>& part, xmldom::xml_node element)
{
    if (!part) part = SRefPtr<T>::Adopt(new T());
    part->ApplyXmlNode(element);
}

} // namespace

namespace {

using Stroke = SSkinShape::SStroke;
using Gradient = SSkinShape::SGradient;
using Corners = SSkinShape::SCornerSize;
using ShapeSize = SSkinShape::SShapeSize;
using ShapeRing = SSkinShape::SShapeRing;

template <class Part, auto field>
constexpr auto Dim = skinattr::LayoutDim<Part, field>;
template <class Part, auto field>
constexpr auto Float = &AttrStore<Part, field, &ReadFloat>;

// A name among `names` (exact case) stored as its index; others are refused.
template <class Part, int Part::*field, const auto& names>
HRESULT Choice(Part& part, const SStringW& value, BOOL)
{
    const int i = Pick(value, names);
    if (i < 0)
        return E_FAIL;
    part.*field = i;
    return S_OK;
}

constexpr const wchar_t* kStyles[] = {L"solid", L"dash", nullptr, L"dashDot", L"dashDotDot"};
constexpr const wchar_t* kTypes[] = {L"linear", L"radial", L"sweep"};

// One radius for both axes, or "x,y".
HRESULT CornerRadius(Corners& part, const SStringW& value, BOOL)
{
    SStringWList parts;
    const size_t n = SplitString(value, L',', parts);
    if (n != 1 && n != 2)
        return E_INVALIDARG;
    part.radiusX = ResolveLayoutDim(parts[0].c_str());
    part.radiusY = ResolveLayoutDim(parts[n - 1].c_str());
    return S_OK;
}

constexpr SAttrRow<Stroke> kStrokeRows[] = {
    {L"width", Dim<Stroke, &Stroke::width>, AttrEffect::Redraw},
    {L"color", &skinattr::Color<Stroke, &Stroke::color>, AttrEffect::Redraw},
    {L"style", &Choice<Stroke, &Stroke::style, kStyles>, AttrEffect::Redraw},
};
constexpr SAttrRow<Gradient> kGradientRows[] = {
    {L"startColor", &skinattr::Color<Gradient, &Gradient::start>, AttrEffect::Redraw},
    {L"centerColor", &skinattr::Color<Gradient, &Gradient::center>, AttrEffect::Redraw},
    {L"endColor", &skinattr::Color<Gradient, &Gradient::end>, AttrEffect::Redraw},
    {L"type", &Choice<Gradient, &Gradient::type, kTypes>, AttrEffect::Redraw},
    {L"angle", Float<Gradient, &Gradient::angle>, AttrEffect::Redraw},
    {L"centerX", Float<Gradient, &Gradient::centerX>, AttrEffect::Redraw},
    {L"centerY", Float<Gradient, &Gradient::centerY>, AttrEffect::Redraw},
    {L"radius", Dim<Gradient, &Gradient::radius>, AttrEffect::Redraw},
};
constexpr SAttrRow<Corners> kCornerRows[] = {
    {L"radius", &CornerRadius, AttrEffect::Redraw},
    {L"radiusX", Dim<Corners, &Corners::radiusX>, AttrEffect::Redraw},
    {L"radiusY", Dim<Corners, &Corners::radiusY>, AttrEffect::Redraw},
};
constexpr SAttrRow<ShapeSize> kSizeRows[] = {
    {L"width", Dim<ShapeSize, &ShapeSize::width>, AttrEffect::Redraw},
    {L"height", Dim<ShapeSize, &ShapeSize::height>, AttrEffect::Redraw},
};
constexpr SAttrRow<ShapeRing> kRingRows[] = {
    {L"startAngle", Float<ShapeRing, &ShapeRing::startAngle>, AttrEffect::Redraw},
    {L"sweepAngle", Float<ShapeRing, &ShapeRing::sweepAngle>, AttrEffect::Redraw},
};

// Parts answer S_OK for what they take; other names go to the object root.
template <class Part, size_t N>
HRESULT SetPartAttribute(const SAttrTable<Part, N>& table, Part& part, const SStringW& name, const SStringW& value,
                         BOOL loading)
{
    HRESULT result = S_OK;
    if (!table.Apply(part, name, value, loading, result))
        return part.SShapePart::SetAttribute(name, value, loading);
    return result;
}

} // namespace

HRESULT SSkinShape::SStroke::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static constexpr SAttrTable kTable{kStrokeRows};
    return SetPartAttribute(kTable, *this, name, value, loading);
}

HRESULT SSkinShape::SGradient::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static constexpr SAttrTable kTable{kGradientRows};
    return SetPartAttribute(kTable, *this, name, value, loading);
}

HRESULT SSkinShape::SCornerSize::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static constexpr SAttrTable kTable{kCornerRows};
    return SetPartAttribute(kTable, *this, name, value, loading);
}

HRESULT SSkinShape::SShapeSize::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static constexpr SAttrTable kTable{kSizeRows};
    return SetPartAttribute(kTable, *this, name, value, loading);
}

HRESULT SSkinShape::SShapeRing::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static constexpr SAttrTable kTable{kRingRows};
    return SetPartAttribute(kTable, *this, name, value, loading);
}

int SSkinShape::Px(const SLayoutSize& dim) const
{
    return dim.ToPixel(m_scale);
}

SIZE SSkinShape::GetSkinSize() const
{
    if (!m_size) return {0, 0};
    return {Px(m_size->width), Px(m_size->height)};
}

struct SSkinShape::AttrRows
{
    static constexpr const wchar_t* kKinds[] = {L"rectangle", L"oval", L"ring"};

    static constexpr SAttrRow<SSkinShape> kRows[] = {
        {L"shape", &Choice<SSkinShape, &SSkinShape::m_kind, kKinds>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinShape::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
}

void SSkinShape::OnInitFinished(xmldom::xml_node element)
{
    for (xmldom::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element) continue;
        const SStringW tag(child.name());
        if (tag.CompareNoCase(L"solid") == 0) {
            const SStringW colour(child.attribute(L"color").value());
            m_fill = colour.IsEmpty() ? kColorUnset : ResolveNamedColor(colour);
        } else if (tag.CompareNoCase(L"gradient") == 0) {
            ApplyPart(m_gradient, child);
        } else if (tag.CompareNoCase(L"size") == 0) {
            ApplyPart(m_size, child);
        } else if (tag.CompareNoCase(L"stroke") == 0) {
            ApplyPart(m_stroke, child);
        } else if (tag.CompareNoCase(L"corners") == 0) {
            ApplyPart(m_corners, child);
        } else if (tag.CompareNoCase(L"ring") == 0) {
            ApplyPart(m_ring, child);
        }
    }
}

void SSkinShape::FillSolid(IPaintSurface* rt, const RECT* rc, POINT corner) const
{
    if (m_fill == kColorUnset) return;
    if (m_kind == Rectangle && m_corners)
        rt->FillRoundRectColor(rc, corner, m_fill);
    else if (m_kind == Rectangle)
        rt->FillRectColor(rc, m_fill);
    else if (m_kind == Oval)
        rt->FillEllipse(rc, m_fill);
}

void SSkinShape::FillGradient(IPaintSurface* rt, const RECT* rc, POINT corner, BYTE alpha) const
{
    IPaintRegion* region = nullptr;
    if (FAILED(rt->CreateRegion(&region))) return;
    if (m_kind == Rectangle && m_corners)
        region->CombineRoundRect(rc, corner, RGN_OP_COPY);
    else if (m_kind == Oval)
        region->CombineEllipse(rc, RGN_OP_COPY);
    const bool clipped = !region->IsEmpty() && SUCCEEDED(rt->PushClipRegion(region, RGN_OP_AND));
    region->Release();
    const SGradient& g = *m_gradient;
    rt->FillShapeGradient(rc, g.type, g.start, g.center, g.end, g.angle, g.centerX, g.centerY, Px(g.radius), alpha);
    if (clipped) rt->PopClip();
}

void SSkinShape::DrawStroke(IPaintSurface* rt, const RECT* rc, POINT corner) const
{
    if (m_kind == Ring && !m_ring) return;
    const int w = Px(m_stroke->width);
    const SSelectPen pen(rt, m_stroke->style, m_stroke->color, w);
    if (!pen) return;
    RECT r = {rc->left + w / 2, rc->top + w / 2, rc->right - w / 2, rc->bottom - w / 2};
    if (m_kind == Rectangle && m_corners) {
        rt->DrawRoundRect(&r, corner);
    } else if (m_kind == Rectangle) {
        rt->DrawRectangle(&r);
    } else if (m_kind == Oval) {
        rt->DrawEllipse(&r);
    } else {
        const LONG side = std::min(r.right - r.left, r.bottom - r.top) / 2 * 2;
        const LONG left = r.left + (r.right - r.left - side) / 2, top = r.top + (r.bottom - r.top - side) / 2;
        const RECT square = {left, top, left + side, top + side};
        rt->DrawArc(&square, m_ring->startAngle, m_ring->sweepAngle, FALSE);
    }
}

void SSkinShape::DrawImpl(IPaintSurface* rt, const RECT* rc, int, BYTE alpha)
{
    const POINT corner = m_corners ? POINT{Px(m_corners->radiusX), Px(m_corners->radiusY)} : POINT{0, 0};
    FillSolid(rt, rc, corner);
    if (m_gradient) FillGradient(rt, rc, corner, alpha);
    if (m_stroke) DrawStroke(rt, rc, corner);
}

void SSkinShape::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinShape*>(target);
    if (!to) return;
    to->m_kind = m_kind;
    to->m_fill = m_fill;
    to->m_size = m_size;
    to->m_corners = m_corners;
    to->m_stroke = m_stroke;
    to->m_gradient = m_gradient;
    to->m_ring = m_ring;
}

} // namespace DUI
