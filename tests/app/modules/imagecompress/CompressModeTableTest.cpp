#include "app/modules/imagecompress/CompressModeTable.h"

#include <gtest/gtest.h>

#include <set>

TEST(CompressModeTable, RowsFlagsAndCountsAsTheModuleOffersThem)
{
    CompressModeTable& table = CompressModeTable::Instance();
    const auto& rows = table.GetFormatTable();
    ASSERT_EQ(rows.size(), 83u);
    EXPECT_EQ(table.GetWritableFormats().size(), 57u);
    EXPECT_EQ(table.GetReadableFormats().size(), 82u);

    std::set<int> ids;
    int previous = -1;
    for (const ImageFormatInfo& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_GT(row.id, previous) << "table order follows the ids";
        previous = row.id;
        ids.insert(row.id);
        DUI::SStringW upper = row.extension;
        upper.MakeUpper();
        EXPECT_TRUE(row.upperName == upper);
        EXPECT_TRUE(row.readable || row.writable);
    }
    for (int gap : {4, 12, 19, 27, 31, 38, 45, 49, 54, 92}) EXPECT_EQ(ids.count(gap), 0u) << gap;
    EXPECT_EQ(rows.front().id, 0);
    EXPECT_EQ(rows.back().id, 91);
}

TEST(CompressModeTable, FormatsLookedUpById)
{
    struct Case { int id; const wchar_t* extension; const wchar_t* upper; int readable; int writable; };
    const Case cases[] = {
        {6, L"bmp", L"BMP", 1, 1},   {25, L"gif", L"GIF", 1, 1},    {32, L"jpg", L"JPG", 1, 1},
        {33, L"jpeg", L"JPEG", 1, 1}, {62, L"png", L"PNG", 1, 1},   {64, L"png24", L"PNG24", 1, 1},
        {80, L"tif", L"TIF", 1, 1},  {81, L"tiff", L"TIFF", 1, 1},  {86, L"webp", L"WEBP", 1, 1},
        {7, L"brf", L"BRF", 0, 1},   {13, L"cur", L"CUR", 1, 0},    {30, L"ico", L"ICO", 1, 0},
        {78, L"svg", L"SVG", 1, 0},  {90, L"xcf", L"XCF", 1, 0},    {91, L"xpm", L"XPM", 1, 1},
        // No row: id 92 with empty texts and no flags.
        {92, L"", L"", 0, 0},         {4, L"", L"", 0, 0},          {-1, L"", L"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const ImageFormatInfo row = GetImageFormatInfo(c.id);
        EXPECT_EQ(row.id, c.readable || c.writable ? c.id : 92);
        EXPECT_STREQ(row.extension.c_str(), c.extension);
        EXPECT_STREQ(row.upperName.c_str(), c.upper);
        EXPECT_EQ(row.readable, c.readable);
        EXPECT_EQ(row.writable, c.writable);
    }
}

TEST(CompressModeTable, ReadableMapHoldsEveryReadableExtensionAsKeyAndValue)
{
    const auto map = CompressModeTable::Instance().GetReadableFormatMap();
    EXPECT_EQ(map.size(), 82u);
    for (const auto& [key, value] : map) EXPECT_TRUE(key == value);
    EXPECT_EQ(map.count(L"jpeg"), 1u);
    EXPECT_EQ(map.count(L"ico"), 1u);
    EXPECT_EQ(map.count(L"brf"), 0u);
    EXPECT_EQ(map.count(L"JPG"), 0u) << "keys are lower case";
}

TEST(CompressModeTable, LevelAndModeNamesAndMissingKeys)
{
    CompressModeTable& table = CompressModeTable::Instance();
    EXPECT_STREQ(table.LevelName(0).c_str(), L"普通压缩");
    EXPECT_STREQ(table.LevelName(1).c_str(), L"极限压缩");
    EXPECT_STREQ(table.LevelName(2).c_str(), L"保证画质");
    EXPECT_STREQ(table.ModeName(0).c_str(), L"快速压缩");
    EXPECT_STREQ(table.ModeName(1).c_str(), L"按比例压缩");
    EXPECT_STREQ(table.ModeName(2).c_str(), L"指定像素(报考专用)");
    EXPECT_STREQ(table.ModeName(3).c_str(), L"指定大小(报考专用)");
    EXPECT_TRUE(table.ModeName(7).IsEmpty());
    EXPECT_EQ(table.modeNames.count(7), 1u) << "a missing key is added";
}
