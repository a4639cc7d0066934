#pragma once
// The image compression module's names of modes and fast-compression levels,
// and its table of image formats: which it reads and which it writes. One
// object for the process, filled on the user-interface thread before any
// worker reads it.
#include <map>
#include <vector>

#include "dui/core/base/TStringT.h"

struct ImageFormatInfo {
    int id = 0;
    DUI::SStringW extension;   // lower case, no dot
    DUI::SStringW upperName;   // the extension in upper case: the engine's name
    int readable = 0;
    int writable = 0;
};

// No row has this id; in the settings it keeps the source's format.
inline constexpr int kNoFormatId = 92;
inline constexpr int kBmpFormatId = 6;
inline constexpr int kGifFormatId = 25;
inline constexpr int kJpgFormatId = 32;
inline constexpr int kPngFormatId = 62;
inline constexpr int kTifFormatId = 80;
inline constexpr int kTiffFormatId = 81;

class CompressModeTable {
public:
    static CompressModeTable& Instance();

    // A missing key is added with an empty text, which is returned.
    DUI::SStringW& LevelName(int level) { return levelNames[level]; }
    DUI::SStringW& ModeName(int mode) { return modeNames[mode]; }

    const std::vector<ImageFormatInfo>& GetFormatTable();
    std::vector<ImageFormatInfo> GetWritableFormats();
    std::vector<ImageFormatInfo> GetReadableFormats();
    // Keys and values: the extensions of the readable rows.
    std::map<DUI::SStringW, DUI::SStringW> GetReadableFormatMap();

    std::map<int, DUI::SStringW> levelNames;
    std::map<int, DUI::SStringW> modeNames;
    std::vector<ImageFormatInfo> formatTable;

private:
    CompressModeTable();
};

// A copy of the first row with that id; id 92, empty texts, no flags when none has it.
ImageFormatInfo GetImageFormatInfo(int id);
