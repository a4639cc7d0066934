#pragma once
// The application's default message-loop factory: plain SMessageLoops.
#include "dui/core/IMsgLoopFactory.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SDefMsgLoopFactory : public TObjRefImpl<IMsgLoopFactory>
{
public:
    SMessageLoop* CreateMsgLoop() override;
    void DestroyMsgLoop(SMessageLoop* loop) override;
};

} // namespace DUI
