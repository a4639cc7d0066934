#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/core/AppPaths.h"
#include "app/modules/pdfcompress/CPDFOutParam.h"
#include "tests/support/TempFolder.h"

namespace {

// The INI file as UTF-16LE with its byte-order mark, as the program writes it.
void WriteIni(const std::wstring& path, const std::wstring& text)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.put(static_cast<char>(0xFF)).put(static_cast<char>(0xFE));
    out.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
}

struct ReadCase {
    const char* name;
    std::wstring body;  // lines below "[PDF]"
    int model, level, ratio, outputType;
    std::wstring outputDir;  // empty: the desktop default
};

TEST(CPDFOutParam, ReadsStoredValuesAndReplacesOnesOutOfRange)
{
    const ReadCase kCases[] = {
        {"all stored", L"model=1\r\nlevel=2\r\nratio=80\r\noutputType=1\r\noutputdir=D:\\输出\\\r\n", 1, 2, 80, 1, L"D:\\输出\\"},
        {"ratio 0 and level 3", L"ratio=0\r\nlevel=3\r\n", 0, 1, 50, 0, L""},
        {"unlisted ratio kept", L"ratio=55\r\n", 0, 1, 55, 0, L""},
        {"model as letters", L"model=abc\r\n", 0, 1, 50, 0, L""},
        {"negative and too large", L"model=-1\r\noutputType=2\r\nratio=101\r\n", 0, 1, 50, 0, L""},
    };
    const std::wstring desktop = ToStdString(GetDesktopPath()) + L"\\";
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolder data(L"vesk_pdfparam");
        std::filesystem::create_directories(data.File(L"module-pdf"));
        WriteIni(data.File(L"module-pdf\\config.ini"), L"[PDF]\r\n" + c.body);
        CPDFOutParam param(data.Folder());
        param.Read();
        EXPECT_EQ(param.m_model, c.model);
        EXPECT_EQ(param.m_level, c.level);
        EXPECT_EQ(param.m_ratio, c.ratio);
        EXPECT_EQ(param.m_outputType, c.outputType);
        EXPECT_EQ(param.m_outputDir, c.outputDir.empty() ? desktop : c.outputDir);
    }
}

TEST(CPDFOutParam, MissingFileGivesDefaultsAndWritesBack)
{
    testsupport::TempFolder data(L"vesk_pdfparam");
    {
        CPDFOutParam param(data.Folder());
        param.Read();
        EXPECT_EQ(param.m_model, 0);
        EXPECT_EQ(param.m_level, 1);
        EXPECT_EQ(param.m_ratio, 50);
        EXPECT_EQ(param.m_outputType, 0);
        EXPECT_EQ(param.m_outputDir, ToStdString(GetDesktopPath()) + L"\\");
        EXPECT_TRUE(std::filesystem::exists(data.File(L"module-pdf\\config.ini")));
        param.m_model = 1;
        param.m_ratio = 90;
        param.m_outputType = 1;
        param.m_outputDir = L"E:\\压缩结果\\";
        param.Write();
    }
    CPDFOutParam again(data.Folder());
    again.Read();
    EXPECT_EQ(again.m_model, 1);
    EXPECT_EQ(again.m_level, 1);
    EXPECT_EQ(again.m_ratio, 90);
    EXPECT_EQ(again.m_outputType, 1);
    EXPECT_EQ(again.m_outputDir, L"E:\\压缩结果\\");
}

}  // namespace
