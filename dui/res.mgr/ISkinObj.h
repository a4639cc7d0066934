#pragma once
// A drawable skin: paints a window part for a state (0 normal, 1 hover,
// 2 pushed, 3 disabled) or one of several images. Skins are also IObjects
// (kind 2), made by class tag and set up from XML attributes.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/IRender.h"

namespace DUI {

struct ISkinObj : IObjRef
{
    virtual void DrawByState(IPaintSurface* rt, const RECT* rc, DWORD state) = 0;
    virtual void DrawByIndex(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) = 0;
    virtual SIZE GetSkinSize() const = 0;
    virtual BOOL IgnoreState() const = 0;
    virtual int GetStates() const = 0;
    virtual BYTE GetAlpha() const = 0;
    virtual void SetAlpha(BYTE alpha) = 0;
    virtual void OnColorize(COLORREF color) = 0;
    virtual int GetScale() const = 0;
    // A new skin of the same class at `scale` holding one reference, or NULL.
    virtual ISkinObj* Scale(int scale) = 0;
};

} // namespace DUI
