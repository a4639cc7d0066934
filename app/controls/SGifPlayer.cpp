#include "app/controls/SGifPlayer.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/base/SLayoutSize.h"

namespace DUI {

namespace {

constexpr int kTickMs = 10;   // the host's timeline period

} // namespace

HRESULT SGifPlayer::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"skin") != 0)
        return SWindow::SetAttribute(name, value, loading);
    const SRefPtr<ISkinObj> skin = FindNamedSkin(value, GetScale());
    if (!skin)
        return E_FAIL;
    auto* ani = dynamic_cast<SSkinAni*>(skin.Get());
    if (!ani || !ani->IsKindOf(SSkinAni::GetClassTagStatic()))
        return S_FALSE;   // not an animation: the player keeps what it has
    m_skin = SRefPtr<SSkinAni>::Share(ani);
    if (!loading) {
        m_frame = 0;
        m_countdown = FrameTime();
        Play(IsVisible(TRUE));
        OnContentChanged();
    }
    return AfterSetAttribute(name, value, loading, S_OK);
}

// Each frame stays for its own time: scheduling by the frame a shared skin
// drew last would shift every frame by one, and two players on one skin
// would shift each other.
int SGifPlayer::FrameTime() const
{
    if (!m_skin || m_skin->GetFrameCount() < 2 || m_frame >= m_skin->GetFrameCount())
        return -kTickMs;
    const int delay = m_skin->GetFrameDelay(m_frame);
    return delay == 0 ? kZeroDelayMs : delay * 10;
}

void SGifPlayer::Play(BOOL on)
{
    ISwndContainer* container = GetContainer();
    on = on && m_skin && m_skin->GetFrameCount() > 1;
    if (!container || on == m_playing)
        return;
    if (on)
        container->RegisterTimelineHandler(this);
    else
        container->UnregisterTimelineHandler(this);
    m_playing = on;
}

void SGifPlayer::OnNextFrame()
{
    m_countdown -= kTickMs;
    if (m_countdown > 0 || !m_skin)
        return;
    const int count = m_skin->GetFrameCount();
    if (count > 0)
        m_frame = (m_frame + 1) % count;
    InvalidateClient();
    m_countdown = FrameTime();
}

SIZE SGifPlayer::MeasureContent(int, int)
{
    if (!m_skin)
        return SIZE{0, 0};
    const SIZE size = m_skin->GetSkinSize();
    const SLayoutSize::Unit unit = SLayoutSize::GetDefaultUnit();
    const int scale = GetScale();
    return SIZE{SLayoutSize(static_cast<float>(size.cx), unit).ToPixel(scale),
                SLayoutSize(static_cast<float>(size.cy), unit).ToPixel(scale)};
}

void SGifPlayer::OnPaint(IPaintSurface* rt)
{
    if (!rt || !m_skin)
        return;
    const RECT rc = GetWindowRect();
    m_skin->DrawByIndex(rt, &rc, m_frame, m_skin->GetAlpha());
}

BOOL SGifPlayer::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_SHOWWINDOW) {
        const BOOL handled = SWindow::OnSwndMessage(msg, wp, lp, result);
        if (wp && IsVisible(TRUE))
            m_countdown = FrameTime();
        Play(wp && IsVisible(TRUE));
        return handled;
    }
    if (msg == WM_DESTROY) {
        Play(FALSE);
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    return SWindow::OnSwndMessage(msg, wp, lp, result);
}

} // namespace DUI
