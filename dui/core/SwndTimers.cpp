#include "dui/core/SwndTimers.h"

#include "dui/core/HostGeometry.h"
#include "dui/core/STimer2.h"
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

void DeliverGeneratorTick(SWindow* window, UINT_PTR id)
{
    window->DeliverSwndMessage(UM_SWND_TIMER, id, 0);
}

} // namespace

BOOL SwndTimers::SetHostTimer(HWND host, SWND swnd, char id, UINT elapse)
{
    if (!host)
        return FALSE;
    return ::SetTimer(host, MakeWindowTimer(swnd, id), elapse, nullptr) != 0;
}

void SwndTimers::KillHostTimer(HWND host, SWND swnd, char id)
{
    if (host)
        ::KillTimer(host, MakeWindowTimer(swnd, id));
}

BOOL SwndTimers::SetGeneratorTimer(SWND swnd, UINT_PTR id, UINT elapse)
{
    STimer2* timers = STimer2::GetInstance();
    if (!timers)
        return FALSE;
    STimer2::SetTickDelivery(&DeliverGeneratorTick);
    return timers->SetTimer(swnd, id, elapse);
}

void SwndTimers::KillGeneratorTimer(SWND swnd, UINT_PTR id)
{
    if (STimer2* timers = STimer2::GetInstance())
        timers->KillTimer(swnd, id);
}

} // namespace DUI
