#pragma once
// One file of the image compression list: what the analysis read, the state
// of its last conversion and where that wrote. Copies share the progress
// counter, which the file's conversion task raises on its worker thread.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "dui/core/base/TStringT.h"

using SharedProgress = std::shared_ptr<std::atomic<int>>;

// resultState: outcome of the last conversion.
enum ImageResultState : int {
    IMG_RESULT_PENDING = -2,
    IMG_RESULT_CONVERTING = -1,
    IMG_RESULT_FAILED = 0,
    IMG_RESULT_SUCCEEDED = 1,
};

struct CiFileItem {
    DUI::SStringW path;            // the key of the item
    DUI::SStringW name;
    DUI::SStringW sizeText;
    uint64_t width = 0;
    uint64_t height = 0;
    DUI::SStringW dimensionsText;
    SharedProgress progressValue = std::make_shared<std::atomic<int>>(0);
    int resultState = IMG_RESULT_PENDING;
    int runState = 1;              // 1 start, 0 cancel, -1 rerun button
    int64_t outputSize = 0;
    DUI::SStringW outputSizeText;
    int errorCode = 0;
    std::wstring errorMessage;
    std::wstring outputPath;
};

struct ImageFileItem : CiFileItem {
    DUI::SStringW extension;       // as written in the name
};
