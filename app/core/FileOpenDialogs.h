#pragma once
// The system's open-file dialog, for files or for folders, with multiple
// selection; both append the chosen paths in selection order. Callers run
// them on the user-interface thread with COM initialised and look only at
// the paths: a negative result means the dialog could not be shown or the
// user cancelled (HRESULT_FROM_WIN32(ERROR_CANCELLED)).
#include <winsock2.h>
#include <windows.h>
#include <shobjidl.h>

#include <string>
#include <vector>

// Without filters (null or a count of 0) the dialog offers all files.
HRESULT ShowOpenFilesDialog(std::vector<std::wstring>& out, HWND owner, const COMDLG_FILTERSPEC* filters,
                            UINT filterCount);
HRESULT ShowPickFolderDialog(std::vector<std::wstring>& out, HWND owner);
