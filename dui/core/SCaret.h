#pragma once
// The caret of a host, drawn by inverting the pixels of the host image under
// it: drawing twice in one place erases it, so only its size matters.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IRender.h"
#include "dui/core/SWindowMgr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SCaret : public TObjRefImpl<IObjRef>
{
public:
    SCaret(SWND owner, int width, int height) : m_owner(owner), m_size{width, height} {}

    // Inverts the caret at (x, y) of the target (host coordinates), clipped
    // to its owner's client area and that of every ancestor; returns the
    // rectangle it changed.
    RECT Draw(IPaintSurface* target, int x, int y) const;
    SWND GetOwner() const { return m_owner; }
    SIZE GetSize() const { return m_size; }

    // Inverts premultiplied pixels, keeping their alpha: twice restores them.
    static void InvertPixels(IPaintSurface* target, const RECT& rc);

private:
    RECT OwnerClip() const;

    SWND m_owner;
    SIZE m_size;
};

} // namespace DUI
