// skarnel.dll: our stand-in for the crash catcher. Asking for the manager
// installs the catcher for the whole process.
#include <mutex>

#include "components/skarnel/DumpCatcher.h"

extern "C" __declspec(dllexport) IDumpCatchMgr* getBLLDumpCatchMgrExportInterface()
{
    static std::once_flag installed;
    std::call_once(installed, [] { DumpCatcher::Instance().Install(); });
    return &DumpCatcher::Instance();
}
