#include "app/core/SameFile.h"

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SHandle.h"

namespace {

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info)
{
    // No access rights asked: a file open elsewhere for writing still answers.
    DUI::SFileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(written < size ? written : 0);
    return full.empty() ? path : full;
}

} // namespace

bool IsSameFile(const std::wstring& a, const std::wstring& b)
{
    if (a.empty() || b.empty()) return false;
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    if (FileIdentity(a, ia) && FileIdentity(b, ib))
        return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
               ia.nFileIndexLow == ib.nFileIndexLow;
    const std::wstring fa = FullPath(a);
    const std::wstring fb = FullPath(b);
    return CompareStringOrdinal(fa.c_str(), static_cast<int>(fa.size()), fb.c_str(), static_cast<int>(fb.size()),
                                TRUE) == CSTR_EQUAL;
}
