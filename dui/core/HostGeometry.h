#pragma once
// The arithmetic of host windows, apart from any window: where the resize
// borders are, where a maximised host goes, which part of the image each
// frame of an animated show or hide uncovers, and how host timers are named.
#include <vector>

#include <winsock2.h>
#include <windows.h>

namespace DUI {

// HTCLIENT or the resize border under a client point; margin: the border widths.
UINT HostHitTest(POINT pt, const RECT& root, const RECT& margin);

// A maximised host covers the work area grown by the inset on every side.
void MaximizedPlacement(const RECT& work, const RECT& monitor, const RECT& inset, MINMAXINFO* info);

// One frame of an animated show or hide: where the image goes, and the
// image point that lands on its top-left.
struct AnimationFrame
{
    RECT visible;
    POINT source;
};

// The frames of AnimateWindow-style flags (AW_SLIDE with directions or
// AW_CENTER, showing or hiding) over `steps` frames; empty for other flags.
std::vector<AnimationFrame> AnimationFrames(const RECT& client, DWORD flags, int steps);

// Timers of windowless windows ride on the host's: bit 31, the window's
// timer id in bits 24-30, its SWND in bits 0-23.
constexpr UINT_PTR kWindowTimerBit = 0x80000000u;
inline bool IsWindowTimer(UINT_PTR id) { return (id & kWindowTimerBit) != 0; }
inline DWORD WindowTimerSwnd(UINT_PTR id) { return static_cast<DWORD>(id & 0xFFFFFF); }
inline UINT WindowTimerId(UINT_PTR id) { return static_cast<UINT>((id >> 24) & 0x7F); }
// Only ids 0-127 are told apart: bit 7 of the window's id is always set.
inline UINT_PTR MakeWindowTimer(DWORD swnd, char id)
{
    const UINT windowId = static_cast<BYTE>(id) | 0x80u;
    return static_cast<UINT_PTR>((windowId << 24) | (swnd & 0xFFFFFFu));
}

} // namespace DUI
