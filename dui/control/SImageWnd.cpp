#include "dui/control/SImageWnd.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"

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

HRESULT SImageWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = S_OK;
    if (name.CompareNoCase(L"skin") == 0) {
        m_skin = FindNamedSkin(value, GetScale());
        // A wrap-content window takes the new skin's size.
        if (!loading)
            OnContentChanged();
    } else if (name.CompareNoCase(L"iconIndex") == 0) {
        m_iconIndex = ReadInt(value, kSetAttribute);
        hr = S_FALSE;
    } else if (name.CompareNoCase(L"tile") == 0) {
        m_tile = ReadInt(value, kSetAttribute);
    } else if (name.CompareNoCase(L"keepAspect") == 0) {
        m_keepAspect = ReadBool(value);
    } else {
        return SWindow::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, hr);
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
