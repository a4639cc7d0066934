#pragma once
// What a windowless window sees of its host: where its events end, the
// translation context and scale of the host, and where redraw requests go.
// Hosts and the container of the root window implement it.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/SWindowMgr.h"
#include "dui/core/TStringT.h"

namespace DUI {

class EventArgs;

struct ISwndContainer
{
    // An event that no owner took; the host hands it to its dialog.
    virtual BOOL OnFireEvent(EventArgs* e) = 0;
    virtual SStringW GetTrCtx() const = 0;
    // The area of the host's client that must be painted again.
    virtual void OnRedraw(const RECT& rc) = 0;
    virtual BOOL RegisterTrackMouseEvent(SWND swnd) = 0;
    virtual BOOL UnregisterTrackMouseEvent(SWND swnd) = 0;
    // The paint order of the tree must be numbered again.
    virtual void MarkZorderDirty() = 0;
    // Percent.
    virtual int GetScale() const = 0;

protected:
    ~ISwndContainer() = default;
};

} // namespace DUI
