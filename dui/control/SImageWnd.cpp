#include "dui/control/SImageWnd.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SImageWnd::SetAttribute";
constexpr UINT kNoExpandMode = ~0u;

// The expand mode of a tile mode: 0 stretches, 1 draws as it is, 2 tiles.
UINT ExpandModeOf(int tile)
{
    switch (tile) {
    case 0: return 1;
    case 1: return 0;
    case 2: return 2;
    default: return kNoExpandMode;
    }
}

} // namespace

SImageWnd::SImageWnd()
{
    SetAttribute(L"msgTransparent", L"1", TRUE);
}

struct SImageWnd::AttrRows
{
    using Row = SAttrRow<SImageWnd>;

    // A wrap-content window takes the new skin's size.
    static HRESULT Skin(SImageWnd& w, const SStringW& value, BOOL loading)
    {
        w.m_skin = FindNamedSkin(value, w.GetScale());
        if (!loading)
            w.OnContentChanged();
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"skin", &Skin, AttrEffect::Redraw},
        {L"iconIndex", &layoutattr::Int<SImageWnd, kSetAttribute, &SImageWnd::m_iconIndex>, AttrEffect::None},
        {L"tile", &layoutattr::Int<SImageWnd, kSetAttribute, &SImageWnd::m_tile>, AttrEffect::Redraw},
        {L"keepAspect", &ctrlattr::Bool<SImageWnd, &SImageWnd::m_keepAspect>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SImageWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SImageWnd::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    ColorizeSkin(m_skin.Get(), color);
}

void SImageWnd::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    RescaleSkin(m_skin, scale);
}

SIZE SImageWnd::MeasureContent(int, int)
{
    if (m_image)
        return m_image->GetSize();
    return SkinSizeOf(m_skin.Get());
}

void SImageWnd::SetImage(IPaintBitmap* image, int filterLevel)
{
    m_image.Reset(image);
    m_filterLevel = filterLevel;
    OnContentChanged();
}

BOOL SImageWnd::FitToAspect(RECT& rc) const
{
    const SIZE source = m_image ? m_image->GetSize() : (m_skin ? m_skin->GetSkinSize() : SIZE{0, 0});
    if (source.cx <= 0 || source.cy <= 0)
        return FALSE;
    const double ratio = static_cast<double>(source.cx) / source.cy;
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (static_cast<double>(width) / height > ratio) {
        const int band = (width - static_cast<int>(height * ratio)) / 2;
        ::InflateRect(&rc, -band, 0);
    } else {
        const int band = (height - static_cast<int>(width / ratio)) / 2;
        ::InflateRect(&rc, 0, -band);
    }
    return TRUE;
}

void SImageWnd::OnPaint(IPaintSurface* rt)
{
    RECT rc = GetWindowRect();
    if (!rt || ::IsRectEmpty(&rc))
        return;
    if (m_keepAspect && !FitToAspect(rc))
        return;
    if (m_image) {
        const UINT mode = ExpandModeOf(m_tile);
        if (mode == kNoExpandMode)
            return;
        const SIZE size = m_image->GetSize();
        const RECT source = {0, 0, size.cx, size.cy};
        rt->DrawBitmapScaled(&rc, m_image.Get(), &source, MakeExpandMode(mode, m_filterLevel), 255);
    } else if (m_skin) {
        m_skin->DrawByState(rt, &rc, static_cast<DWORD>(m_iconIndex));
    }
}

} // namespace DUI
