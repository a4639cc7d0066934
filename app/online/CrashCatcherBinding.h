#pragma once
// Binds the crash catcher skarnel.dll and registers the program's observer.
// A failure shows why in a system-modal box; the program then runs on
// without crash reports.
#include "app/online/IDumpCatchMgr.h"

[[nodiscard]] bool BindCrashCatcher(CDumpCatchObserverBase& observer);
