#include "app/core/UniqueFileName.h"

#include <climits>
#include <string>

#include <winsock2.h>
#include <windows.h>

#include "app/core/FileNames.h"
#include "app/core/TextUtil.h"
#include "dui/core/base/SHandle.h"

namespace {

enum class Reserve { Created, Taken, Failed };

// Exclusive creation is what makes the choice safe between threads and
// processes: of two writers racing for one name only one can create it.
Reserve TryCreateNew(const std::wstring& path)
{
    DUI::SFileHandle file(CreateFileW(path.c_str(), GENERIC_ALL, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return Reserve::Created;
    if (GetLastError() == ERROR_FILE_EXISTS)
        return Reserve::Taken;
    // A folder of that name fails with access denied, like a read-only folder
    // would: only the folder's presence tells the two apart.
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? Reserve::Taken : Reserve::Failed;
}

bool IsUsableFile(const std::wstring& path)
{
    const DWORD kUnusable = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE;
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kUnusable) == 0 && path.size() < MAX_PATH;
}

} // namespace

DUI::SStringW ReserveUniqueFile(const DUI::SStringW& folder, const DUI::SStringW& name, const DUI::SStringW& ext)
{
    std::wstring stem = ToStdString(folder);
    if (stem.empty() || stem.back() != L'\\')
        stem += L'\\';
    stem += ToStdString(name);
    const std::wstring extension = ToStdString(ext);
    std::wstring candidate = FormatWString(L"%s.%s", stem.c_str(), extension.c_str());
    if (candidate.size() >= MAX_PATH)
        return DUI::SStringW();
    for (int i = 0;; ++i) {
        if (i > 0)
            candidate = FormatWString(L"%s(%d).%s", stem.c_str(), i, extension.c_str());
        if (candidate.size() >= MAX_PATH)
            return DUI::SStringW();
        Reserve result = TryCreateNew(candidate);
        if (result == Reserve::Created)
            break;
        // Not a name clash (missing or read-only folder): no number will help.
        if (result == Reserve::Failed || i == 65534)
            return DUI::SStringW();
    }
    return IsUsableFile(candidate) ? ToSString(candidate) : DUI::SStringW();
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
        if (TryCreateNew(candidate) != Reserve::Taken)
            break;
    }
    return ToSString(candidate);
}
