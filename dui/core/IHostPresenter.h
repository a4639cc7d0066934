#pragma once
// Puts a host's memory surface on the screen. A program may give a host a
// presenter of its own before the native window is made.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IPaintSurface;

struct IHostPresenter : IObjRef
{
    virtual void OnHostCreate() = 0;
    virtual void OnHostDestroy() = 0;
    virtual void OnHostResize(SIZE size) = 0;
    // dc: the paint DC, or NULL to present outside WM_PAINT.
    virtual void OnHostPresent(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha) = 0;
    virtual void OnHostAlpha(BYTE alpha) = 0;

protected:
    virtual ~IHostPresenter() = default;
};

} // namespace DUI
