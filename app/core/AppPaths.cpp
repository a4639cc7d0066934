#include "app/core/AppPaths.h"

#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

DUI::SStringW SpecialFolder(int csidl)
{
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)))
        return DUI::SStringW();
    wchar_t buffer[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(items, buffer);
    CoTaskMemFree(items);
    return ok ? DUI::SStringW(buffer) : DUI::SStringW();
}

void CreateIfMissing(const DUI::SStringW& folder)
{
    if (!PathFileExistsW(folder))
        CreateDirectoryW(folder, nullptr);
}

} // namespace

DUI::SStringW GetCommonAppDataPath() { return SpecialFolder(CSIDL_COMMON_APPDATA); }
DUI::SStringW GetDesktopPath() { return SpecialFolder(CSIDL_DESKTOP); }

DUI::SStringW GetAppDataDir()
{
    DUI::SStringW dir = GetCommonAppDataPath();
    dir += L"\\VeskPDF2Image\\";
    return dir;
}

DUI::SStringW GetTempDir()
{
    DUI::SStringW dir = GetAppDataDir();
    dir += L"temp\\";
    return dir;
}

DUI::SStringW GetWatermarkDir()
{
    DUI::SStringW dir = GetAppDataDir();
    dir += L"watermark\\";
    return dir;
}

void EnsureAppDataFolders()
{
    CreateIfMissing(GetAppDataDir());
    CreateIfMissing(GetWatermarkDir());
}
