// FreeType libraries made the way poppler makes them allocate from ThreadHeap.
#include <gtest/gtest.h>

#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "app/heap/ThreadHeap.h"

namespace {

TEST(FreeTypeMemory, LibrariesAllocateThroughTheThreadHeap)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    // A face carries its library's memory functions.
    std::string font = std::string(VESK_BIN_DIR) + "/../share/fonts/n019003l.pfb";
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, font.c_str(), 0, &face), 0) << font;
    EXPECT_TRUE(ThreadHeap::Owns(face));
    void* block = face->memory->alloc(face->memory, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(ThreadHeap::Owns(block));
    face->memory->free(face->memory, block);
    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 40), 0);
    EXPECT_EQ(FT_Load_Char(face, 'A', FT_LOAD_RENDER), 0);
    EXPECT_GT(face->glyph->bitmap.rows, 0u);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

}  // namespace
