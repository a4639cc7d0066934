// The library as the program's binaries see it: exports, slot order of the
// converter, the info record, and the texts of failing calls.
#include "tests/components/PelmoraImageConvert2022/ConverterHandle.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using pelmoratest::ConverterHandle;
using pelmoratest::Utf8;

// The slot of each operation, as the callers' binaries call it.
template <typename Fn>
Fn Slot(IImageConverter* converter, int index)
{
    return reinterpret_cast<Fn>((*reinterpret_cast<void***>(converter))[index]);
}

// A 3x2 24-bit BMP, bottom-up: red green blue / white black gray.
std::string SmallBmp()
{
    const unsigned char pixels[] = {
        255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0,   // bottom row, BGR, padded to 12
        0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,         // top row
    };
    std::string bmp(54, '\0');
    auto put32 = [&](size_t at, unsigned v) { for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(v >> (8 * i)); };
    bmp[0] = 'B'; bmp[1] = 'M';
    put32(2, 54 + sizeof pixels); put32(10, 54); put32(14, 40); put32(18, 3); put32(22, 2);
    bmp[26] = 1; bmp[28] = 24; put32(38, 3780); put32(42, 3780);
    bmp.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
    return bmp;
}

TEST(PelmoraInterface, SlotsSitWhereTheCallersCallThem)
{
    testsupport::TempFolder folder(L"pelmora");
    std::string source = Utf8(folder.Write(L"small.bmp", SmallBmp()));
    ConverterHandle converter;
    using LoadFn = bool (*)(IImageConverter*, const char*);
    using FormatFn = bool (*)(IImageConverter*, const char*);
    using TextFn = const char* (*)(IImageConverter*);
    using ReservedFn = bool (*)(IImageConverter*);
    ASSERT_TRUE(Slot<LoadFn>(converter.Get(), 10)(converter.Get(), source.c_str()));
    EXPECT_EQ(converter->GetInfo().width, 3u);
    EXPECT_FALSE(Slot<FormatFn>(converter.Get(), 6)(converter.Get(), "PSD"));
    EXPECT_STREQ(Slot<TextFn>(converter.Get(), 17)(converter.Get()), "不支持的图片格式");
    for (int reserved : {3, 5, 7, 8, 9}) {
        SCOPED_TRACE(reserved);
        EXPECT_FALSE(Slot<ReservedFn>(converter.Get(), reserved)(converter.Get()));
        EXPECT_STREQ(converter->GetLastErrorText(), "不支持的操作");
    }
}

TEST(PelmoraInterface, InfoRecordCarriesSizeAndDimensionsAtTheirOffsets)
{
    testsupport::TempFolder folder(L"pelmora");
    std::string bmp = SmallBmp();
    std::string source = Utf8(folder.Write(L"图片 & 'x' 100%.bmp", bmp));
    ConverterHandle converter;
    unsigned char record[2080];
    std::memset(record, 0xCD, sizeof record);
    converter->GetFileInfo(reinterpret_cast<ImageEngineInfo*>(record), source.c_str(), 0, 0);
    auto at32 = [&](size_t at) { unsigned v; std::memcpy(&v, record + at, 4); return v; };
    EXPECT_EQ(at32(2052), bmp.size());
    EXPECT_EQ(at32(2056), 3u);
    EXPECT_EQ(at32(2060), 2u);
    EXPECT_EQ(record[2076], 0);

    converter->GetFileInfo(reinterpret_cast<ImageEngineInfo*>(record), Utf8(folder.File(L"missing.bmp")).c_str(), 0, 0);
    EXPECT_NE(record[2076], 0);
    EXPECT_STREQ(converter->GetLastErrorText(), "无法打开图片文件");
}

TEST(PelmoraInterface, BmpRoundTripsAndJpegKeepsItsSize)
{
    testsupport::TempFolder folder(L"pelmora");
    std::string source = Utf8(folder.Write(L"small.bmp", SmallBmp()));
    for (const char* format : {"BMP", "JPG"}) {
        SCOPED_TRACE(format);
        ConverterHandle converter;
        ASSERT_TRUE(converter->Load(source.c_str())) << converter.Error();
        ASSERT_TRUE(converter->SetOutputFormat(format));
        ASSERT_TRUE(converter->SetEncoding(90, format, 0));
        std::string out = Utf8(folder.File(std::wstring(L"out.") + (format[0] == 'B' ? L"bmp" : L"jpg")));
        ASSERT_TRUE(converter->Save(out.c_str())) << converter.Error();
        ConverterHandle reader;
        ASSERT_TRUE(reader->Load(out.c_str())) << reader.Error();
        ImageEngineInfo info = reader->GetInfo();
        EXPECT_EQ(info.width, 3u);
        EXPECT_EQ(info.height, 2u);
    }
}

TEST(PelmoraInterface, SaveWithoutImageOrFormatFailsWithText)
{
    testsupport::TempFolder folder(L"pelmora");
    ConverterHandle converter;
    EXPECT_FALSE(converter->Save(Utf8(folder.File(L"x.jpg")).c_str()));
    EXPECT_STREQ(converter->GetLastErrorText(), "没有已加载的图片");
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
