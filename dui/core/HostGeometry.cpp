#include "dui/core/HostGeometry.h"

#include <cstdlib>

namespace DUI {

UINT HostHitTest(POINT pt, const RECT& root, const RECT& margin)
{
    const bool right = pt.x > root.right - margin.right;
    const bool left = !right && pt.x < margin.left;
    const bool bottom = pt.y > root.bottom - margin.bottom;
    const bool top = !bottom && pt.y < margin.top;
    if (right)
        return bottom ? HTBOTTOMRIGHT : top ? HTTOPRIGHT : HTRIGHT;
    if (left)
        return bottom ? HTBOTTOMLEFT : top ? HTTOPLEFT : HTLEFT;
    return bottom ? HTBOTTOM : top ? HTTOP : HTCLIENT;
}

void MaximizedPlacement(const RECT& work, const RECT& monitor, const RECT& inset, MINMAXINFO* info)
{
    info->ptMaxPosition.x = std::abs(work.left - monitor.left) - inset.left;
    info->ptMaxPosition.y = std::abs(work.top - monitor.top) - inset.top;
    info->ptMaxSize.x = std::abs(work.right - work.left) + inset.right + inset.left;
    info->ptMaxSize.y = std::abs(work.bottom - work.top) + inset.bottom + inset.top;
    info->ptMaxTrackSize = info->ptMaxSize;
}

namespace {

POINT SlideSource(const RECT& client, const RECT& v, bool fromRight, bool fromBottom)
{
    const LONG w = client.right - client.left, h = client.bottom - client.top;
    return POINT{fromRight ? w - (v.right - v.left) : 0, fromBottom ? h - (v.bottom - v.top) : 0};
}

// Hiding moves the edges inward each frame, the content sliding out in the
// flags' direction; showing starts collapsed on the side the content comes
// from and grows by the same steps.
std::vector<AnimationFrame> SlideFrames(const RECT& client, DWORD flags, int steps, bool hide)
{
    const LONG dx = (client.right - client.left) / steps, dy = (client.bottom - client.top) / steps;
    const bool horPos = flags & AW_HOR_POSITIVE, horNeg = !horPos && (flags & AW_HOR_NEGATIVE);
    const bool verPos = flags & AW_VER_POSITIVE, verNeg = !verPos && (flags & AW_VER_NEGATIVE);
    RECT v = client;
    if (!hide) {
        if (horPos)
            v.right = v.left;
        else if (horNeg)
            v.left = v.right;
        if (verPos)
            v.bottom = v.top;
        else if (verNeg)
            v.top = v.bottom;
    }
    std::vector<AnimationFrame> frames;
    for (int i = 0; i < steps; ++i) {
        if (horPos)
            (hide ? v.left : v.right) += dx;
        else if (horNeg)
            (hide ? v.right : v.left) -= dx;
        if (verPos)
            (hide ? v.top : v.bottom) += dy;
        else if (verNeg)
            (hide ? v.bottom : v.top) -= dy;
        frames.push_back({v, hide ? SlideSource(client, v, horNeg, verNeg) : SlideSource(client, v, horPos, verPos)});
    }
    return frames;
}

std::vector<AnimationFrame> CenterFrames(const RECT& client, int steps, bool hide)
{
    const LONG dx = (client.right - client.left) / (2 * steps), dy = (client.bottom - client.top) / (2 * steps);
    std::vector<AnimationFrame> frames;
    RECT v = client;
    if (!hide) {
        const LONG cx = (client.left + client.right) / 2, cy = (client.top + client.bottom) / 2;
        v = RECT{cx, cy, cx, cy};
    }
    for (int i = 0; i < steps; ++i) {
        if (hide)
            ::InflateRect(&v, -dx, -dy);
        else
            ::InflateRect(&v, dx, dy);
        frames.push_back({v, POINT{v.left, v.top}});
    }
    return frames;
}

} // namespace

std::vector<AnimationFrame> AnimationFrames(const RECT& client, DWORD flags, int steps)
{
    if (steps <= 0)
        return {};
    const bool hide = (flags & AW_HIDE) != 0;
    if (flags & AW_SLIDE)
        return SlideFrames(client, flags, steps, hide);
    if (flags & AW_CENTER)
        return CenterFrames(client, steps, hide);
    return {};
}

} // namespace DUI
