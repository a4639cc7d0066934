#include "components/orvik/OrvikMachineCode.h"

#include <winsock2.h>
#include <windows.h>

#include <cwctype>

#include "components/orvik/OrvikPageUrl.h"

std::wstring OrvikMachineCode()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) name[0] = 0;
    wchar_t windows[MAX_PATH] = {};
    DWORD serial = 0;
    if (GetWindowsDirectoryW(windows, MAX_PATH) >= 3) {
        windows[3] = 0;   // "C:\"
        if (!GetVolumeInformationW(windows, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) serial = 0;
    }
    std::wstring code = Md5Hex(std::wstring(name) + L"|" + std::to_wstring(serial));
    for (wchar_t& c : code) c = static_cast<wchar_t>(std::towupper(c));
    return code;
}
