#pragma once
// The settings of one image conversion, copied by value into each task.
#include <string>

#include "dui/core/base/TStringT.h"

// The sub-folder that outputs go into when "doneCreatDir" is on.
inline constexpr const wchar_t* kOutputSubfolder = L"VeskPDF转图片";

struct ImageConvertOptions {
    ImageConvertOptions();

    // The output folder: outputFolder, plus the product sub-folder when asked
    // (no trailing backslash then).
    DUI::SStringW GetOutputFolder() const;

    int kind = 0;
    DUI::SStringW formatName = L"JPG";   // upper case; its lower case is the extension
    int formatId = 32;
    DUI::SStringW resolutionText;
    int dpi = -1;                        // -1 keeps the source's resolution
    int width = -1;                      // exact size; -1 when unset
    int height = -1;
    int scalePercent = 100;              // used when width or height is -1
    int quality = 100;
    int targetSize = 0;                  // bytes, read as unsigned; 0 for none
    DUI::SStringW extraText;
    DUI::SStringW outputFolder;
    int location = 2;                    // 2: outputFolder; else the source's folder
    bool createSubfolder = true;
    int workerCount = 0;
    bool prepareFlag = true;
};

// The text before the last backslash; the whole text when there is none.
std::wstring CutAtLastBackslash(const DUI::SStringW& text);
