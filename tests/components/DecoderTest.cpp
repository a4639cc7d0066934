// Decodes small sample images through imgdecoder.dll, and loads bitmaps
// through render.dll with that decoder.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/ComponentLoader.h"
#include "dui/core/base/IImgDecoder.h"
#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

using DUI::SRefPtr;

namespace {

std::wstring DataPath(const char* name)
{
    std::string p = VESK_TESTS_DIR "/components/data/";
    p += name;
    return std::wstring(p.begin(), p.end());
}

std::vector<char> ReadData(const char* name)
{
    std::ifstream in(std::string(VESK_TESTS_DIR "/components/data/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t PixelAt(DUI::IPictureFrames* pic, UINT frame, int x, int y)
{
    return static_cast<const uint32_t*>(pic->GetFramePixels(frame))[y * pic->Width() + x];
}

// Lossy formats: each byte within a small distance.
bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int s = 0; s < 32; s += 8)
        if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > tolerance) return false;
    return true;
}

class DecoderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_decoder = SRefPtr<DUI::IPictureDecoderFactory>::Adopt(m_dll.Create<DUI::IPictureDecoderFactory>());
        ASSERT_TRUE(m_decoder);
    }

    SRefPtr<DUI::IPictureFrames> NewPicture()
    {
        DUI::IPictureFrames* p = nullptr;
        EXPECT_EQ(m_decoder->CreatePicture(&p), S_OK);
        return SRefPtr<DUI::IPictureFrames>::Adopt(p);
    }

    testcomp::ComponentLoader m_dll{L"imgdecoder.dll"};
    SRefPtr<DUI::IPictureDecoderFactory> m_decoder;
};

} // namespace

TEST_F(DecoderTest, DecodesEachFormatToPremultipliedPixels)
{
    struct Case { const char* name; int cx, cy; POINT at; uint32_t want; int tolerance; };
    const Case cases[] = {
        {"translucent.png", 4, 3, {1, 1}, 0x80800000, 1},    // half red, premultiplied
        {"translucent.png", 4, 3, {0, 0}, 0xFF0000FF, 0},    // opaque blue
        {"solid.jpg", 8, 8, {4, 4}, 0xFF00C800, 6},
        {"small.bmp", 5, 2, {4, 1}, 0xFF0A141E, 0},
        {"icon.ico", 16, 16, {8, 8}, 0xFF0000FF, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto pic = NewPicture();
        ASSERT_EQ(pic->LoadFromFile(DataPath(c.name).c_str()), 1u);
        EXPECT_EQ(pic->Width(), c.cx);
        EXPECT_EQ(pic->Height(), c.cy);
        EXPECT_TRUE(Near(PixelAt(pic.Get(), 0, c.at.x, c.at.y), c.want, c.tolerance))
            << std::hex << PixelAt(pic.Get(), 0, c.at.x, c.at.y);
        EXPECT_EQ(pic->GetFramePixels(1), nullptr);
    }
}

TEST_F(DecoderTest, GifKeepsEveryFrameAndItsDelay)
{
    const std::vector<char> bytes = ReadData("anim.gif");
    auto pic = NewPicture();
    ASSERT_EQ(pic->LoadFromMemory(bytes.data(), bytes.size()), 2u);
    EXPECT_EQ(pic->GetFrameCount(), 2u);
    EXPECT_EQ(PixelAt(pic.Get(), 0, 2, 2), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(pic.Get(), 1, 2, 2), 0xFF0000FFu);
    EXPECT_EQ(pic->GetFrameDelay(0), 200u);
    EXPECT_EQ(pic->GetFrameDelay(1), 500u);
}

TEST_F(DecoderTest, BadInputGivesNoFrames)
{
    const char junk[] = "not an image at all";
    auto pic = NewPicture();
    EXPECT_EQ(pic->LoadFromMemory(junk, sizeof(junk)), 0u);
    EXPECT_EQ(pic->LoadFromMemory(nullptr, 10), 0u);
    EXPECT_EQ(pic->LoadFromFile(DataPath("missing.png").c_str()), 0u);
    EXPECT_EQ(pic->GetFrameCount(), 0u);
    EXPECT_EQ(pic->GetFramePixels(0), nullptr);
    // A failed load also drops the frames of an earlier good one.
    ASSERT_EQ(pic->LoadFromFile(DataPath("small.bmp").c_str()), 1u);
    EXPECT_EQ(pic->LoadFromMemory(junk, sizeof(junk)), 0u);
    EXPECT_EQ(pic->Width(), 0);
}

TEST_F(DecoderTest, RenderBitmapsLoadThroughTheDecoder)
{
    testcomp::ComponentLoader renderDll{L"render.dll"};
    auto factory = SRefPtr<DUI::IPaintFactory>::Adopt(renderDll.Create<DUI::IPaintFactory>());
    ASSERT_TRUE(factory);
    factory->SetPictureDecoderFactory(m_decoder.Get());
    EXPECT_EQ(factory->GetPictureDecoderFactory(), m_decoder.Get());
    DUI::IPaintBitmap* raw = nullptr;
    factory->CreateBitmap(&raw);
    auto bmp = SRefPtr<DUI::IPaintBitmap>::Adopt(raw);
    EXPECT_GE(bmp->LoadFromFile(DataPath("translucent.png").c_str()), 0);
    EXPECT_EQ(bmp->Width(), 4);
    EXPECT_EQ(static_cast<uint32_t*>(bmp->LockPixels())[0], 0xFF0000FFu);
    const std::vector<char> gif = ReadData("anim.gif");
    EXPECT_GE(bmp->LoadFromMemory(gif.data(), gif.size()), 0);   // the first frame
    EXPECT_EQ(bmp->Width(), 6);
    EXPECT_EQ(static_cast<uint32_t*>(bmp->LockPixels())[0], 0xFFFF0000u);
    EXPECT_LT(bmp->LoadFromMemory("xx", 2), 0);
    factory->SetPictureDecoderFactory(nullptr);
}
