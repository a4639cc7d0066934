#include "dui/res.mgr/SSkinAni.h"

namespace DUI {

SIZE SSkinAni::GetSkinSize() const
{
    return m_frames.empty() || !m_frames[0] ? SIZE{0, 0} : m_frames[0]->GetSize();
}

void SSkinAni::SetFrames(IPaintBitmap* const* frames, int count)
{
    m_frames.clear();
    for (int i = 0; i < count; ++i) m_frames.push_back(SRefPtr<IPaintBitmap>::Share(frames[i]));
    m_current = 0;
}

void SSkinAni::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (m_frames.empty()) return;
    if (index != -1 && m_frames.size() > 1 && index >= 0 && index < GetFrameCount()) m_current = index;
    IPaintBitmap* frame = m_frames[m_current].Get();
    if (frame) rt->DrawBitmapScaled(rc, frame, nullptr, EM_STRETCH, alpha);
}

} // namespace DUI
