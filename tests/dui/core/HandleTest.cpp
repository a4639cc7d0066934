#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSelectObject.h"

using namespace DUI;

namespace {

// Records every close, so double closes and lost handles show.
std::vector<int>& Closed()
{
    static std::vector<int> closed;
    return closed;
}

struct CountingTraits {
    using Type = int;
    static Type Invalid() { return 0; }
    static void Close(Type h) { Closed().push_back(h); }
};
using CountedHandle = SHandle<CountingTraits>;

class HandleTest : public ::testing::Test
{
protected:
    void SetUp() override { Closed().clear(); }
};

TEST_F(HandleTest, EachHandleIsClosedOnceWhateverTheRoute)
{
    {
        CountedHandle a(1);
        CountedHandle b(std::move(a));   // moved: only b closes it
        EXPECT_FALSE(a);
        CountedHandle c(2);
        c = std::move(b);                // 2 goes now, 1 with c
        EXPECT_EQ(Closed(), std::vector<int>({2}));
        c.Reset(1);                      // the same handle again is no change
        EXPECT_EQ(Closed(), std::vector<int>({2}));
        CountedHandle d(3);
        EXPECT_EQ(d.Release(), 3);       // given away: never closed here
        CountedHandle e(4);
        *e.Put() = 5;                    // Put closes the old one first
        EXPECT_EQ(Closed(), std::vector<int>({2, 4}));
    }
    EXPECT_EQ(Closed(), std::vector<int>({2, 4, 5, 1}));
}

TEST(SelectObject, ThePreviousObjectIsBackAfterTheScope)
{
    SMemDC dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    SGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, 4, 4));
    ASSERT_TRUE(bitmap);
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_BITMAP);
    {
        const SSelectObject select(dc, bitmap);
        EXPECT_TRUE(select);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), before);
    // Deleting a bitmap still selected fails: this one is free again.
    EXPECT_TRUE(DeleteObject(bitmap.Release()));

    const SSelectObject nothing(dc, nullptr);
    EXPECT_FALSE(nothing);
}

} // namespace
