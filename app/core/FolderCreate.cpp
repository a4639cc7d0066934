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
bool MakeLevel(const std::wstring& level)
{
    if (CreateDirectoryW(level.c_str(), nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && PathIsDirectoryW(level.c_str());
}

// Past "\\server\" of a UNC path: the server itself cannot be created.
size_t WalkStart(const std::wstring& path)
{
    if (path.size() < 3 || path.compare(0, 2, L"\\\\") != 0)
        return 0;
    size_t serverEnd = path.find(L'\\', 2);
    return serverEnd == std::wstring::npos ? 0 : serverEnd + 1;
}

bool CreateTreeLocked(std::wstring path)
{
    for (size_t at = path.find(L'\\', WalkStart(path)); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        std::wstring level = path.substr(0, at + 1);
        if (!PathFileExistsW(level.c_str()) && !MakeLevel(level))
            return false;
    }
    if (PathFileExistsW(path.c_str()))
        return true;
    if (path.size() >= 2 && (path.back() == L' ' || path.back() == L'.'))
        path += L"(1)";
    return MakeLevel(path);
}

} // namespace

bool CreateDirectoryTree(const DUI::SStringW& folder)
{
    std::lock_guard<std::mutex> guard(TreeLock());
    return CreateTreeLocked(ToStdString(folder));
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
    CreateDirectoryW(candidate.c_str(), nullptr);
    if (candidate.empty() || candidate.back() != L'\\')
        candidate += L'\\';
    return ToSString(candidate);
}
