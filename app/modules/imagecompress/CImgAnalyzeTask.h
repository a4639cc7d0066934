#pragma once
// Reads one image's file size and pixel size through the image library, from
// its headers only, when a file is added to a list.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>

#include "app/modules/imagecompress/CImgTaskResult.h"
#include "app/modules/imagecompress/ImageEngine.h"
#include "dui/core/base/TStringT.h"

class CImgAnalyzeTask {
public:
    explicit CImgAnalyzeTask(HWND owner = nullptr, IImageEngine& engine = LibraryImageEngine())
        : m_owner(owner), m_engine(engine)
    {
    }
    virtual ~CImgAnalyzeTask() = default;

    // 0 when read (status 0); 2 for an empty path or an unreadable file
    // (status 1), leaving the texts untouched.
    virtual int Run(CImgTaskResult* result);

private:
    HWND m_owner;   // kept for the callers; the analysis does not use it
    IImageEngine& m_engine;
};

// "500.00B", "1.50KB": the fraction comes from the last division only.
DUI::SStringW FormatAnalyzedSize(uint64_t bytes);
