#include "dui/control/STabSlider.h"

#include <cstdint>

#include "dui/control/STabCtrl.h"
#include "dui/core/SApplication.h"

namespace DUI {

namespace {

// The picture holds two page areas; past this many pixels (256 MB) the
// pages swap without a slide.
constexpr int64_t kMaxSlidePixels = 64LL * 1024 * 1024;

} // namespace

STabSlider::STabSlider(STabCtrl* owner) : m_owner(owner)
{
    SetAttribute(L"msgTransparent", L"1", TRUE);
}

STabSlider::~STabSlider() = default;

BOOL STabSlider::Start(int from, int to, int steps, int type, IInterpolator* interpolator)
{
    STabPage* oldPage = m_owner->GetItem(from);
    STabPage* newPage = m_owner->GetItem(to);
    if (!oldPage || !newPage)
        return FALSE;
    m_owner->GetChildArea(&m_area);
    const int w = m_area.right - m_area.left, h = m_area.bottom - m_area.top;
    m_vertical = m_owner->GetTabAlign() == STabCtrl::Align_Left || m_owner->GetTabAlign() == STabCtrl::Align_Right;
    SApplication* app = SApplication::GetInstance();
    IPaintFactory* factory = app ? app->GetPaintFactory() : nullptr;
    if (w <= 0 || h <= 0 || 2LL * w * h > kMaxSlidePixels || !factory ||
        FAILED(factory->CreateSurface(m_vertical ? w : 2 * w, m_vertical ? 2 * h : h, m_surface.Put())) || !m_surface)
        return FALSE;
    m_owner->InsertChild(this, type == 0 ? nullptr : ICWND_FIRST);
    AddRef();   // the control's tree holds the slider like any child
    // What lies below the slider is found by paint order, which must count
    // the slider already.
    if (ISwndContainer* container = GetContainer())
        container->UpdateZorder();
    Move(&m_area);
    const int extent = m_vertical ? h : w;
    const BOOL forward = from < to;
    m_from = forward ? 0 : extent;
    m_to = forward ? extent : 0;
    m_steps = steps;
    m_interpolator.Reset(interpolator);
    SetAxisOffset(m_from);
    Capture(forward ? 0 : extent, type);
    oldPage->SetVisible(FALSE, FALSE);
    newPage->SetVisible(TRUE, FALSE);
    newPage->UpdateLayout();
    Capture(forward ? extent : 0, type);
    newPage->SetVisible(FALSE, FALSE);
    m_ticking = GetContainer() && GetContainer()->RegisterTimelineHandler(this);
    InvalidateRect(nullptr);
    return TRUE;
}

// The area as it shows with the current page, drawn at `at` along the axis
// of the picture.
void STabSlider::Capture(int at, int type)
{
    POINT previous = {};
    const int x = m_vertical ? 0 : at, y = m_vertical ? at : 0;
    m_surface->SetViewOrigin(x - m_area.left, y - m_area.top, &previous);
    if (type == 0)
        PaintBackground(m_surface.Get(), &m_area);
    else
        PaintForeground(m_surface.Get(), &m_area);
    m_surface->SetViewOrigin(previous.x, previous.y, nullptr);
}

void STabSlider::SetAxisOffset(int value)
{
    m_offset = m_vertical ? POINT{0, value} : POINT{value, 0};
}

void STabSlider::OnTimelineTick()
{
    ++m_step;
    if (m_step > m_steps) {
        Finish();
        return;
    }
    const float t = m_steps > 0 ? static_cast<float>(m_step) / static_cast<float>(m_steps) : 1.0f;
    const float f = m_interpolator ? m_interpolator->GetInterpolation(t) : t;
    SetAxisOffset(m_from + static_cast<int>((m_to - m_from) * f));
    InvalidateRect(nullptr);
}

void STabSlider::Leave()
{
    if (m_ticking && GetContainer())
        GetContainer()->UnregisterTimelineHandler(this);
    m_ticking = FALSE;
}

void STabSlider::Finish()
{
    const SRefPtr<STabSlider> keep = SRefPtr<STabSlider>::Share(this);
    Leave();
    STabCtrl* owner = m_owner;
    if (!owner || GetParent() != owner)
        return;
    m_owner = nullptr;
    owner->DestroyChild(this);
    owner->OnSliderFinished();
}

void STabSlider::OnPaint(IPaintSurface* rt)
{
    if (!rt || !m_surface)
        return;
    const RECT dst = GetWindowRect();
    const RECT src = {m_offset.x, m_offset.y, m_offset.x + (dst.right - dst.left), m_offset.y + (dst.bottom - dst.top)};
    rt->AlphaBlendFromSurface(&dst, m_surface.Get(), &src, 255);
}

BOOL STabSlider::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_DESTROY) {
        Leave();
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    if (msg == WM_SIZE) {
        // A layout pass that leaves the size as it was keeps the picture.
        const BOOL handled = SWindow::OnSwndMessage(msg, wp, lp, result);
        const RECT rc = GetWindowRect();
        const BOOL resized = rc.right - rc.left != m_area.right - m_area.left ||
                             rc.bottom - rc.top != m_area.bottom - m_area.top;
        if (m_surface && m_owner && resized)
            Finish();
        return handled;
    }
    return SWindow::OnSwndMessage(msg, wp, lp, result);
}

} // namespace DUI
