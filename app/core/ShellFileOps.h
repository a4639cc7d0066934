#pragma once
// File-system operations through the shell: permanent deletion, clearing the
// image engine's temporary files, and showing files and folders in Explorer.
#include <string>

#include <winsock2.h>
#include <windows.h>

#include "app/core/SStringBridge.h"

// Deletes a file or a whole folder tree for good (no recycle bin, no UI).
bool ShellDeletePermanent(const DUI::SStringW& path);

// Deletes the files of `folder` (ending in a backslash) whose names begin with
// "magick-"; sub-folders are left alone.
void DeleteMagickTempFiles(const std::wstring& folder);

// Explorer with the file selected; the ShellExecuteW result (> 32 on success).
INT_PTR ShowFileInExplorer(HWND owner, const DUI::SStringW& file);

// Opens an existing folder in Explorer; a missing one is created instead.
void OpenFolderInExplorer(HWND owner, const DUI::SStringW& folder);
