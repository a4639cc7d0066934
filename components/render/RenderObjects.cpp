#include "components/render/RenderObjects.h"

namespace vrender {

RenderFont::RenderFont(DUI::IPaintFactory* f, const LOGFONTW& lf) : TPaintObject(f), m_lf(lf)
{
    // Text is drawn as a grey mask and blended by the surface: sub-pixel
    // colour fringes would turn into wrong coverage, so ask for grey levels.
    LOGFONTW use = lf;
    if (use.lfQuality != NONANTIALIASED_QUALITY) use.lfQuality = ANTIALIASED_QUALITY;
    m_font.Reset(CreateFontIndirectW(&use));
}

RenderRegion::RenderRegion(DUI::IPaintFactory* f) : TPaintObject(f), m_rgn(CreateRectRgn(0, 0, 0, 0)) {}

void RenderRegion::Combine(DUI::SGdiObject<HRGN> with, int mode)
{
    if (!with) return;
    if (mode == RGN_COPY)
        CombineRgn(m_rgn, with, nullptr, RGN_COPY);
    else if (mode >= RGN_AND && mode <= RGN_DIFF)
        CombineRgn(m_rgn, m_rgn, with, mode);
}

void RenderRegion::CombineRect(const RECT* rect, int mode)
{
    Combine(DUI::SGdiObject<HRGN>(CreateRectRgnIndirect(rect)), mode);
}

void RenderRegion::CombineRoundRect(const RECT* rect, POINT corner, int mode)
{
    Combine(DUI::SGdiObject<HRGN>(
        CreateRoundRectRgn(rect->left, rect->top, rect->right, rect->bottom, corner.x * 2, corner.y * 2)), mode);
}

void RenderRegion::CombineEllipse(const RECT* rect, int mode)
{
    Combine(DUI::SGdiObject<HRGN>(CreateEllipticRgnIndirect(rect)), mode);
}

void RenderRegion::CombineRegion(const DUI::IPaintRegion* other, int mode)
{
    DUI::SGdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    if (copy) CombineRgn(copy, static_cast<const RenderRegion*>(other)->m_rgn, nullptr, RGN_COPY);
    Combine(std::move(copy), mode);
}

BOOL RenderRegion::IsEmpty() const
{
    RECT box;
    return ::GetRgnBox(m_rgn, &box) == NULLREGION;
}

BOOL RenderRegion::PtInRegion(POINT pt) const
{
    return ::PtInRegion(m_rgn, pt.x, pt.y);
}

BOOL RenderRegion::RectInRegion(const RECT* rect) const
{
    return ::RectInRegion(m_rgn, rect);
}

void RenderRegion::GetRgnBox(RECT* rect) const
{
    ::GetRgnBox(m_rgn, rect);
}

void RenderRegion::Offset(POINT pt)
{
    OffsetRgn(m_rgn, pt.x, pt.y);
}

void RenderRegion::CopyFromHRGN(HRGN rgn)
{
    CombineRgn(m_rgn, rgn, nullptr, RGN_COPY);
}

void RenderRegion::Clear()
{
    SetRectRgn(m_rgn, 0, 0, 0, 0);
}

} // namespace vrender
