#include "app/core/UniqueFileName.h"

#include <climits>
#include <string>

#include <winsock2.h>
#include <windows.h>

#include "app/core/CorePath.h"
#include "app/core/FileNames.h"
#include "app/core/TextUtil.h"
#include "dui/core/base/SHandle.h"

namespace {

enum class Reserve { Created, Taken, Failed };

// Exclusive creation is what makes the choice safe between threads and
// processes: of two writers racing for one name only one can create it.
// `error` holds CreateFileW's error when it failed.
Reserve TryCreateNew(const std::wstring& path, DWORD& error)
{
    DUI::SFileHandle file(CreateFileW(path.c_str(), GENERIC_ALL, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return Reserve::Created;
    error = GetLastError();
    if (error == ERROR_FILE_EXISTS)
        return Reserve::Taken;
    // A folder of that name fails with access denied, like a read-only folder
    // would: only the folder's presence tells the two apart.
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? Reserve::Taken : Reserve::Failed;
}

CallStatus TooLong(const std::wstring& path)
{
    return CallStatus(L"MAX_PATH", ERROR_FILENAME_EXCED_RANGE, path);
}

bool IsUsableFile(const std::wstring& path)
{
    const DWORD kUnusable = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE;
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kUnusable) == 0 && path.size() < MAX_PATH;
}

} // namespace

CallStatus ReserveUniqueFile(const std::wstring& folder, const std::wstring& name, const std::wstring& ext,
                             std::wstring& reserved)
{
    reserved.clear();
    std::wstring stem = WithTrailingBackslash(folder) + name;
    std::wstring candidate = FormatWString(L"%s.%s", stem.c_str(), ext.c_str());
    for (int i = 0;; ++i) {
        if (i > 0)
            candidate = FormatWString(L"%s(%d).%s", stem.c_str(), i, ext.c_str());
        if (candidate.size() >= MAX_PATH)
            return TooLong(candidate);
        DWORD error = 0;
        Reserve result = TryCreateNew(candidate, error);
        if (result == Reserve::Created)
            break;
        // Not a name clash (missing or read-only folder): no number will help.
        if (result == Reserve::Failed || i == 65534)
            return CallStatus(L"CreateFileW", error, candidate);
    }
    if (!IsUsableFile(candidate))
        return CallStatus::LastError(L"GetFileAttributesW", candidate);
    reserved = candidate;
    return CallStatus();
}

DUI::SStringW ReserveUniqueFile(const DUI::SStringW& folder, const DUI::SStringW& name, const DUI::SStringW& ext)
{
    std::wstring reserved;
    if (!ReserveUniqueFile(ToStdString(folder), ToStdString(name), ToStdString(ext), reserved))
        return DUI::SStringW();
    return ToSString(reserved);
}

DUI::SStringW MakeNumberedFileName(const DUI::SStringW& path)
{
    const std::wstring original = ToStdString(path);
    const std::wstring folder = GetParentFolder(original);
    const std::wstring title = GetFileBaseName(original);
    const std::wstring ext = GetFileExtension(original);
    std::wstring candidate = original;
    for (int i = 0; i < INT_MAX; ++i) {
        if (i > 0) {
            candidate = folder + title + FormatWString(L"_%d", i - 1);
            if (!ext.empty())
                candidate += L"." + ext;
        }
        DWORD error = 0;
        if (TryCreateNew(candidate, error) != Reserve::Taken)
            break;
    }
    return ToSString(candidate);
}
