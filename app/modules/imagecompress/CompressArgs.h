#pragma once
// The image compression module's choices: mode and its parameters, output
// format and output folder. Two copies live side by side: the stored one,
// read from and written to the settings file, and the working one that the
// settings panel edits.
#include "app/modules/imagecompress/CompressModeTable.h"
#include "dui/core/base/TStringT.h"

// Compression modes, the value of the key "mode".
enum CompressMode : int {
    COMPRESS_FAST = 0,
    COMPRESS_BY_RATIO = 1,
    COMPRESS_TO_PIXELS = 2,
    COMPRESS_TO_SIZE = 3,
};

// The format name and key that keep each source's own format.
inline constexpr const wchar_t* kKeepFormat = L"keepfmt";

struct CompressArgs {
    CompressArgs();

    // Selects the format by its lower-case key: bmp, png, jpg/jpeg and
    // keepfmt; any other text only marks the row as no format (id 92).
    void SetFormatKey(const DUI::SStringW& key);

    int mode = COMPRESS_FAST;
    ImageFormatInfo formatRow;
    DUI::SStringW formatName = kKeepFormat;
    DUI::SStringW formatKey = kKeepFormat;
    int formatId = kNoFormatId;
    int outputType = 0;          // 0: each source's folder; else dir
    DUI::SStringW dir;           // with a trailing backslash
    int fastQuality = 0;         // 0 normal, 1 extreme, 2 quality first
    int ratioQuality = 30;       // kept in the file only
    double ratioSize = 1.0;      // scale factor of mode 1
    int pixelWidth = 100;
    int pixelHeight = 100;
    int fileSize = 204800;       // target bytes of mode 3, read as unsigned

private:
    void KeepSourceFormat();
};
