#include "app/modules/imagecompress/CompressArgs.h"

#include "app/core/AppPaths.h"

CompressArgs::CompressArgs()
{
    KeepSourceFormat();
    dir = GetDesktopPath();
    dir += L'\\';
}

void CompressArgs::KeepSourceFormat()
{
    formatRow = ImageFormatInfo();
    formatRow.id = kNoFormatId;
    formatRow.extension = kKeepFormat;
    formatRow.upperName = kKeepFormat;
    formatRow.readable = 1;
    formatRow.writable = 1;
    formatId = kNoFormatId;
    formatKey = kKeepFormat;
    formatName = kKeepFormat;
}

void CompressArgs::SetFormatKey(const DUI::SStringW& key)
{
    DUI::SStringW lower = key;
    lower.MakeLower();
    int id = -1;
    if (lower == L"bmp") id = kBmpFormatId;
    else if (lower == L"png") id = kPngFormatId;
    else if (lower == L"jpg" || lower == L"jpeg") id = kJpgFormatId;
    if (id >= 0) {
        formatRow = GetImageFormatInfo(id);
        formatId = formatRow.id;
        formatKey = formatRow.extension;
        formatName = formatRow.upperName;
    } else if (lower == kKeepFormat) {
        KeepSourceFormat();
    } else {
        // Only the ids change: the texts stay as they were.
        formatId = kNoFormatId;
        formatRow.id = kNoFormatId;
        formatRow.readable = 0;
        formatRow.writable = 0;
    }
}
