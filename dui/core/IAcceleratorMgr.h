#pragma once
// The accelerator registry of a host and what registers with it. A target
// registered for a key combination is asked, newest registration first,
// when that combination is pressed in the host.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

class CAccelerator;

struct IAcceleratorTarget
{
    // TRUE when the target used the key; later targets are not asked.
    virtual BOOL OnAcceleratorPressed(const CAccelerator& acc) = 0;

protected:
    ~IAcceleratorTarget() = default;
};

struct IAcceleratorMgr
{
    virtual void RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) = 0;
    // Removes the first registration of the target for that combination.
    virtual void UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) = 0;
    // Removes the first registration of the target for every combination.
    virtual void UnregisterAccelerators(IAcceleratorTarget* target) = 0;

protected:
    ~IAcceleratorMgr() = default;
};

} // namespace DUI
