#include "app/controls/CStateUtil.h"

#include <gtest/gtest.h>

TEST(CStateUtil, BitsSetClearedAndTestedAllTogether)
{
    CStateUtil state;
    EXPECT_EQ(state.GetState(), 0u);
    state.AddState(0x01 | 0x40);
    state.AddState(0x02);
    EXPECT_EQ(state.GetState(), 0x43u);

    struct Case { uint32_t bits; bool has; };
    const Case cases[] = {{0x01, true}, {0x42, true}, {0x43, true}, {0x04, false}, {0x05, false}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(state.HasState(c.bits), c.has) << "true only when every given bit is set";
    }

    state.RemoveState(0x02 | 0x40);
    EXPECT_EQ(state.GetState(), 0x01u);
    state.RemoveState(0x80);
    EXPECT_EQ(state.GetState(), 0x01u) << "clearing a clear bit changes nothing";
    state.SetState(0x80000000u);
    EXPECT_TRUE(state.HasState(0x80000000u));
    EXPECT_FALSE(state.HasState(0x01));
}

// Users override the operations through the base.
TEST(CStateUtil, OperationsAreVirtual)
{
    struct Counting : CStateUtil {
        void AddState(uint32_t bits) override { ++adds; CStateUtil::AddState(bits); }
        int adds = 0;
    } counting;
    CStateUtil& base = counting;
    base.AddState(4);
    EXPECT_EQ(counting.adds, 1);
    EXPECT_TRUE(base.HasState(4));
}
