#pragma once
// What an item panel asks of the view that hosts it.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

class SItemPanel;

struct IItemContainer
{
    // The panel takes (TRUE) or gives back the mouse capture; the view
    // routes every mouse message to it meanwhile.
    virtual void OnItemSetCapture(SItemPanel* item, BOOL capture) = 0;
    // The item's rectangle in host-window coordinates.
    virtual BOOL OnItemGetRect(const SItemPanel* item, RECT& rc) const = 0;
    // TRUE: the panel's redraw requests become invalidations of the host.
    virtual BOOL IsRedrawDeferred() const = 0;
    virtual void OnItemLayoutDirty(SItemPanel* item) = 0;

protected:
    ~IItemContainer() = default;
};

} // namespace DUI
