#pragma once
// Holds the system timers started for script modules; whatever it still
// holds is stopped when it is destroyed.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SSingleton2.h"

namespace DUI {

struct SCRIPTTIMERINFO
{
    HWND hOwner = nullptr;
    UINT_PTR uTimerID = 0;
    BOOL bRepeat = FALSE;
};

class SScriptTimer : public SSingleton2<SScriptTimer>
{
public:
    ~SScriptTimer() override;

private:
    SCmnMap<SCRIPTTIMERINFO, UINT64> m_timers;
};

} // namespace DUI
