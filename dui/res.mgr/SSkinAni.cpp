#include "dui/res.mgr/SSkinAni.h"

#include "dui/res.mgr/SImageLoader.h"

namespace DUI {

SIZE SSkinAni::GetSkinSize() const
{
    return m_frames.empty() || !m_frames[0].bitmap ? SIZE{0, 0} : m_frames[0].bitmap->GetSize();
}

int SSkinAni::GetFrameDelay(int index) const
{
    return index >= 0 && index < GetFrameCount() ? m_frames[index].delay : 0;
}

void SSkinAni::SetFrames(IPaintBitmap* const* frames, int count, const int* delays)
{
    m_frames.clear();
    for (int i = 0; i < count; ++i)
        m_frames.push_back(Frame{SRefPtr<IPaintBitmap>::Share(frames[i]), delays ? delays[i] : 0});
    m_current = 0;
}

int SSkinAni::SetFramesFromPicture(IPictureFrames* picture)
{
    m_frames.clear();
    m_current = 0;
    IPaintFactory* factory = GetLoaderPaintFactory();
    if (!picture || !factory)
        return 0;
    const UINT count = picture->GetFrameCount();
    m_frames.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        SRefPtr<IPaintBitmap> bmp;
        const void* pixels = picture->GetFramePixels(i);
        if (!pixels || FAILED(factory->CreateBitmap(bmp.Put())) || !bmp ||
            FAILED(bmp->InitPixels(picture->Width(), picture->Height(), pixels)))
            break;   // keep the frames made so far
        // The decoder gives milliseconds; the skin keeps hundredths.
        m_frames.push_back(Frame{bmp, static_cast<int>(picture->GetFrameDelay(i) / 10)});
    }
    return GetFrameCount();
}

void SSkinAni::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    if (auto* to = dynamic_cast<SSkinAni*>(target)) {
        to->m_frames = m_frames;
        to->m_current = 0;
    }
}

void SSkinAni::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (m_frames.empty())
        return;
    if (index != -1 && m_frames.size() > 1 && index >= 0 && index < GetFrameCount())
        m_current = index;
    if (IPaintBitmap* frame = m_frames[m_current].bitmap.Get())
        rt->DrawBitmapScaled(rc, frame, nullptr, EM_STRETCH, alpha);
}

} // namespace DUI
