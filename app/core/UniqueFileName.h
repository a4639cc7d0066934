#pragma once
// Picking a free output file name and reserving it by creating the file, so
// that no result ever overwrites an existing file, also when several workers
// choose names in the same folder at once.
#include "app/core/SStringBridge.h"

// folder\name.ext, else folder\name(1).ext ... name(65534).ext: the first one
// created returns its path (the file exists, empty). Empty when no name under
// 260 characters can be created, or the folder does not take new files.
DUI::SStringW ReserveUniqueFile(const DUI::SStringW& folder, const DUI::SStringW& name, const DUI::SStringW& ext);

// The path itself when free, else title_0.ext, title_1.ext, ...; the chosen
// file is created empty. When the folder does not exist yet nothing is
// created and the path is returned all the same.
DUI::SStringW MakeNumberedFileName(const DUI::SStringW& path);
