// Files the library must refuse cleanly (zero bytes, garbage, truncated,
// huge claimed sizes), names it must still open, outputs it cannot write,
// and the format table walked row by row.
#include "tests/components/PelmoraImageConvert2022/ConverterHandle.h"
#include "tests/components/PelmoraImageConvert2022/Fixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

using pelmoratest::ConverterHandle;
using pelmoratest::Fixtures;
using pelmoratest::Utf8;

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A drive letter nothing is mapped to, as a removed stick or network drive leaves.
std::wstring UnmappedDrive()
{
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter > L'D'; --letter)
        if (!(drives & (1u << (letter - L'A')))) return std::wstring(1, letter);
    return L"?";
}

void Put32(std::string& s, size_t at, unsigned v, bool bigEndian = false)
{
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * (bigEndian ? 3 - i : i)));
}

// A BMP header claiming width x height with no pixels behind it.
std::string HugeBmp(unsigned width, unsigned height)
{
    std::string bmp(54, '\0');
    bmp[0] = 'B'; bmp[1] = 'M';
    Put32(bmp, 10, 54); Put32(bmp, 14, 40); Put32(bmp, 18, width); Put32(bmp, 22, height);
    bmp[26] = 1; bmp[28] = 24;
    return bmp;
}

// The test PNG with its IHDR size replaced (and the chunk's CRC mended).
std::string PngClaiming(std::string png, unsigned width, unsigned height)
{
    Put32(png, 16, width, true);
    Put32(png, 20, height, true);
    unsigned crc = 0xFFFFFFFFu;
    for (size_t i = 12; i < 29; ++i) {
        crc ^= static_cast<unsigned char>(png[i]);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    Put32(png, 29, ~crc, true);
    return png;
}

std::string GifClaiming(std::string gif, unsigned width, unsigned height)
{
    gif[6] = static_cast<char>(width); gif[7] = static_cast<char>(width >> 8);
    gif[8] = static_cast<char>(height); gif[9] = static_cast<char>(height >> 8);
    return gif;
}

struct LoadCase {
    const char* name;
    std::string bytes;
    const char* error;   // nullptr: loads
};

TEST(PelmoraBadInput, RefusedFilesFailWithTheirTextAndConvertedOnesDoNot)
{
    const Fixtures& fx = Fixtures::Get();
    std::string jpeg = ReadAll(fx.Path("rgb.jpg")), png = ReadAll(fx.Path("rgb.png")), gif = ReadAll(fx.Path("rgb.gif"));
    const LoadCase cases[] = {
        {"empty.jpg", "", "图片文件为空"},
        {"garbage.png", std::string(4096, '\x5A'), "不支持的图片格式"},
        {"png-named.jpg", png, nullptr},
        {"truncated.jpg", jpeg.substr(0, jpeg.size() * 2 / 3), "图片文件已损坏或不完整"},
        {"cut-header.jpg", jpeg.substr(0, 40), "图片文件已损坏或不完整"},
        {"huge.bmp", HugeBmp(30000, 30000), "图片尺寸过大"},
        {"huge.png", PngClaiming(png, 30000, 30000), "图片尺寸过大"},
        {"huge.gif", GifClaiming(gif, 65535, 65535), "图片尺寸过大"},
        {"psd.psd", std::string("8BPS\0\1", 6) + std::string(200, '\0'), "不支持的图片格式"},
    };
    testsupport::TempFolder folder(L"pelmora");
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Utf8(folder.Write(std::wstring(c.name, c.name + strlen(c.name)), c.bytes));
        ConverterHandle converter;
        EXPECT_EQ(converter->Load(path.c_str()), c.error == nullptr) << converter.Error();
        if (c.error) {
            EXPECT_EQ(converter.Error(), c.error);
        }
    }
}

TEST(PelmoraBadInput, HeadersOfHugePicturesReadButTheirPixelsAreRefused)
{
    testsupport::TempFolder folder(L"pelmora");
    std::string path = Utf8(folder.Write(L"huge.bmp", HugeBmp(30000, 30000)));
    ConverterHandle converter;
    ImageEngineInfo info{};
    EXPECT_TRUE(converter->GetFileInfo(&info, path.c_str(), 0, 0));
    EXPECT_EQ(info.width, 30000u);
    EXPECT_EQ(info.failed, 0);
}

TEST(PelmoraBadInput, HugeOrWrappedResizeTargetsFailBeforeAllocating)
{
    ConverterHandle converter;
    ASSERT_TRUE(converter->Load(Utf8(Fixtures::Get().Path("rgb.png")).c_str())) << converter.Error();
    const unsigned targets[][2] = {{49999, 49999}, {0xFFFFFF9Cu, 100}, {100, 0x80000000u}};
    for (const auto& t : targets) {
        SCOPED_TRACE(t[0]);
        EXPECT_FALSE(converter->Resize(t[0], t[1]));
        EXPECT_EQ(converter.Error(), "图片尺寸过大");
    }
    EXPECT_FALSE(converter->Resize(0, 10));
    EXPECT_TRUE(converter->Resize(30, 20)) << converter.Error();
    EXPECT_EQ(converter->GetInfo().width, 30u);
}

TEST(PelmoraBadInput, UnwritableOutputsFailAndLeaveNothing)
{
    testsupport::TempFolder folder(L"pelmora");
    // A read-only medium cannot be had here: Wine running as root writes through read-only attributes.
    const std::wstring targets[] = {folder.File(L"gone\\out.jpg"), folder.File(L"gone\\deeper\\out.png"),
                                    UnmappedDrive() + L":\\out.jpg"};
    for (const std::wstring& target : targets) {
        SCOPED_TRACE(Utf8(target));
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(Utf8(Fixtures::Get().Path("rgb.png")).c_str()));
        ASSERT_TRUE(converter->SetOutputFormat("JPG"));
        EXPECT_FALSE(converter->Save(Utf8(target).c_str()));
        EXPECT_EQ(converter.Error(), "无法写入输出文件");
        EXPECT_FALSE(std::filesystem::exists(target));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File(L"gone")));
}

// A medium the test runner mounted for this test (scripts/test-media.sh), as
// a Windows folder under drive Z:; empty where none could be mounted.
std::wstring SmallMedium(const wchar_t* variable)
{
    wchar_t unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(variable, unixPath, MAX_PATH)) return {};
    std::wstring folder = L"Z:" + std::wstring(unixPath);
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}

// A full disk and a read-only one refuse the output in its middle or at its
// start: either way the save fails with the library's text and no piece of
// the file stays behind.
TEST(PelmoraBadInput, FullAndReadOnlyMediaFailTheSaveAndKeepNothing)
{
    const std::wstring full = SmallMedium(L"VESK_FULL_MEDIUM");
    const std::wstring readOnly = SmallMedium(L"VESK_READONLY_MEDIUM");
    if (full.empty() || readOnly.empty())
        GTEST_SKIP() << "no mount namespace here for a full and a read-only medium";
    struct Case {
        const char* name;
        std::wstring target;
        const char* format;
    };
    // About 3 MB of BMP against the full medium's last few kilobytes: the
    // writing starts and fails on the way.
    const Case cases[] = {
        {"full, bmp", full + L"\\out.bmp", "BMP"},
        {"read-only, png", readOnly + L"\\out.png", "PNG"},
        {"read-only, jpg", readOnly + L"\\out.jpg", "JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(Utf8(Fixtures::Get().Path("rgb.png")).c_str())) << converter.Error();
        ASSERT_TRUE(converter->Resize(1000, 1000)) << converter.Error();
        ASSERT_TRUE(converter->SetOutputFormat(c.format));
        EXPECT_FALSE(converter->Save(Utf8(c.target).c_str()));
        EXPECT_EQ(converter.Error(), "无法写入输出文件");
        EXPECT_FALSE(std::filesystem::exists(c.target));
    }
}

TEST(PelmoraBadInput, AwkwardAndLongNamesConvertAndTheSourceStaysUntouched)
{
    testsupport::TempFolder folder(L"pelmora");
    std::string png = ReadAll(Fixtures::Get().Path("rgb.png"));
    // Past 259 characters in all, in parts short enough for the Linux file
    // system under Wine (255 bytes a name, and one Chinese character is three).
    std::wstring part(60, L'长');
    std::wstring longFolder = folder.File(part + L"\\" + part + L"\\" + part);
    std::filesystem::create_directories(std::filesystem::path(L"\\\\?\\" + longFolder));
    const std::wstring sources[] = {folder.Write(L"it's & 100% 图片.png", png), longFolder + L"\\" + std::wstring(60, L'图') + L".png"};
    {
        std::ofstream(std::filesystem::path(L"\\\\?\\" + sources[1]), std::ios::binary) << png;
    }
    ASSERT_GT(sources[1].size(), 259u);
    for (const std::wstring& source : sources) {
        SCOPED_TRACE(source.size());
        SetFileAttributesW((L"\\\\?\\" + source).c_str(), FILE_ATTRIBUTE_READONLY);
        std::wstring out = source.substr(0, source.size() - 4) + L" 压缩.jpg";
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(Utf8(source).c_str())) << converter.Error();
        ASSERT_TRUE(converter->SetOutputFormat("JPG"));
        ASSERT_TRUE(converter->Save(Utf8(out).c_str())) << converter.Error();
        ConverterHandle reader;
        EXPECT_TRUE(reader->Load(Utf8(out).c_str())) << reader.Error();
        SetFileAttributesW((L"\\\\?\\" + source).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::string after = ReadAll(L"\\\\?\\" + source);
        EXPECT_TRUE(after == png) << after.size() << " bytes, was " << png.size();
    }
}

TEST(PelmoraBadInput, AnimationsAndMultiPageFilesGiveTheirFirstFrame)
{
    for (const char* name : {"anim.gif", "pages.tif"}) {
        SCOPED_TRACE(name);
        testsupport::TempFolder folder(L"pelmora");
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(Utf8(Fixtures::Get().Path(name)).c_str())) << converter.Error();
        EXPECT_EQ(converter->GetInfo().width, 20u);
        ASSERT_TRUE(converter->SetOutputFormat("BMP"));
        std::wstring out = folder.File(L"first.bmp");
        ASSERT_TRUE(converter->Save(Utf8(out).c_str())) << converter.Error();
        std::string bmp = ReadAll(out);
        ASSERT_GT(bmp.size(), 57u);
        EXPECT_EQ(static_cast<unsigned char>(bmp[54 + 2]), 255);   // red, stored as BGR
        EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 0);
    }
}

// The 83 rows of the program's format table: each either round-trips or is
// refused with "不支持的图片格式".
TEST(PelmoraFormatTable, EveryRowRoundTripsOrIsRefused)
{
    const char* rows[] = {
        "aai", "art", "arw", "avs", "bpg", "bmp", "brf", "cals", "cin", "crw", "cr2", "cur", "dcx", "dds", "dib", "dng",
        "dpx", "exr", "emf", "fax", "fits", "flif", "gif", "hdr", "hrz", "heic", "ico", "jpg", "jpeg", "jng", "jp2", "j2c",
        "j2k", "mat", "miff", "mng", "mpc", "mrw", "mtv", "orf", "otb", "pam", "pbm", "pcd", "pcds", "pcx", "pef", "pes",
        "pfa", "pfb", "pgm", "pict", "pix", "png", "png8", "png24", "png32", "png48", "png64", "pnm", "ppm", "psb", "psd",
        "ptif", "pwp", "rla", "sct", "sgi", "sun", "svg", "tga", "tif", "tiff", "tim", "vicar", "viff", "wbmp", "webp",
        "wmf", "wpg", "xbm", "xcf", "xpm"};
    ASSERT_EQ(std::size(rows), 83u);
    const std::set<std::string> written = {"bmp", "dib", "gif", "jpg", "jpeg", "png", "png8", "png24", "png32",
                                           "png48", "png64", "tif", "tiff", "webp"};
    testsupport::TempFolder folder(L"pelmora");
    std::string source = Utf8(Fixtures::Get().Path("rgb.png"));
    size_t roundTrips = 0;
    for (const char* row : rows) {
        SCOPED_TRACE(row);
        std::string upper(row);
        for (char& ch : upper) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(source.c_str()));
        bool writes = converter->SetOutputFormat(upper.c_str());
        EXPECT_EQ(writes, written.count(row) == 1);
        if (!writes) {
            EXPECT_EQ(converter.Error(), "不支持的图片格式");
            continue;
        }
        std::string out = Utf8(folder.File(std::wstring(L"row.") + std::wstring(row, row + strlen(row))));
        ASSERT_TRUE(converter->Save(out.c_str())) << converter.Error();
        ConverterHandle reader;
        ASSERT_TRUE(reader->Load(out.c_str())) << reader.Error();
        EXPECT_EQ(reader->GetInfo().width, 61u);
        ++roundTrips;
    }
    EXPECT_EQ(roundTrips, written.size());
}

}  // namespace
