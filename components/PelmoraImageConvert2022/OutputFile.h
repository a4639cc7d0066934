#pragma once
// Writes an encoded picture in one go. A write that fails (folder gone, disk
// full, read-only medium) removes what it began and reports "无法写入输出文件".
#include "components/PelmoraImageConvert2022/PixelImage.h"

#include <string>

namespace pelmora {

void WriteOutputFile(const std::wstring& path, const ByteBuffer& bytes);

}  // namespace pelmora
