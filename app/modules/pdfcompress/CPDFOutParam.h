#pragma once
// The PDF-compression module's choices kept between runs: model, level,
// ratio and where the results go, in section "PDF" of its own INI file.
#include <string>

#include "app/core/CFileIni.h"

class CPDFOutParam : public CFileIni {
public:
    // dataFolder is the program-data folder (with its trailing backslash);
    // "module-pdf\config.ini" inside it is made when missing.
    CPDFOutParam();
    explicit CPDFOutParam(const std::wstring& dataFolder);

    void Read();
    void Write();

    std::wstring m_outputDir;  // with a trailing backslash
    int m_outputType = 0;      // 0 beside the source file, 1 into m_outputDir
    int m_model = 0;           // 0 by level, 1 by ratio
    int m_level = 1;           // 0 high, 1 medium, 2 low
    int m_ratio = 50;          // 10..100, in steps of 10 in the list
};
