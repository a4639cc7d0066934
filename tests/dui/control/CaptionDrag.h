#pragma once
// Dragging on a host window with posted mouse input, as the system queues it.
// The cursor is put where each message says: the system's move loop follows
// the cursor, not the message's point.
#include <winsock2.h>
#include <windows.h>

#include <initializer_list>

#include "tests/dui/core/NativeWindowTestSupport.h"

namespace captiontest {

inline LPARAM Point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

inline void PostMouse(HWND hwnd, UINT msg, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageW(hwnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, Point(client.x, client.y));
}

// Presses at `from`, moves along `path` and releases at its end (points in
// client coordinates); once the input is handled, how far the host window went.
inline POINT DragOn(HWND hwnd, POINT from, std::initializer_list<POINT> path)
{
    RECT before;
    ::GetWindowRect(hwnd, &before);
    PostMouse(hwnd, WM_LBUTTONDOWN, from);
    POINT last = from;
    for (POINT p : path) {
        PostMouse(hwnd, WM_MOUSEMOVE, p);
        last = p;
    }
    PostMouse(hwnd, WM_LBUTTONUP, last);
    EXPECT_TRUE(nativetest::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) == 0; }, 10000));
    RECT after;
    ::GetWindowRect(hwnd, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    return POINT{after.left - before.left, after.top - before.top};
}

} // namespace captiontest
