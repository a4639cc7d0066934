#pragma once
// The size of a file on disk, as the first entry FindFirstFileW finds for the
// path: the one rule behind the folder provider's and the program's sizes.
#include <cstdint>

#include <winsock2.h>
#include <windows.h>

namespace DUI {

// All 64 bits; 0 when nothing is found.
uint64_t FindFileSize(LPCWSTR path);

} // namespace DUI
