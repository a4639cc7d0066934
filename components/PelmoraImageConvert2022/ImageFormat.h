#pragma once
// Which format a file holds, found from its first bytes rather than its name,
// and which output a format name asks for.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pelmora {

enum class SourceFormat { Unknown, Jpeg, Png, Bmp, Gif, Tiff, WebP, Jp2, J2k, Pnm, Ico, Cur, Tga };

enum class OutputKind { Jpeg, Png, Png8, Png24, Png32, Png48, Png64, Bmp, Gif, Tiff, WebP };

SourceFormat DetectFormat(const std::uint8_t* data, std::size_t size);
const char* FormatName(SourceFormat format);

// The output for an upper-case format name ("JPG", "PNG24"...), none for a
// name this library does not write.
std::optional<OutputKind> OutputForName(const std::string& upperName);

}  // namespace pelmora
