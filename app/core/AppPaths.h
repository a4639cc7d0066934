#pragma once
// The program's data folder under the machine-wide application-data folder,
// its sub-folders and settings file, and the desktop (the modules' default
// output folder). The framework-string builders and the standard-string ones
// differ on purpose where the folder cannot be read: the first then begin
// with a backslash, the second give a path relative to the current folder.
#include <string>

#include "app/core/SStringBridge.h"

inline constexpr const wchar_t* kDataFolderName = L"VeskPDF2Image";
inline constexpr const wchar_t* kConfigIniName = L"config.ini";

// No trailing backslash; empty when the platform cannot tell.
DUI::SStringW GetCommonAppDataPath();
DUI::SStringW GetDesktopPath();

// With a trailing backslash.
DUI::SStringW GetAppDataDir();     // <common app data>\VeskPDF2Image\ .
DUI::SStringW GetTempDir();        // <data folder>temp\ .
DUI::SStringW GetWatermarkDir();   // <data folder>watermark\ .

// CSIDL_COMMON_APPDATA with a trailing backslash; empty when unreadable.
std::wstring GetCommonAppDataPathW();
// <common app data>\VeskPDF2Image\config.ini (relative when the folder is unreadable).
std::wstring GetConfigIniPathW();

// Creates the data folder and its watermark folder, one level each; failures
// are left to the users of the folders to find.
void EnsureAppDataFolders();
