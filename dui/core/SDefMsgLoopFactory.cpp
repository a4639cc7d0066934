#include "dui/core/SDefMsgLoopFactory.h"

#include "dui/core/SMessageLoop.h"

namespace DUI {

SMessageLoop* SDefMsgLoopFactory::CreateMsgLoop()
{
    return new SMessageLoop();
}

void SDefMsgLoopFactory::DestroyMsgLoop(SMessageLoop* loop)
{
    delete loop;
}

} // namespace DUI
