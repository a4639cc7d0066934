#pragma once
// 24-bit BMP files written directly: under Wine the GDI+ encoder is slower
// than rendering the page, and writes the very same file.
#include <string>

// 32-bit pixels in GDI+ ARGB byte order (blue, green, red, alpha); alpha is
// dropped. `dpi` is stored as pixels per metre. True when the whole file was
// written; a failed write leaves the file truncated for the caller to delete.
[[nodiscard]] bool WriteBmpFile(const std::wstring& path, const unsigned char* pixels, int width, int height,
                                int stride, int dpi);
