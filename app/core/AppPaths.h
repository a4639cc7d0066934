#pragma once
// The program's data folder under the machine-wide application-data folder,
// its sub-folders, and the desktop (the modules' default output folder).
#include "app/core/SStringBridge.h"

// No trailing backslash; empty when the platform cannot tell.
DUI::SStringW GetCommonAppDataPath();
DUI::SStringW GetDesktopPath();

// With a trailing backslash.
DUI::SStringW GetAppDataDir();     // <common app data>\VeskPDF2Image\ .
DUI::SStringW GetTempDir();        // <data folder>temp\ .
DUI::SStringW GetWatermarkDir();   // <data folder>watermark\ .

// Creates the data folder and its watermark folder, one level each; failures
// are left to the users of the folders to find.
void EnsureAppDataFolders();
