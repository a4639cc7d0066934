#include "app/core/FolderCreate.h"

#include <climits>
#include <mutex>

#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "app/core/CorePath.h"
#include "app/core/TextUtil.h"

namespace {

std::mutex& TreeLock()
{
    static std::mutex lock;
    return lock;
}

// Another process may create the same level between our check and our call.
CallStatus CreateLevel(const std::wstring& level)
{
    if (CreateDirectoryW(level.c_str(), nullptr))
        return CallStatus();
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && PathIsDirectoryW(level.c_str()))
        return CallStatus();
    return CallStatus(L"CreateDirectoryW", error, level);
}

// Past "\\server\" of a UNC path: the server itself cannot be created.
size_t WalkStart(const std::wstring& path)
{
    if (path.size() < 3 || path.compare(0, 2, L"\\\\") != 0)
        return 0;
    size_t serverEnd = path.find(L'\\', 2);
    return serverEnd == std::wstring::npos ? 0 : serverEnd + 1;
}

CallStatus CreateTreeLocked(std::wstring path)
{
    for (size_t at = path.find(L'\\', WalkStart(path)); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        std::wstring level = path.substr(0, at + 1);
        if (PathFileExistsW(level.c_str()))
            continue;
        if (CallStatus made = CreateLevel(level); !made)
            return made;
    }
    if (PathFileExistsW(path.c_str()))
        return CallStatus();
    if (path.size() >= 2 && (path.back() == L' ' || path.back() == L'.'))
        path += L"(1)";
    return CreateLevel(path);
}

} // namespace

CallStatus TryCreateDirectoryTree(const std::wstring& folder)
{
    std::lock_guard<std::mutex> guard(TreeLock());
    return CreateTreeLocked(folder);
}

bool CreateDirectoryTree(const DUI::SStringW& folder)
{
    return LogFailure(L"CreateDirectoryTree", TryCreateDirectoryTree(ToStdString(folder))).Ok();
}

bool CreateDirectoryTreeW(const std::wstring& folder)
{
    return CreateDirectoryTree(ToSString(folder));
}

DUI::SStringW CreateOutputFolder(const DUI::SStringW& base)
{
    const std::wstring stem = WithoutTrailingBackslash(ToStdString(base));
    std::wstring candidate = stem;
    for (int i = 0; i < INT_MAX; ++i) {
        if (!PathFileExistsW(candidate.c_str()) || PathIsDirectoryW(candidate.c_str()))
            break;
        candidate = stem + FormatWString(L"(%d)", i);
    }
    // Whether it worked shows when the first file is written into it.
    (void)LogFailure(L"CreateOutputFolder", CreateLevel(candidate));
    return ToSString(WithTrailingBackslash(candidate));
}
