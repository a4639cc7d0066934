#include "dui/core/SCaret.h"

#include <cstdint>

#include "dui/core/ISwndContainer.h"
#include "dui/core/SWindow.h"

namespace DUI {

RECT SCaret::OwnerClip() const
{
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    SWindow* owner = mgr ? mgr->GetWindow(m_owner) : nullptr;
    if (!owner)
        return RECT{};
    RECT clip = owner->GetClientRect();
    for (SWindow* p = owner->GetParent(); p; p = p->GetParent()) {
        const RECT client = p->GetClientRect();
        ::IntersectRect(&clip, &clip, &client);
    }
    if (ISwndContainer* host = owner->GetContainer())
        host->MapRectToHost(&clip);
    return clip;
}

RECT SCaret::Draw(IPaintSurface* target, int x, int y) const
{
    const RECT caret = {x, y, x + m_size.cx, y + m_size.cy};
    const RECT clip = OwnerClip();
    RECT drawn = {};
    if (!::IntersectRect(&drawn, &caret, &clip))
        return RECT{};
    InvertPixels(target, drawn);
    return drawn;
}

void SCaret::InvertPixels(IPaintSurface* target, const RECT& rc)
{
    auto* bmp = target ? static_cast<IPaintBitmap*>(target->GetSelectedObject(OT_BITMAP)) : nullptr;
    if (!bmp)
        return;
    const RECT all = {0, 0, bmp->Width(), bmp->Height()};
    RECT area;
    if (!::IntersectRect(&area, &rc, &all))
        return;
    auto* pixels = static_cast<uint32_t*>(bmp->LockPixels());
    if (!pixels)
        return;
    for (LONG y = area.top; y < area.bottom; ++y) {
        uint32_t* row = pixels + static_cast<size_t>(y) * all.right;
        for (LONG x = area.left; x < area.right; ++x) {
            const uint32_t a = row[x] >> 24;
            const uint32_t r = a - ((row[x] >> 16) & 0xFF), g = a - ((row[x] >> 8) & 0xFF), b = a - (row[x] & 0xFF);
            row[x] = (a << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
        }
    }
    bmp->UnlockPixels(pixels);
}

} // namespace DUI
