#pragma once
// 24-bit BMP files written directly: under Wine the GDI+ encoder is slower
// than rendering the page, and writes the very same file.
#include <string>

#include "app/core/CallStatus.h"

// 32-bit pixels in GDI+ ARGB byte order (blue, green, red, alpha); alpha is
// dropped. `dpi` is stored as pixels per metre. Success when the whole file
// was written, else the failed call; a failed write leaves the file truncated
// for the caller to delete.
CallStatus WriteBmpFile(const std::wstring& path, const unsigned char* pixels, int width, int height, int stride,
                        int dpi);
