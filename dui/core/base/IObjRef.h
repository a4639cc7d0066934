#pragma once
// Reference counting shared by every framework object that has more than one
// owner. A creating call hands over one reference; getters add none.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

struct IObjRef
{
    virtual long AddRef() = 0;
    virtual long Release() = 0;
    virtual void OnLastRelease() = 0;

protected:
    // Objects die through Release, never through a pointer to this interface.
    ~IObjRef() = default;
};

} // namespace DUI
