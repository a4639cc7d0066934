#pragma once
// The one home of the Windows version. Two readings serve different needs:
// the version the system itself reports (RtlGetVersion, unaffected by what
// the program's manifest declares, with the product type) and the file
// version of ntdll.dll (which the DPI calls are chosen by).
#include <winsock2.h>
#include <windows.h>

namespace DUI {

// RtlGetVersion of ntdll into `info` (its size field set here); FALSE when
// the entry point is missing or the call fails.
BOOL ReadRtlVersion(OSVERSIONINFOEXW& info);

struct NtVersion
{
    WORD major = 0;
    WORD minor = 0;
    WORD build = 0;
};

// The file version of ntdll.dll; all zero when it cannot be read.
NtVersion ReadNtdllVersion();

} // namespace DUI
