#pragma once
// Picking a free output file name and reserving it by creating the file, so
// that no result ever overwrites an existing file, also when several workers
// choose names in the same folder at once.
#include <string>

#include "app/core/CallStatus.h"
#include "app/core/SStringBridge.h"

// folder\name.ext, else folder\name(1).ext ... name(65534).ext: the first one
// created returns its path (the file exists, empty). Empty when no name under
// 260 characters can be created, or the folder does not take new files.
DUI::SStringW ReserveUniqueFile(const DUI::SStringW& folder, const DUI::SStringW& name, const DUI::SStringW& ext);

// The same, with the reason when no name is reserved: the failed call
// ("CreateFileW", or "MAX_PATH" with ERROR_FILENAME_EXCED_RANGE for a name
// too long) with its error code and the path it was given.
CallStatus ReserveUniqueFile(const std::wstring& folder, const std::wstring& name, const std::wstring& ext,
                             std::wstring& reserved);

// The path itself when free, else title_0.ext, title_1.ext, ...; the chosen
// file is created empty. When the folder does not exist yet nothing is
// created and the path is returned all the same.
DUI::SStringW MakeNumberedFileName(const DUI::SStringW& path);
