// Font descriptions resolved against the default font (12 pixels, character
// set 1) and created through render.dll.
#include <gtest/gtest.h>

#include "dui/res.mgr/SFontPool.h"
#include "tests/support/ComponentLoader.h"

using namespace DUI;

TEST(FontPool, DescriptionsResolveToKeys)
{
    struct Case { const char* name; const wchar_t* desc; int scale; int height; uint32_t flags; const wchar_t* face; };
    const uint32_t bold = 1u << 18, italic = 1u << 16;
    const Case cases[] = {
        {"empty at 150", L"", 150, 18, 0, L"\u5b8b\u4f53"},
        {"empty at 125", L"", 125, 15, 0, L"\u5b8b\u4f53"},
        {"adding", L"adding:2", 100, 14, 0, L"\u5b8b\u4f53"},
        {"size wins over adding", L"size:20,adding:2", 100, 20, 0, L"\u5b8b\u4f53"},
        {"first occurrence wins", L"bold:1,bold:0", 100, 12, bold, L"\u5b8b\u4f53"},
        {"zero clears", L"italic:0", 100, 12, 0, L"\u5b8b\u4f53"},
        {"capitals", L"FACE:Arial,ITALIC:1", 100, 12, italic, L"arial"},
        {"piece without colon", L"bold", 100, 12, 0, L"\u5b8b\u4f53"},
        {"face and scaled size", L"face:\u5fae\u8f6f\u96c5\u9ed1,size:14dp", 200, 28, 0, L"\u5fae\u8f6f\u96c5\u9ed1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SFontKey key = SFontPool::Resolve(c.desc, c.scale);
        EXPECT_EQ(key.Height(), c.height);
        EXPECT_EQ(key.style & (bold | italic), c.flags);
        EXPECT_EQ(key.Charset(), 1);
        EXPECT_STREQ(key.face.c_str(), c.face);
        EXPECT_STREQ(key.name.c_str(), L"default");
    }
    EXPECT_EQ(SFontPool::Resolve(L"weight:700", 100).WeightField(), 175);
    EXPECT_TRUE(SFontPool::Resolve(L"Face:A,Size:9", 100) == SFontPool::Resolve(L"face:a,size:9", 100));
    const SFontKey extra = SFontPool::Resolve(L"shadow:2", 100);
    EXPECT_NE(wcsstr(extra.properties.c_str(), L"shadow=\"2\""), nullptr);
    EXPECT_FALSE(extra == SFontPool::Resolve(L"shadow:3", 100));
    EXPECT_TRUE(SFontPool::Resolve(L"", 100).properties.IsEmpty());
}

TEST(FontPool, EqualDescriptionsShareOneFont)
{
    testcomp::ComponentLoader render(L"render.dll");
    auto factory = SRefPtr<IPaintFactory>::Adopt(render.Create<IPaintFactory>());
    ASSERT_TRUE(factory);
    SFontPool pool(factory.Get());
    IFont* a = pool.GetFont(L"size:16,bold:1", 100);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(pool.GetFont(L"BOLD:1,SIZE:16", 100), a);
    EXPECT_EQ(pool.GetFont(L"size:16,bold:1", 150), a);   // pixels do not scale
    EXPECT_NE(pool.GetFont(L"bold:1", 150), pool.GetFont(L"bold:1", 100));
    EXPECT_EQ(a->LogFont()->lfHeight, -16);
    EXPECT_EQ(a->LogFont()->lfWeight, FW_BOLD);
    EXPECT_EQ(pool.GetFont(L"weight:700", 100)->LogFont()->lfWeight, 700);
    EXPECT_EQ(pool.GetFont(L"", 100)->LogFont()->lfWeight, FW_NORMAL);

    SScaledFont scaled;
    scaled.UpdateFont(150);   // no description yet: nothing
    EXPECT_EQ(scaled.GetFont(), nullptr);
    scaled.SetDescription(L"size:10dp", 100);
    EXPECT_EQ(scaled.GetFont()->LogFont()->lfHeight, -10);
    scaled.UpdateFont(200);
    EXPECT_EQ(scaled.GetFont()->LogFont()->lfHeight, -20);
}
