#include "app/core/ShellFileOps.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/core/CorePath.h"
#include "app/core/FolderCreate.h"
#include "dui/core/base/SHandle.h"

bool ShellDeletePermanent(const DUI::SStringW& path)
{
    std::wstring list = ToStdString(path);
    // An empty source would let the shell act on the current folder.
    if (list.empty())
        return false;
    ToBackslashes(list);
    // Folders such as the data folder's temp folder are built with a trailing
    // backslash, which the shell's file operation does not take as a name.
    list = WithoutTrailingBackslash(list);
    list.push_back(L'\0'); // a list of one path ends with a second NUL
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return SHFileOperationW(&op) == 0;
}

void DeleteMagickTempFiles(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry{};
    DUI::SFindHandle find(FindFirstFileW((folder + L"*").c_str(), &entry));
    if (!find)
        return;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring full = folder + name;
        if (PathIsDirectoryW(full.c_str()))
            continue;
        if (name.compare(0, 7, L"magick-") == 0)
            DeleteFileW(full.c_str());
    } while (FindNextFileW(find.Get(), &entry));
}

INT_PTR ShowFileInExplorer(HWND owner, const DUI::SStringW& file)
{
    std::wstring parameters = L"/select,\"" + ToStdString(file) + L"\"";
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", L"explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL));
}

void OpenFolderInExplorer(HWND owner, const DUI::SStringW& folder)
{
    if (PathIsDirectoryW(folder)) {
        ShellExecuteW(owner, L"open", L"explorer.exe", folder, nullptr, SW_SHOWNORMAL);
        return;
    }
    CreateDirectoryTree(folder);
}
