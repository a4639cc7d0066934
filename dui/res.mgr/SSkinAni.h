#pragma once
// The base of animated skins: frames of bitmaps, each with its display time,
// filled by subclasses, one of them current. Drawing with an index picks
// that frame; -1 keeps the current one.
#include <vector>
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinAni : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinAni, SSkinObjBase, L"skinani", Skin_Kind)

public:
    SIZE GetSkinSize() const override;
    int GetStates() const override { return GetFrameCount(); }
    int GetFrameCount() const { return static_cast<int>(m_frames.size()); }
    int GetCurrentFrame() const { return m_current; }
    // Display time of a frame in hundredths of a second; 0 past the end.
    int GetFrameDelay(int index) const;

    // A copy at another scale shares the frames: they are drawn stretched.
    void CopyTo(ISkinObj* target, int scale) const override;

    // Both give the number of frames loaded; the base loads none.
    virtual int LoadFromFile(LPCWSTR) { return 0; }
    virtual int LoadFromMemory(const void*, size_t) { return 0; }

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;
    // Replaces the frames; the skin holds a reference to each bitmap.
    // `delays` (hundredths of a second) may be null: every frame 0.
    void SetFrames(IPaintBitmap* const* frames, int count, const int* delays = nullptr);
    // The frames of a decoded picture, made into bitmaps by the loader's
    // render factory; the number of frames kept.
    int SetFramesFromPicture(IPictureFrames* picture);

private:
    struct Frame
    {
        SRefPtr<IPaintBitmap> bitmap;
        int delay = 0;
    };
    std::vector<Frame> m_frames;
    int m_current = 0;
};

} // namespace DUI
