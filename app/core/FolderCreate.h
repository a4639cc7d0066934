#pragma once
// Creating output folders: a whole folder path at once, safely from several
// worker threads, or a fresh numbered folder beside a file in the way.
#include <string>

#include "app/core/CallStatus.h"
#include "app/core/SStringBridge.h"

// True when the folder exists at the end. A last level ending in a blank or a
// dot (which Windows would silently strip) is created with "(1)" appended.
bool CreateDirectoryTree(const DUI::SStringW& folder);
bool CreateDirectoryTreeW(const std::wstring& folder);
// The same with the reason of a failure: the call that failed, its error
// code and the level it was creating.
CallStatus TryCreateDirectoryTree(const std::wstring& folder);

// The base folder when it exists or can be made; when a file of that name is
// in the way, base(0), base(1), ... Returned with a trailing backslash; the
// folder is created one level deep and may not exist when that fails.
DUI::SStringW CreateOutputFolder(const DUI::SStringW& base);
