#include "app/modules/imagecompress/ImageFileStore.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

ImageFileItem Item(const wchar_t* path, int width = 0)
{
    ImageFileItem item;
    item.path = path;
    item.name = path;
    item.width = static_cast<uint64_t>(width);
    return item;
}

// Every stored path leads to its position, and positions hold `paths` in order.
void ExpectIndexed(ImageFileStore& store, const std::vector<const wchar_t*>& paths)
{
    ASSERT_EQ(store.Count(), static_cast<int>(paths.size()));
    for (size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(store.IndexOf(paths[i]), static_cast<int>(i));
        EXPECT_STREQ(store.GetAt(static_cast<int>(i)).path.c_str(), paths[i]);
    }
}

} // namespace

TEST(ImageFileStore, IndexFollowsRemovals)
{
    struct Case { const char* name; std::vector<int> removals; std::vector<const wchar_t*> left; };
    const Case cases[] = {
        {"first of three", {0}, {L"b", L"c"}},
        {"middle", {1}, {L"a", L"c"}},
        {"last", {2}, {L"a", L"b"}},
        {"out of range", {3, -1}, {L"a", L"b", L"c"}},
        {"two from the front", {0, 0}, {L"c"}},
        {"all one by one", {2, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageFileStore store;
        for (const wchar_t* p : {L"a", L"b", L"c"}) store.Put(Item(p));
        for (int pos : c.removals) EXPECT_EQ(store.RemoveAt(pos), 1);
        ExpectIndexed(store, c.left);
        for (const wchar_t* gone : {L"a", L"b", L"c"}) {
            bool kept = false;
            for (const wchar_t* p : c.left) kept = kept || std::wstring(p) == gone;
            if (!kept) {
                EXPECT_EQ(store.IndexOf(gone), -1) << "removed paths leave the index";
            }
        }
        // A path added after removals lands at the end and is found there.
        store.Put(Item(L"d"));
        EXPECT_EQ(store.IndexOf(L"d"), static_cast<int>(c.left.size()));
    }
}

TEST(ImageFileStore, PutOfAKnownPathReplacesInPlaceWithItsProgress)
{
    ImageFileStore store;
    store.Put(Item(L"C:\\a.jpg", 1));
    store.Put(Item(L"C:\\b.jpg", 2));
    ImageFileItem again = Item(L"C:\\a.jpg", 9);
    again.progressValue->store(42);
    store.Put(again);
    ExpectIndexed(store, {L"C:\\a.jpg", L"C:\\b.jpg"});
    EXPECT_EQ(store.Get(L"C:\\a.jpg").width, 9u);
    EXPECT_EQ(store.Get(L"C:\\a.jpg").progressValue, again.progressValue) << "the new progress counter is shared";
    EXPECT_EQ(store.IndexOf(L"c:\\A.jpg"), -1) << "paths compare exactly";
}

TEST(ImageFileStore, MissingItemsReadAsNewOnes)
{
    ImageFileStore store;
    store.Put(Item(L"x"));
    for (const ImageFileItem& item : {store.GetAt(1), store.GetAt(-1), store.Get(L"y")}) {
        EXPECT_TRUE(item.path.IsEmpty());
        EXPECT_EQ(item.resultState, -2);
        EXPECT_EQ(item.runState, 1);
        ASSERT_TRUE(item.progressValue);
        EXPECT_EQ(item.progressValue->load(), 0);
    }
    EXPECT_EQ(store.TakeProgress(L"y"), 0);
    EXPECT_EQ(store.TakeProgressAt(1), 0);
    EXPECT_EQ(store.SwapStateByKey(L"y", 0), -2);
    EXPECT_EQ(store.SwapState(5, 0), -2);
    EXPECT_EQ(store.SetOutputSize(L"y", 10), -1);
    EXPECT_EQ(store.ResetOutputSizeAt(1), -1);
}

TEST(ImageFileStore, StateOperationsByKeyAndPosition)
{
    ImageFileStore store;
    store.Put(Item(L"a"));
    store.Put(Item(L"b"));
    const SharedProgress progress = store.Get(L"b").progressValue;
    progress->store(70);
    EXPECT_EQ(store.TakeProgress(L"b"), 70);
    EXPECT_EQ(progress->load(), 0) << "copies share the counter";
    progress->store(30);
    EXPECT_EQ(store.TakeProgressAt(1), 30);

    EXPECT_EQ(store.SwapStateByKey(L"a", 0), 1);
    EXPECT_EQ(store.SwapState(0, -1), 0);
    store.SetResult(L"a", 1);
    EXPECT_EQ(store.GetAt(0).resultState, 1);
    store.ResetResultAt(0);
    EXPECT_EQ(store.GetAt(0).resultState, -1);

    store.SetError(L"a", 3, L"图片尺寸过大");
    store.SetOutputPath(L"a", L"C:\\out\\a.jpg");
    EXPECT_EQ(store.SetOutputSize(L"a", 1536), 0);
    const ImageFileItem a = store.Get(L"a");
    EXPECT_EQ(a.errorCode, 3);
    EXPECT_EQ(a.errorMessage, L"图片尺寸过大");
    EXPECT_EQ(a.outputPath, L"C:\\out\\a.jpg");
    EXPECT_EQ(a.outputSize, 1536);
    EXPECT_STREQ(a.outputSizeText.c_str(), L"1.5 KB");
    EXPECT_EQ(store.ResetOutputSizeAt(0), 1536);
    EXPECT_EQ(store.Get(L"a").outputSize, 0);
    EXPECT_STREQ(store.Get(L"a").outputSizeText.c_str(), L"0.0 B");

    store.RemoveAll();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.IndexOf(L"a"), -1);
}

TEST(ImageFileStore, TwoThreadsAddingAndReadingKeepTheIndexWhole)
{
    ImageFileStore store;
    constexpr int kEach = 500;
    auto add = [&](wchar_t prefix) {
        for (int i = 0; i < kEach; ++i) {
            std::wstring path = std::wstring(1, prefix) + std::to_wstring(i);
            store.Put(Item(path.c_str()));
            (void)store.GetAt(store.Count() - 1);
        }
    };
    std::thread other(add, L'x');
    add(L'y');
    other.join();
    ASSERT_EQ(store.Count(), 2 * kEach);
    for (int i = 0; i < store.Count(); ++i) EXPECT_EQ(store.IndexOf(store.GetAt(i).path), i);
}
