#pragma once
// Makes and destroys the message loops of the application and its dialogs,
// so that a program may run loops of its own kind.
#include "dui/core/base/IObjRef.h"

namespace DUI {

class SMessageLoop;

struct IMsgLoopFactory : IObjRef
{
    virtual SMessageLoop* CreateMsgLoop() = 0;
    // Nothing for NULL.
    virtual void DestroyMsgLoop(SMessageLoop* loop) = 0;

protected:
    virtual ~IMsgLoopFactory() = default;
};

} // namespace DUI
