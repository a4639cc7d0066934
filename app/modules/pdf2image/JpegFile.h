#pragma once
// JPEG files written straight through libjpeg: under Wine the GDI+ encoder
// takes four times as long for the same baseline JFIF file.
#include <string>

#include "app/core/CallStatus.h"

// 32-bit pixels in GDI+ ARGB byte order (blue, green, red, alpha); alpha is
// dropped, as the GDI+ encoder does. Written at libjpeg's default quality
// with `dpi` as the stored resolution. Success when the whole file was
// written, else the failed call; a failed write leaves the file truncated
// for the caller to delete.
CallStatus WriteJpegFile(const std::wstring& path, const unsigned char* pixels, int width, int height, int stride,
                         int dpi);
