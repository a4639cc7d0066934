#include "app/core/AppPaths.h"

#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/core/CallStatus.h"
#include "app/core/CorePath.h"

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

// A separator after a non-empty path that has none, then every '/' as '\\'.
void AppendSeparator(std::wstring& path)
{
    if (!path.empty())
        path = WithTrailingBackslash(std::move(path));
    ToBackslashes(path);
}

void CreateIfMissing(const DUI::SStringW& folder)
{
    // A folder that cannot be made shows when its first file is written.
    if (!PathFileExistsW(folder) && !CreateDirectoryW(folder, nullptr))
        (void)LogFailure(L"AppPaths", CallStatus::LastError(L"CreateDirectoryW", ToStdString(folder)));
}

} // namespace

DUI::SStringW GetCommonAppDataPath() { return SpecialFolder(CSIDL_COMMON_APPDATA); }
DUI::SStringW GetDesktopPath() { return SpecialFolder(CSIDL_DESKTOP); }

DUI::SStringW GetAppDataDir()
{
    DUI::SStringW dir = GetCommonAppDataPath();
    dir += L"\\";
    dir += kDataFolderName;
    dir += L"\\";
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

std::wstring GetCommonAppDataPathW()
{
    std::wstring path = ToStdString(GetCommonAppDataPath());
    AppendSeparator(path);
    return path;
}

std::wstring GetConfigIniPathW()
{
    std::wstring path = GetCommonAppDataPathW();
    path += kDataFolderName;
    AppendSeparator(path);
    return path + kConfigIniName;
}

void EnsureAppDataFolders()
{
    CreateIfMissing(GetAppDataDir());
    CreateIfMissing(GetWatermarkDir());
}
