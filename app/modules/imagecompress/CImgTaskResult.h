#pragma once
// The outcome of one analysis or conversion. Made with new; whoever receives
// it (through a message, say) owns and deletes it.
#include <cstdint>

#include "dui/core/base/TStringT.h"

// After an analysis: read or unreadable. After a conversion: succeeded or
// failed; failed also when nothing ran.
enum ImageTaskStatus : int {
    IMG_STATUS_READ = 0,
    IMG_STATUS_UNREADABLE = 1,
    IMG_STATUS_SUCCEEDED = 2,
    IMG_STATUS_FAILED = 3,
};

class CImgTaskResult {
public:
    virtual ~CImgTaskResult() = default;

    DUI::SStringW sourcePath;
    DUI::SStringW outputPath;
    int cancelled = 0;
    int status = IMG_STATUS_FAILED;
    uint64_t width = 0;
    uint64_t height = 0;
    DUI::SStringW sizeText;
    DUI::SStringW dimensionsText;
    DUI::SStringW message;
};
