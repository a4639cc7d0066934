#include "dui/core/base/SCriticalSection.h"
#include "dui/core/base/SLinkedList.h"
#include "dui/core/base/TStringT.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using DUI::SLinkedList;

namespace {

std::vector<int> Values(const SLinkedList<int>& list)
{
    std::vector<int> v;
    for (auto pos = list.GetHeadPosition(); pos; pos = pos->m_pNext)
        v.push_back(pos->m_value);
    return v;
}

} // namespace

TEST(SLinkedList, RemovesAtHeadTailAndMiddle)
{
    SLinkedList<int> list;
    std::vector<SLinkedList<int>::Position> pos;
    for (int i = 0; i < 25; ++i)
        pos.push_back(list.AddTail(i));
    list.RemoveAt(pos[0]);
    list.RemoveAt(pos[24]);
    list.RemoveAt(pos[12]);
    std::vector<int> want;
    for (int i = 1; i < 24; ++i)
        if (i != 12)
            want.push_back(i);
    EXPECT_EQ(Values(list), want);
    EXPECT_EQ(list.GetTailPosition()->m_value, 23);
    // Freed nodes are reused: the next value lands in a recycled node.
    auto reused = list.AddTail(99);
    EXPECT_TRUE(reused == pos[0] || reused == pos[12] || reused == pos[24]);
    for (auto p = list.GetHeadPosition(); p;) {
        auto next = p->m_pNext;
        list.RemoveAt(p);
        p = next;
    }
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail(5);
    EXPECT_EQ(Values(list), std::vector<int>{5});
}

TEST(SLinkedList, AppendToCopiesValuesInOrderAndLeavesTheSourceAlone)
{
    SLinkedList<DUI::SStringW> source;
    source.AddTail(DUI::SStringW(L"a"));
    source.AddTail(DUI::SStringW(L"b"));
    SLinkedList<DUI::SStringW> copy;
    copy.AddTail(DUI::SStringW(L"z"));
    source.AppendTo(copy);
    EXPECT_EQ(source.GetCount(), 2u);
    ASSERT_EQ(copy.GetCount(), 3u);
    auto pos = copy.GetHeadPosition();
    EXPECT_EQ(copy.GetNext(pos), L"z");
    EXPECT_EQ(copy.GetNext(pos), L"a");
    EXPECT_EQ(copy.GetNext(pos), L"b");
    EXPECT_EQ(pos, nullptr);
    // Removing from the copy while walking it does not touch the source.
    copy.RemoveAt(copy.Find(DUI::SStringW(L"a")));
    EXPECT_EQ(source.GetHeadPosition()->m_value, L"a");
}

TEST(SCriticalSection, ExcludesOtherThreadsAndIsReentrant)
{
    DUI::SCriticalSection cs;
    std::atomic<bool> trying{false};
    std::atomic<bool> entered{false};
    cs.Enter();
    cs.Enter(); // the owner may enter again
    std::thread other([&] {
        trying = true;
        cs.Enter();
        entered = true;
        cs.Leave();
    });
    // The other thread must have reached Enter before its absence means anything.
    while (!trying.load())
        Sleep(1);
    Sleep(100);
    EXPECT_FALSE(entered.load());
    cs.Leave();
    Sleep(50);
    EXPECT_FALSE(entered.load());
    cs.Leave();
    other.join();
    EXPECT_TRUE(entered.load());
}
