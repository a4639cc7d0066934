#include "dui/res.mgr/SSkinShape.h"

#include <algorithm>
#include <cstdio>
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSelectPen.h"

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

HRESULT SSkinShape::SStroke::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static const wchar_t* const kStyles[] = {L"solid", L"dash", nullptr, L"dashDot", L"dashDotDot"};
    if (name.CompareNoCase(L"width") == 0) {
        width = ResolveLayoutDim(value.c_str());
    } else if (name.CompareNoCase(L"color") == 0) {
        if (value.IsEmpty()) return E_FAIL;
        color = ResolveNamedColor(value);
    } else if (name.CompareNoCase(L"style") == 0) {
        const int s = Pick(value, kStyles);
        if (s < 0) return E_FAIL;
        style = s;
    } else {
        return SShapePart::SetAttribute(name, value, loading);
    }
    return S_OK;
}

HRESULT SSkinShape::SGradient::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static const wchar_t* const kTypes[] = {L"linear", L"radial", L"sweep"};
    COLORREF* colour = name.CompareNoCase(L"startColor") == 0    ? &start
                       : name.CompareNoCase(L"centerColor") == 0 ? &center
                       : name.CompareNoCase(L"endColor") == 0    ? &end
                                                                 : nullptr;
    if (colour) {
        if (value.IsEmpty()) return E_FAIL;
        *colour = ResolveNamedColor(value);
    } else if (name.CompareNoCase(L"type") == 0) {
        const int t = Pick(value, kTypes);
        if (t < 0) return E_FAIL;
        type = t;
    } else if (name.CompareNoCase(L"angle") == 0) {
        angle = ReadFloat(value);
    } else if (name.CompareNoCase(L"centerX") == 0) {
        centerX = ReadFloat(value);
    } else if (name.CompareNoCase(L"centerY") == 0) {
        centerY = ReadFloat(value);
    } else if (name.CompareNoCase(L"radius") == 0) {
        radius = ResolveLayoutDim(value.c_str());
    } else {
        return SShapePart::SetAttribute(name, value, loading);
    }
    return S_OK;
}

HRESULT SSkinShape::SCornerSize::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"radius") == 0) {
        SStringWList parts;
        const size_t n = SplitString(value, L',', parts);
        if (n != 1 && n != 2) return E_INVALIDARG;
        radiusX = ResolveLayoutDim(parts[0].c_str());
        radiusY = ResolveLayoutDim(parts[n - 1].c_str());
    } else if (name.CompareNoCase(L"radiusX") == 0) {
        radiusX = ResolveLayoutDim(value.c_str());
    } else if (name.CompareNoCase(L"radiusY") == 0) {
        radiusY = ResolveLayoutDim(value.c_str());
    } else {
        return SShapePart::SetAttribute(name, value, loading);
    }
    return S_OK;
}

HRESULT SSkinShape::SShapeSize::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"width") == 0)
        width = ResolveLayoutDim(value.c_str());
    else if (name.CompareNoCase(L"height") == 0)
        height = ResolveLayoutDim(value.c_str());
    else
        return SShapePart::SetAttribute(name, value, loading);
    return S_OK;
}

HRESULT SSkinShape::SShapeRing::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"startAngle") == 0)
        startAngle = ReadFloat(value);
    else if (name.CompareNoCase(L"sweepAngle") == 0)
        sweepAngle = ReadFloat(value);
    else
        return SShapePart::SetAttribute(name, value, loading);
    return S_OK;
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

HRESULT SSkinShape::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static const wchar_t* const kKinds[] = {L"rectangle", L"oval", L"ring"};
    if (name.CompareNoCase(L"shape") != 0) return SSkinObjBase::SetAttribute(name, value, loading);
    const int kind = Pick(value, kKinds);
    if (kind >= 0) m_kind = kind;
    return AfterSetAttribute(name, value, loading, kind >= 0 ? 1 : E_FAIL);
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
