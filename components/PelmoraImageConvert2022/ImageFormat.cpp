#include "components/PelmoraImageConvert2022/ImageFormat.h"

#include <cstring>
#include <utility>

namespace pelmora {

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t length, std::size_t at = 0)
{
    return size >= at + length && std::memcmp(data + at, magic, length) == 0;
}

bool IsPnm(const std::uint8_t* data, std::size_t size)
{
    return size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '7' &&
           (data[2] == ' ' || data[2] == '\t' || data[2] == '\r' || data[2] == '\n' || data[2] == '#');
}

// ICO and CUR share one header: reserved 0, type 1 or 2, a non-zero count.
SourceFormat IconKind(const std::uint8_t* data, std::size_t size)
{
    if (size < 22 || data[0] != 0 || data[1] != 0 || data[3] != 0 || (data[4] == 0 && data[5] == 0)) return SourceFormat::Unknown;
    if (data[2] == 1) return SourceFormat::Ico;
    if (data[2] == 2) return SourceFormat::Cur;
    return SourceFormat::Unknown;
}

// TGA has no signature: its header must make sense on its own.
bool LooksLikeTga(const std::uint8_t* data, std::size_t size)
{
    if (size < 18) return false;
    int colorMapType = data[1], imageType = data[2], bits = data[16];
    bool typeOk = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 || imageType == 10 || imageType == 11;
    bool mapOk = (imageType == 1 || imageType == 9) ? colorMapType == 1 : colorMapType <= 1;
    bool bitsOk = bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
    int width = data[12] | data[13] << 8, height = data[14] | data[15] << 8;
    return typeOk && mapOk && bitsOk && width > 0 && height > 0 && (data[17] & 0xC0) == 0;
}

}  // namespace

SourceFormat DetectFormat(const std::uint8_t* data, std::size_t size)
{
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return SourceFormat::Jpeg;
    if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8)) return SourceFormat::Png;
    if (StartsWith(data, size, "BM", 2) && size >= 26) return SourceFormat::Bmp;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) return SourceFormat::Gif;
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4)) return SourceFormat::Tiff;
    if (StartsWith(data, size, "RIFF", 4) && StartsWith(data, size, "WEBP", 4, 8)) return SourceFormat::WebP;
    if (StartsWith(data, size, "\0\0\0\x0CjP  \r\n\x87\n", 12)) return SourceFormat::Jp2;
    if (StartsWith(data, size, "\xFF\x4F\xFF\x51", 4)) return SourceFormat::J2k;
    if (IsPnm(data, size)) return SourceFormat::Pnm;
    if (SourceFormat icon = IconKind(data, size); icon != SourceFormat::Unknown) return icon;
    if (LooksLikeTga(data, size)) return SourceFormat::Tga;
    return SourceFormat::Unknown;
}

const char* FormatName(SourceFormat format)
{
    switch (format) {
    case SourceFormat::Jpeg: return "JPEG";
    case SourceFormat::Png: return "PNG";
    case SourceFormat::Bmp: return "BMP";
    case SourceFormat::Gif: return "GIF";
    case SourceFormat::Tiff: return "TIFF";
    case SourceFormat::WebP: return "WEBP";
    case SourceFormat::Jp2: return "JP2";
    case SourceFormat::J2k: return "J2K";
    case SourceFormat::Pnm: return "PNM";
    case SourceFormat::Ico: return "ICO";
    case SourceFormat::Cur: return "CUR";
    case SourceFormat::Tga: return "TGA";
    case SourceFormat::Unknown: break;
    }
    return "";
}

std::optional<OutputKind> OutputForName(const std::string& upperName)
{
    static const std::pair<const char*, OutputKind> kNames[] = {
        {"JPG", OutputKind::Jpeg},     {"JPEG", OutputKind::Jpeg},   {"PNG", OutputKind::Png},
        {"PNG8", OutputKind::Png8},    {"PNG24", OutputKind::Png24}, {"PNG32", OutputKind::Png32},
        {"PNG48", OutputKind::Png48},  {"PNG64", OutputKind::Png64}, {"BMP", OutputKind::Bmp},
        {"DIB", OutputKind::Bmp},      {"GIF", OutputKind::Gif},     {"TIF", OutputKind::Tiff},
        {"TIFF", OutputKind::Tiff},    {"WEBP", OutputKind::WebP},
    };
    for (const auto& [name, kind] : kNames)
        if (upperName == name) return kind;
    return std::nullopt;
}

}  // namespace pelmora
