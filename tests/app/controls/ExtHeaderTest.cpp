// The program's headers on a real host: weighted and proportional column
// widths on resize and scale changes, captions, and headers without items.
#include "ControlsTestEnv.h"

#include "app/controls/SCtrlHeaderCtrl.h"
#include "app/controls/SHeaderCtrlEx.h"

namespace ctltest {
namespace {

std::vector<int> Widths(SHeaderCtrl* h)
{
    std::vector<int> out;
    for (int i = 0; i < h->GetItemCount(); ++i)
        out.push_back(h->GetItemWidth(i));
    return out;
}

class ExtHeaderTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        // Until the program registers its classes, the test does.
        m_app->TplRegisterFactory<SCtrlHeaderCtrl>();
        m_app->TplRegisterFactory<SHeaderCtrlEx>();
        m_host = NewHost(L"LAYOUT:XML_EXT_HEADERS");
        ASSERT_NE(Shown(m_host), nullptr);
    }
    template <class T>
    T* Header(const wchar_t* name)
    {
        return static_cast<T*>(m_host->FindChildByName(name));
    }

    SHostWnd* m_host = nullptr;
};

TEST_F(ExtHeaderTest, WeightedColumnsShareTheFreeWidthAtEveryScale)
{
    auto* weighted = Header<SCtrlHeaderCtrl>(L"weighted");
    ASSERT_NE(weighted, nullptr);
    EXPECT_TRUE(weighted->IsKindOf(L"header"));
    EXPECT_EQ(Widths(weighted), (std::vector<int>{434, 88, 88, 92, 180, 118}));
    // Two weighted columns of no base width share 100: 66 and the rest.
    EXPECT_EQ(Widths(Header<SCtrlHeaderCtrl>(L"shared")), (std::vector<int>{34, 66}));
    // Without matchParent the layout's widths stand.
    EXPECT_EQ(Widths(Header<SCtrlHeaderCtrl>(L"fixed")), (std::vector<int>{70, 80}));
    // Resizing follows; matchParent fixes the widths against the mouse.
    const RECT wide = {0, 0, 1200, 20};
    weighted->Move(&wide);
    EXPECT_EQ(weighted->GetItemWidth(0), 634);
    const RECT back = {0, 0, 1000, 20};
    weighted->Move(&back);

    struct Case
    {
        const char* name;
        const wchar_t* weightEx;
        int first;
    };
    const Case cases[] = {{"free width below zero", L"0", 100}, {"weightEx keeps the base width", L"1", 260}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        weighted->SetAttribute(L"weightEx", c.weightEx, FALSE);
        m_host->BroadcastMessage(UM_SETSCALE, 150);
        EXPECT_EQ(weighted->GetItemWidth(0), c.first);
        m_host->BroadcastMessage(UM_SETSCALE, 100);
        EXPECT_EQ(weighted->GetItemWidth(0), 434);
    }
}

TEST_F(ExtHeaderTest, ProportionalColumnsFillTheWidth)
{
    auto* prop = Header<SHeaderCtrlEx>(L"prop");
    ASSERT_NE(prop, nullptr);
    EXPECT_TRUE(prop->IsKindOf(L"header2"));
    EXPECT_EQ(Widths(prop), (std::vector<int>{125, 125, 250}));
    EXPECT_EQ(prop->GetChildrenCount(), 0u);
    const RECT odd = {0, 40, 333, 60};
    prop->Move(&odd);
    EXPECT_EQ(Widths(prop), (std::vector<int>{84, 83, 166}));
}

TEST_F(ExtHeaderTest, CaptionsAreTrimmedAndTheFirstCanBeReplaced)
{
    auto* weighted = Header<SCtrlHeaderCtrl>(L"weighted");
    SHDITEM item;
    ASSERT_TRUE(weighted->GetItem(0, &item));
    EXPECT_EQ(std::wstring(item.text.c_str()), L"File name");
    ASSERT_TRUE(weighted->GetItem(4, &item));
    EXPECT_EQ(item.lParam, 7u);
    EXPECT_EQ(item.sortFlag, 2u);
    EXPECT_TRUE(weighted->SetHeaderText(L"Image"));
    weighted->GetItem(0, &item);
    EXPECT_EQ(std::wstring(item.text.c_str()), L"Image");
    weighted->DeleteAllItems();
    EXPECT_FALSE(weighted->SetHeaderText(L"x"));
    // Without "items" no column exists.
    auto* bare = Header<SHeaderCtrlEx>(L"bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->GetItemCount(), 0);
}

} // namespace
} // namespace ctltest
