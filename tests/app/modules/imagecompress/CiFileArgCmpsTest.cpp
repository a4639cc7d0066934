#include "app/modules/imagecompress/CiFileArgCmps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/core/AppPaths.h"
#include "app/core/GlobalSetting.h"
#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "tests/app/core/AppDataGuard.h"
#include "tests/app/core/Utf16File.h"
#include "tests/support/TempFolder.h"

namespace {

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CiFileArgCmpsTest : public ::testing::Test {
protected:
    // A settings object over a file holding the IMGPARAM lines given.
    void LoadFrom(const std::wstring& lines)
    {
        m_folder.Write(L"config_img.ini", Utf16File(L"[IMGPARAM]\r\n" + lines));
        m_settings.SetFile(m_path);
        m_settings.Load();
        m_working = m_settings.stored;
    }

    // The options read the program's "doneCreatDir" from its data folder.
    AppDataGuard m_data;
    testsupport::TempFolder m_folder{L"imgargs"};
    std::wstring m_path = m_folder.File(L"config_img.ini");
    CompressArgs m_working;
    CiFileArgCmps m_settings{m_working};
};

std::wstring DesktopFolder()
{
    return ToStdString(GetDesktopPath()) + L"\\";
}

} // namespace

TEST_F(CiFileArgCmpsTest, MissingFileGivesDefaultsAndIsCreatedAsUtf16)
{
    m_settings.SetFile(m_path);
    m_settings.Load();
    const CompressArgs& a = m_settings.stored;
    EXPECT_EQ(a.mode, 0);
    EXPECT_EQ(a.formatId, 92);
    EXPECT_STREQ(a.formatName.c_str(), L"keepfmt");
    EXPECT_STREQ(a.formatKey.c_str(), L"keepfmt");
    EXPECT_EQ(a.formatRow.readable, 1);
    EXPECT_EQ(a.formatRow.writable, 1);
    EXPECT_EQ(ToStdString(a.dir), DesktopFolder());
    EXPECT_EQ(a.fastQuality, 0);
    EXPECT_EQ(a.ratioQuality, 30);
    EXPECT_DOUBLE_EQ(a.ratioSize, 1.0);
    EXPECT_EQ(a.pixelWidth, 100);
    EXPECT_EQ(a.pixelHeight, 100);
    EXPECT_EQ(a.fileSize, 204800);
    EXPECT_EQ(ReadBytes(m_path).substr(0, 2), "\xFF\xFE");
}

TEST_F(CiFileArgCmpsTest, Utf16FileRoundTrip)
{
    m_settings.SetFile(m_path);
    CompressArgs& s = m_settings.stored;
    s.dir = L"D:\\照片 输出\\";
    s.outputType = 1;
    s.formatKey = L"png";
    s.mode = 3;
    s.fastQuality = 2;
    s.ratioQuality = 45;
    s.ratioSize = 0.57;
    s.pixelWidth = 295;
    s.pixelHeight = 413;
    s.fileSize = 51200;
    ASSERT_EQ(m_settings.Save(), 1);
    const std::string bytes = ReadBytes(m_path);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "the profile functions keep writing UTF-16";

    CompressArgs working;
    CiFileArgCmps reread(working);
    reread.SetFile(m_path);
    reread.Load();
    const CompressArgs& r = reread.stored;
    EXPECT_STREQ(r.dir.c_str(), L"D:\\照片 输出\\");
    EXPECT_EQ(r.outputType, 1);
    EXPECT_STREQ(r.formatKey.c_str(), L"png");
    EXPECT_EQ(r.formatId, 62);
    EXPECT_STREQ(r.formatName.c_str(), L"PNG");
    EXPECT_EQ(r.formatRow.id, 62);
    EXPECT_EQ(r.mode, 3);
    EXPECT_EQ(r.fastQuality, 2);
    EXPECT_EQ(r.ratioQuality, 45);
    EXPECT_DOUBLE_EQ(r.ratioSize, 0.56) << "the factor is cut, not rounded, when written";
    EXPECT_EQ(r.pixelWidth, 295);
    EXPECT_EQ(r.pixelHeight, 413);
    EXPECT_EQ(r.fileSize, 51200);
}

TEST_F(CiFileArgCmpsTest, SaveWithoutAFileWritesNothing)
{
    EXPECT_EQ(m_settings.Save(), 0);
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(CiFileArgCmpsTest, FormatKeysOnLoading)
{
    struct Case { const wchar_t* value; int id; const wchar_t* name; const wchar_t* key; };
    const Case cases[] = {
        {L"webp", 86, L"WEBP", L"webp"},
        {L"jpg", 32, L"JPG", L"jpg"},
        {L"jpeg", 33, L"JPEG", L"jpeg"},
        {L"png24", 64, L"PNG24", L"png24"},
        {L"keepfmt", 92, L"keepfmt", L"keepfmt"},
        {L"ico", 92, L"keepfmt", L"ico"},      // readable only: not an output
        {L"PNG", 92, L"keepfmt", L"PNG"},      // compared exactly
        {L"nonsense", 92, L"keepfmt", L"nonsense"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.value));
        LoadFrom(std::wstring(L"format=") + c.value + L"\r\n");
        const CompressArgs& a = m_settings.stored;
        EXPECT_EQ(a.formatId, c.id);
        EXPECT_EQ(a.formatRow.id, c.id);
        EXPECT_STREQ(a.formatName.c_str(), c.name);
        EXPECT_STREQ(a.formatKey.c_str(), c.key);
        EXPECT_STREQ(a.formatRow.upperName.c_str(), c.name);
    }
}

TEST_F(CiFileArgCmpsTest, FileSizeKeepsTheLow32BitsAndReachesPast2GB)
{
    struct Case { const wchar_t* value; unsigned expected; };
    const Case cases[] = {
        {L"204800", 204800u},
        {L"4293918720", 4293918720u},            // 4095 MB, above 2^31
        {L"4294967296", 0u},                     // 2^32: the low bits
        {L"4295172096", 204800u},                // 2^32 + 200 KB
        {L"-1048576", 4293918720u},              // what "%d" writes back for 4095 MB
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.value));
        LoadFrom(std::wstring(L"filesize=") + c.value + L"\r\n");
        EXPECT_EQ(static_cast<unsigned>(m_settings.stored.fileSize), c.expected);
        m_working.mode = 3;
        EXPECT_EQ(static_cast<unsigned>(m_settings.BuildConvertOptions().targetSize), c.expected);
    }
    // Written back, the same 32 bits come in again.
    ASSERT_EQ(m_settings.Save(), 1);
    m_settings.Load();
    EXPECT_EQ(static_cast<unsigned>(m_settings.stored.fileSize), 4293918720u);
}

TEST_F(CiFileArgCmpsTest, RatioSizeIsCutWhereverItTurnsBackIntoPercent)
{
    struct Case { int stored; int scale; };
    const Case cases[] = {{150, 150}, {100, 100}, {57, 56}, {29, 28}, {58, 57}, {50, 50}, {-50, -50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        LoadFrom(L"mode=1\r\nratio_size=" + std::to_wstring(c.stored) + L"\r\n");
        EXPECT_EQ(m_settings.BuildConvertOptions().scalePercent, c.scale);
        ASSERT_EQ(m_settings.Save(), 1);
        CompressArgs working;
        CiFileArgCmps reread(working);
        reread.SetFile(m_path);
        EXPECT_EQ(reread.GetInt(L"ratio_size", 0), c.scale) << "saving writes the cut percent";
    }
}

TEST_F(CiFileArgCmpsTest, BuildConvertOptionsByModeAndLevel)
{
    struct Case { const char* name; int mode; int level; int quality; int scale; int width; int height; int target; };
    const Case cases[] = {
        {"fast normal", 0, 0, 35, 100, -1, -1, 0},
        {"fast extreme", 0, 1, 21, 100, -1, -1, 0},
        {"fast quality first", 0, 2, 49, 100, -1, -1, 0},
        {"fast unknown level", 0, 7, 35, 100, -1, -1, 0},
        {"ratio, any level", 1, 2, 35, 57, -1, -1, 0},
        {"pixels, any level", 2, 1, 35, 100, 295, 413, 0},
        {"size, any level", 3, 2, 35, 100, -1, -1, 30720},
        {"unknown mode uses the level", 9, 2, 49, 100, -1, -1, 0},
    };
    GlobalSetting::Instance().doneCreatDir = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_working = CompressArgs();
        m_working.mode = c.mode;
        m_working.fastQuality = c.level;
        m_working.ratioSize = 0.575;
        m_working.pixelWidth = 295;
        m_working.pixelHeight = 413;
        m_working.fileSize = 30720;
        m_working.SetFormatKey(L"png");
        m_working.dir = L"E:\\out\\";
        m_working.outputType = c.mode % 2;
        const ImageConvertOptions o = m_settings.BuildConvertOptions();
        EXPECT_EQ(o.kind, 0);
        EXPECT_EQ(o.quality, c.quality);
        EXPECT_EQ(o.scalePercent, c.scale);
        EXPECT_EQ(o.width, c.width);
        EXPECT_EQ(o.height, c.height);
        EXPECT_EQ(o.targetSize, c.target);
        EXPECT_STREQ(o.formatName.c_str(), L"PNG");
        EXPECT_EQ(o.formatId, 62);
        EXPECT_STREQ(o.outputFolder.c_str(), L"E:\\out\\");
        EXPECT_EQ(o.location, c.mode % 2 ? 2 : 1);
        EXPECT_TRUE(o.createSubfolder);
        EXPECT_EQ(o.dpi, -1);
    }
    GlobalSetting::Instance().doneCreatDir = false;
    EXPECT_FALSE(m_settings.BuildConvertOptions().createSubfolder);
}

TEST_F(CiFileArgCmpsTest, SettersChangeTheWorkingRecordAndCopyItIntoTheStoredOne)
{
    LoadFrom(L"");
    EXPECT_EQ(m_settings.SetPixelWidth(100), 1) << "equal: nothing changes";
    m_working.mode = 2;   // changed elsewhere, not yet stored
    EXPECT_EQ(m_settings.stored.mode, 0);
    EXPECT_EQ(m_settings.SetPixelWidth(640), 0);
    EXPECT_EQ(m_working.pixelWidth, 640);
    EXPECT_EQ(m_settings.stored.pixelWidth, 640);
    EXPECT_EQ(m_settings.stored.mode, 2) << "the whole working record is copied";
    EXPECT_EQ(m_settings.SetPixelHeight(480), 0);
    EXPECT_EQ(m_settings.SetRatioQuality(30), 1);
    EXPECT_EQ(m_settings.SetRatioQuality(60), 0);
    EXPECT_EQ(m_settings.SetFileSize(204800), 1);
    EXPECT_EQ(m_settings.SetFileSize(102400), 0);
    EXPECT_EQ(m_settings.stored.fileSize, 102400);

    m_working.ratioSize = 0.5;
    m_settings.StoreArgs(m_working);
    EXPECT_EQ(m_settings.SetRatioSize(0.504), 1) << "the same whole percent";
    EXPECT_DOUBLE_EQ(m_working.ratioSize, 0.5);
    EXPECT_EQ(m_settings.SetRatioSize(0.51), 0);
    EXPECT_DOUBLE_EQ(m_settings.stored.ratioSize, 0.51);
}

TEST_F(CiFileArgCmpsTest, SetFormatSelectsKnownKeysAndMarksOthersAsNoFormat)
{
    LoadFrom(L"");
    EXPECT_EQ(m_settings.SetFormat(L"JPEG"), 0);
    EXPECT_EQ(m_working.formatId, 32);
    EXPECT_STREQ(m_working.formatName.c_str(), L"JPG");
    EXPECT_STREQ(m_working.formatKey.c_str(), L"jpg");
    EXPECT_EQ(m_settings.stored.formatId, 32);

    EXPECT_EQ(m_settings.SetFormat(L"webp"), 0);
    EXPECT_EQ(m_working.formatId, 92);
    EXPECT_EQ(m_working.formatRow.id, 92);
    EXPECT_EQ(m_working.formatRow.writable, 0);
    EXPECT_STREQ(m_working.formatName.c_str(), L"JPG") << "the texts stay as they were";
    EXPECT_STREQ(m_working.formatKey.c_str(), L"jpg");

    EXPECT_EQ(m_settings.SetFormat(L"keepfmt"), 0);
    EXPECT_EQ(m_working.formatId, 92);
    EXPECT_STREQ(m_working.formatName.c_str(), L"keepfmt");
    EXPECT_EQ(m_working.formatRow.readable, 1);
    EXPECT_STREQ(m_settings.stored.formatKey.c_str(), L"keepfmt");
}
