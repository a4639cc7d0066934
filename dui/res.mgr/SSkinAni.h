#pragma once
// The base of animated skins: frames of bitmaps, filled by subclasses, one
// of them current. Drawing with an index picks that frame; -1 keeps the
// current one.
#include <vector>
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinAni : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinAni, SSkinObjBase, L"skinAni", Skin_Kind)

public:
    SIZE GetSkinSize() const override;
    int GetFrameCount() const { return static_cast<int>(m_frames.size()); }
    int GetCurrentFrame() const { return m_current; }

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;
    // Replaces the frames; the skin holds a reference to each bitmap.
    void SetFrames(IPaintBitmap* const* frames, int count);

private:
    std::vector<SRefPtr<IPaintBitmap>> m_frames;
    int m_current = 0;
};

} // namespace DUI
