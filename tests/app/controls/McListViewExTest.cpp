// The file list on a real host with posted input: Shift and Ctrl presses, the
// selection band with its auto-scroll and focus loss, row drags that drop
// above or below a row's half, the band and drop line in pixels, and input
// the view must survive.
#include "tests/dui/control/ListTestHost.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/controls/SCtrlHeaderCtrl.h"
#include "app/controls/SHeaderCtrlEx.h"
#include "app/controls/SMCListViewEx.h"
#include "app/controls/SMcAdapterBaseEx.h"
#include "dui/res.mgr/SSkinImgList.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "tests/support/PngSave.h"

namespace listtest {
namespace {

// Rows are items named by a number; moves really reorder them.
class FileRows : public SMcAdapterBaseEx
{
public:
    std::vector<int> items;
    int selectionGestures = 0;
    bool refuseMoves = false;
    std::vector<int> sorted;

    explicit FileRows(int n)
    {
        for (int i = 0; i < n; ++i)
            items.push_back(i);
    }
    int GetCount() override { return static_cast<int>(items.size()); }
    void GetView(int row, SItemPanel* item, xmldom::xml_node tpl) override
    {
        if (row < 0 || row >= GetCount())
            askedPastCount = true;
        if (item->GetChildrenCount() == 0) {
            item->CreateChildren(tpl);
            for (const wchar_t* name : {L"colorNormal", L"colorSelected", L"colorHover"})
                item->SetAttribute(name, tpl.attribute(name).value(), TRUE);
        }
        const int id = items[static_cast<size_t>(row)];
        item->FindChildByName(L"c0")->SetWindowText((L"file " + std::to_wstring(id)).c_str());
        item->FindChildByName(L"c1")->SetWindowText(std::to_wstring(id % 7 + 1).c_str());
        item->FindChildByName(L"c2")->SetWindowText(L"ready");
    }
    SStringW GetColumnName(int column) override { return SStringW(L"c") + std::to_wstring(column).c_str(); }
    bool OnSort(int column, UINT* flags, int n) override
    {
        sorted.push_back(column);
        for (int i = 0; i < n; ++i)
            flags[i] = i == column ? (flags[i] == 1 ? 2 : 1) : 0;
        return true;
    }
    void OnSelectionChanged() override { ++selectionGestures; }
    // The selected items, in their former order, go before `row`.
    bool MoveSelectedItems(int row, SLinkedList<int>& selection) override
    {
        const int n = GetCount();
        if (refuseMoves || row < 0 || row > n)
            return false;
        std::vector<int> from;
        for (auto pos = selection.GetHeadPosition(); pos; pos = pos->m_pNext) {
            if (pos->m_value >= 0 && pos->m_value < n)
                from.push_back(pos->m_value);
        }
        std::sort(from.begin(), from.end());
        from.erase(std::unique(from.begin(), from.end()), from.end());
        if (from.empty())
            return false;
        std::vector<int> moved, rest;
        for (int i = 0; i < n; ++i)
            (std::binary_search(from.begin(), from.end(), i) ? moved : rest).push_back(items[static_cast<size_t>(i)]);
        const int at = row - static_cast<int>(std::count_if(from.begin(), from.end(), [row](int p) { return p < row; }));
        rest.insert(rest.begin() + at, moved.begin(), moved.end());
        items = rest;
        for (auto pos = selection.GetHeadPosition(); pos; pos = pos->m_pNext) {
            const auto it = std::lower_bound(from.begin(), from.end(), pos->m_value);
            if (it != from.end() && *it == pos->m_value)
                pos->m_value = at + static_cast<int>(it - from.begin());
        }
        return true;
    }
    bool askedPastCount = false;
};

std::vector<int> Selection(SMcAdapterBaseEx& a)
{
    std::vector<int> out;
    const SLinkedList<int>& list = a.GetSelection();
    for (auto pos = list.GetHeadPosition(); pos; pos = pos->m_pNext)
        out.push_back(pos->m_value);
    return out;
}

constexpr int kHeader = 24, kRow = 21;   // 20-pixel rows and a divider

class McListViewExTest : public ListHostTest
{
protected:
    void SetUp() override
    {
        ListHostTest::SetUp();
        // Until the program registers its classes, the test does.
        m_app->TplRegisterFactory<SMCListViewEx>();
        m_app->TplRegisterFactory<SHeaderCtrlEx>();
        m_app->TplRegisterFactory<SCtrlHeaderCtrl>();
        // The program's UI definition measures in dp; the header's widths
        // are in that unit.
        m_oldUnit = SLayoutSize::GetDefaultUnit();
        SLayoutSize::SetDefaultUnit(L"dp");
        ASSERT_NE(Open(L"LAYOUT:XML_MCLISTVIEWEX"), nullptr);
        m_list = Child<SMCListViewEx>(m_host, L"list");
        ASSERT_NE(m_list, nullptr);
        m_list->SubscribeEvent(EventLVSelChanged::EventID, StdFunctionSlot([this](EventArgs* e) {
                                   m_changed.push_back(static_cast<EventLVSelChanged*>(e)->iNewSel);
                                   return false;
                               }));
        Attach(10);
    }
    void TearDown() override
    {
        ListHostTest::TearDown();
        SLayoutSize::SetDefaultUnit(m_oldUnit == SLayoutSize::dp ? L"dp" : L"px");
    }
    void Attach(int rows)
    {
        m_rows = SRefPtr<FileRows>::Adopt(new FileRows(rows));
        ASSERT_TRUE(m_list->SetAdapter(m_rows.Get()));
        Flush(m_host);
    }
    // The middle of a row on screen, or `dy` from its top.
    POINT RowPoint(int row, int dy = 10, int x = 100) const
    {
        return POINT{x, kHeader + (row - m_list->GetFirstVisible()) * kRow + dy - ScrollRest()};
    }
    int ScrollRest() const
    {
        const int first = m_list->GetFirstVisible();
        return first < 0 ? 0 : m_list->GetScrollPos(TRUE) - first * kRow;
    }
    void Press(POINT pt, WPARAM keys = MK_LBUTTON)
    {
        PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, pt);
        PostAndPump(m_hwnd, WM_LBUTTONDOWN, keys, pt);
    }
    void Release(POINT pt, WPARAM keys = 0) { PostAndPump(m_hwnd, WM_LBUTTONUP, keys, pt); }
    void DragTo(POINT pt) { PostAndPump(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, pt); }
    void ClickWith(POINT pt, WPARAM keys)
    {
        Press(pt, keys | MK_LBUTTON);
        Release(pt, keys);
    }
    // Scrolls until the first row shown is at least `row`.
    void ScrollToBottom()
    {
        m_list->DeliverSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
        Flush(m_host);
    }
    void SavePictures(const wchar_t* name)
    {
        hosttest::MaybeSavePng(m_host->GetMemSurface(), (std::wstring(name) + L"_100.png").c_str());
    }

    SLayoutSize::Unit m_oldUnit = SLayoutSize::px;
    SMCListViewEx* m_list = nullptr;
    SRefPtr<FileRows> m_rows;
    std::vector<int> m_changed;
};

// 0xAARRGGBB of `base` under `color` (0xAABBGGRR, straight alpha).
uint32_t Blend(uint32_t base, COLORREF color, unsigned alpha)
{
    auto mix = [alpha](unsigned under, unsigned over) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    const unsigned r = mix((base >> 16) & 0xFF, color & 0xFF);
    const unsigned g = mix((base >> 8) & 0xFF, (color >> 8) & 0xFF);
    const unsigned b = mix(base & 0xFF, (color >> 16) & 0xFF);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

bool Near(uint32_t a, uint32_t b)
{
    for (int shift : {0, 8, 16, 24}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3)
            return false;
    }
    return true;
}

TEST_F(McListViewExTest, IsAClassOfItsOwnWithAHeaderAndNoAdapterBeforeCreation)
{
    EXPECT_TRUE(m_list->IsKindOf(L"mclistviewex"));
    EXPECT_TRUE(m_list->IsKindOf(L"div"));
    EXPECT_FALSE(m_list->IsKindOf(L"mclistview"));
    ASSERT_NE(m_list->GetHeader(), nullptr);
    EXPECT_TRUE(m_list->GetHeader()->IsKindOf(L"ctrlheader"));
    EXPECT_EQ(m_list->GetHeader()->GetWindowRect().bottom, kHeader);
    EXPECT_EQ(m_list->OnGetDlgCode(), 0x80000001u);

    SRefPtr<SMCListViewEx> loose = SRefPtr<SMCListViewEx>::Adopt(new SMCListViewEx());
    EXPECT_FALSE(loose->SetAdapter(m_rows.Get()));
    m_host->CreateChildrenFromXmlText(
        L"<x><mclistviewex name=\"bare\" pos=\"0,0,@50,@50\"><template itemHeight=\"20\"/></mclistviewex></x>");
    if (auto* bare = Child<SMCListViewEx>(m_host, L"bare"))
        EXPECT_FALSE(bare->SetAdapter(m_rows.Get()));
    EXPECT_EQ(m_rows->GetObserverCount(), 1u);
}

TEST_F(McListViewExTest, PostedShiftAndCtrlPressesSelectRangesAndToggleRows)
{
    ClickWith(RowPoint(2), 0);
    EXPECT_EQ(m_list->GetSel(), 2);
    EXPECT_EQ(Selection(*m_rows), std::vector<int>{2});
    const int gestures = m_rows->selectionGestures;

    struct Step
    {
        const char* name;
        POINT at;
        WPARAM keys;
        std::vector<int> selection;
        int gestures;
    };
    const Step steps[] = {
        {"shift to row 5", RowPoint(5), MK_SHIFT, {2, 3, 4, 5}, 1},
        {"ctrl toggles 3 off", RowPoint(3), MK_CONTROL, {2, 4, 5}, 1},
        {"ctrl toggles 8 on", RowPoint(8), MK_CONTROL, {2, 4, 5, 8}, 1},
        {"shift below the rows changes nothing", POINT{100, 270}, MK_SHIFT, {2, 4, 5, 8}, 0},
        {"ctrl below the rows changes nothing", POINT{100, 270}, MK_CONTROL, {2, 4, 5, 8}, 0},
        {"shift from the last added row", RowPoint(6), MK_SHIFT, {8, 7, 6}, 1},
    };
    int expected = gestures;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        ClickWith(s.at, s.keys);
        expected += s.gestures;
        EXPECT_EQ(Selection(*m_rows), s.selection);
        EXPECT_EQ(m_rows->selectionGestures, expected);
        EXPECT_EQ(m_list->GetSel(), 2);   // Shift and Ctrl never move the current row
        EXPECT_FALSE(m_list->IsBandSelecting());
    }
    EXPECT_EQ(m_changed, std::vector<int>{2});
    // The selected fill follows the adapter, at the next paint.
    const uint32_t selected = 0xFFCCE4FF, plain = 0xFFFFFFFF;
    EXPECT_EQ(At(RowPoint(7, 10, 300)), selected);
    EXPECT_EQ(At(RowPoint(3, 10, 300)), plain);
    EXPECT_EQ(At(RowPoint(2, 10, 300)), plain);
}

TEST_F(McListViewExTest, ABandFromBelowTheLastRowCountsFromTheLastRow)
{
    const POINT start = {150, 270};
    Press(start);
    EXPECT_TRUE(m_list->IsBandSelecting());
    EXPECT_EQ(Selection(*m_rows), std::vector<int>{-1});
    DragTo(RowPoint(7, 10, 200));
    EXPECT_EQ(Selection(*m_rows), (std::vector<int>{9, 8, 7}));
    const POINT end = RowPoint(4, 10, 200);
    DragTo(end);
    EXPECT_EQ(Selection(*m_rows), (std::vector<int>{9, 8, 7, 6, 5, 4}));

    // The fill at the layout's alpha times 88/256 over the white below the
    // rows, the outline in the full colour.
    const COLORREF band = 0xFFFF6000;
    EXPECT_TRUE(Near(At(POINT{175, 262}), Blend(0xFFFFFFFF, band, 255 * 88 / 256))) << std::hex << At(POINT{175, 262});
    EXPECT_EQ(At(POINT{150, 262}), 0xFF0060FFu);   // left edge
    EXPECT_EQ(At(POINT{175, end.y}), 0xFF0060FFu);   // top edge
    EXPECT_EQ(At(POINT{199, 262}), 0xFF0060FFu);   // right edge, inside
    EXPECT_NE(At(POINT{200, 262}), 0xFF0060FFu);
    SavePictures(L"mclistviewex_band");

    const int gestures = m_rows->selectionGestures;
    Release(end);
    EXPECT_FALSE(m_list->IsBandSelecting());
    EXPECT_EQ(m_rows->selectionGestures, gestures + 1);
    EXPECT_NE(At(POINT{175, 262}), Blend(0xFFFFFFFF, band, 255 * 88 / 256));
    EXPECT_EQ(At(RowPoint(6, 10, 300)), 0xFFCCE4FFu);
}

TEST_F(McListViewExTest, ABandAboveTheRowsScrollsUpToTheTopButNeverSideways)
{
    Attach(200);
    ScrollToBottom();
    const int bottom = m_list->GetScrollPos(TRUE);
    ASSERT_GT(bottom, 0);
    const int row = m_list->GetFirstVisible() + 3;
    Press(RowPoint(row));
    ASSERT_TRUE(m_list->IsBandSelecting());

    // Beside the rows: a timer runs, the rows stay.
    DragTo(POINT{-30, RowPoint(row + 2).y});
    ASSERT_TRUE(nativetest::PumpPastTimer(60));
    EXPECT_EQ(m_list->GetScrollPos(TRUE), bottom);
    EXPECT_EQ(m_list->GetScrollPos(FALSE), 0);
    EXPECT_EQ(Selection(*m_rows), (std::vector<int>{row, row + 1, row + 2}));

    DragTo(POINT{150, -10});
    ASSERT_TRUE(nativetest::PumpUntil([&] { return m_list->GetScrollPos(TRUE) == 0; }, 20000));
    EXPECT_EQ(m_list->GetFirstVisible(), 0);
    std::vector<int> upToTop;
    for (int r = row; r >= 0; --r)
        upToTop.push_back(r);
    EXPECT_EQ(Selection(*m_rows), upToTop);
    Release(POINT{150, -10});
    EXPECT_FALSE(m_list->IsBandSelecting());
    EXPECT_FALSE(m_rows->askedPastCount);
}

TEST_F(McListViewExTest, LosingTheFocusEndsTheBandAndTheNextBandScrollsAgain)
{
    Attach(200);
    auto* other = Child<SWindow>(m_host, L"other");
    ASSERT_NE(other, nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ScrollToBottom();
        const int bottom = m_list->GetScrollPos(TRUE);
        // A row the first band left unselected: a band, not a drag.
        const int row = m_list->GetFirstVisible() + static_cast<int>(m_list->GetVisibleCount()) - 3 + round;
        ASSERT_FALSE(m_rows->IsSelected(row));
        Press(RowPoint(row));
        ASSERT_TRUE(m_list->IsBandSelecting());
        DragTo(POINT{150, -10});
        ASSERT_TRUE(nativetest::PumpUntil([&] { return m_list->GetScrollPos(TRUE) < bottom; }));
        const int gestures = m_rows->selectionGestures;
        other->SetFocus();
        EXPECT_FALSE(m_list->IsBandSelecting());
        EXPECT_EQ(m_rows->selectionGestures, gestures + 1);
        const int stopped = m_list->GetScrollPos(TRUE);
        ASSERT_TRUE(nativetest::PumpPastTimer(60));
        EXPECT_EQ(m_list->GetScrollPos(TRUE), stopped);
        Release(POINT{150, -10});
    }
}

TEST_F(McListViewExTest, SelectedRowsDragAboveOrBelowTheHalfOfARow)
{
    struct Case
    {
        const char* name;
        int row;
        int dy;
        std::vector<int> items;
        std::vector<int> selection;
    };
    const std::vector<int> unchanged = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const Case cases[] = {
        {"lower half of row 3: before row 4", 3, 15, {0, 2, 3, 1, 4, 5, 6, 7, 8, 9}, {3}},
        {"upper half of row 3: before row 3", 3, 4, {0, 2, 1, 3, 4, 5, 6, 7, 8, 9}, {2}},
        {"upper half of the selected row itself", 1, 4, unchanged, {1}},
        {"below the rows", 12, 10, unchanged, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Attach(10);
        ClickWith(RowPoint(1), 0);
        ASSERT_EQ(Selection(*m_rows), std::vector<int>{1});
        Press(RowPoint(1));
        EXPECT_FALSE(m_list->IsBandSelecting());
        ASSERT_TRUE(nativetest::PumpPastTimer(120));
        const POINT at = c.row < 10 ? RowPoint(c.row, c.dy) : POINT{100, 270};
        DragTo(at);
        EXPECT_TRUE(m_list->IsRowDragging());
        if (c.dy == 15 && c.row == 3) {
            // The drop line: the row's bottom two pixels.
            const RECT rc = {0, RowPoint(3, 0).y, 0, RowPoint(3, 20).y};
            EXPECT_EQ(At(POINT{150, rc.bottom - 1}), 0xFFFF0000u);
            EXPECT_EQ(At(POINT{150, rc.bottom - 2}), 0xFFFF0000u);
            EXPECT_NE(At(POINT{150, rc.bottom - 3}), 0xFFFF0000u);
            SavePictures(L"mclistviewex_dropline");
        }
        Release(at);
        EXPECT_FALSE(m_list->IsRowDragging());
        EXPECT_EQ(m_rows->items, c.items);
        EXPECT_EQ(Selection(*m_rows), c.selection);
        Flush(m_host);
        EXPECT_EQ(m_list->GetItemPanel(c.selection[0])->FindChildByName(L"c0")->GetWindowText(), SStringW(L"file 1"));
    }
}

TEST_F(McListViewExTest, FocusLossOrARefusedMoveDropsNothing)
{
    auto* other = Child<SWindow>(m_host, L"other");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "focus lost mid-drag" : "adapter refuses");
        Attach(10);
        m_rows->refuseMoves = round == 1;
        ClickWith(RowPoint(1), 0);
        Press(RowPoint(1));
        ASSERT_TRUE(nativetest::PumpPastTimer(120));
        DragTo(RowPoint(5, 15));
        ASSERT_TRUE(m_list->IsRowDragging());
        if (round == 0) {
            other->SetFocus();
            EXPECT_FALSE(m_list->IsRowDragging());
        }
        Release(RowPoint(5, 15));
        EXPECT_EQ(m_rows->items, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(Selection(*m_rows), std::vector<int>{1});
    }
}

TEST_F(McListViewExTest, SetSelKeysAndSortGoThroughTheAdapter)
{
    m_list->SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(m_list->GetSel(), 0);
    EXPECT_EQ(Selection(*m_rows), std::vector<int>{0});
    // A cancelled change leaves the row and the adapter's selection.
    const bool cancel = true;
    m_list->SubscribeEvent(EventLVSelChanging::EventID, StdFunctionSlot([&](EventArgs* e) {
                               static_cast<EventLVSelChanging*>(e)->bCancel = cancel;
                               return false;
                           }));
    m_list->SetSel(4, TRUE);
    EXPECT_EQ(m_list->GetSel(), 0);
    EXPECT_EQ(Selection(*m_rows), std::vector<int>{0});

    Click(POINT{150, 10});   // "Pages", column 1
    EXPECT_EQ(m_rows->sorted, std::vector<int>{1});
    SHDITEM item;
    m_list->GetHeader()->GetItem(1, &item);
    EXPECT_EQ(item.sortFlag, 1u);
    Flush(m_host);
    SavePictures(L"mclistviewex_sorted");
}

TEST_F(McListViewExTest, BadInputLeavesTheViewWhole)
{
    m_list->SetSel(1000000, TRUE);
    m_list->EnsureVisible(-7);
    EXPECT_EQ(m_list->GetSel(), -1);
    Attach(0);
    ClickWith(RowPoint(0), 0);
    ClickWith(RowPoint(0), MK_SHIFT);
    Press(POINT{100, 100});
    DragTo(POINT{100, -20});
    Release(POINT{100, -20});
    EXPECT_EQ(m_list->GetFirstVisible(), -1);
    Attach(1000000);
    Key(VK_END);
    EXPECT_EQ(m_list->GetSel(), 999999);
    EXPECT_FALSE(m_rows->askedPastCount);
    // A handler that takes the adapter away in the middle of a click.
    m_list->SubscribeEvent(EventLVSelChanged::EventID, StdFunctionSlot([this](EventArgs*) {
                               m_list->SetAdapter(nullptr);
                               return false;
                           }));
    ClickWith(RowPoint(m_list->GetFirstVisible() + 1), 0);
    EXPECT_EQ(m_list->GetAdapterEx(), nullptr);
    ClickWith(RowPoint(1), 0);
}

// A skin from one of the list marks drawn beside the program's resources
// (resources/pngList/draw_list_marks.py).
void AddMarkSkin(IPaintFactory* factory, const wchar_t* file, const wchar_t* name, int states)
{
    const std::wstring path = std::wstring(VESK_LIST_MARKS_DIR) + L"/" + file;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    std::vector<uint32_t> px;
    int cx = 0, cy = 0;
    {
        Gdiplus::Bitmap bmp(path.c_str());
        cx = static_cast<int>(bmp.GetWidth());
        cy = static_cast<int>(bmp.GetHeight());
        px.resize(static_cast<size_t>(cx) * cy);
        Gdiplus::BitmapData data = {};
        Gdiplus::Rect all(0, 0, cx, cy);
        data.Width = cx;
        data.Height = cy;
        data.Stride = cx * 4;
        data.PixelFormat = PixelFormat32bppPARGB;
        data.Scan0 = px.data();
        bmp.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                     &data);
        bmp.UnlockBits(&data);
    }
    Gdiplus::GdiplusShutdown(token);
    ASSERT_GT(cx * cy, 0) << "missing " << std::string(path.begin(), path.end());
    SRefPtr<IPaintBitmap> image;
    factory->CreateBitmap(image.Put());
    image->InitPixels(cx, cy, px.data());
    auto skin = SRefPtr<SSkinImgList>::Adopt(new SSkinImgList());
    skin->SetAttribute(L"name", name, TRUE);
    skin->SetImage(image.Get());
    skin->SetStates(states);
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->AddSkin({name, 100}, skin.Detach());
}

// Pictures at 100 % and 150 %: the sort mark and column dividers, selected
// rows and a band, then a drop line. Places come from the view itself.
TEST_F(McListViewExTest, LooksAtBothScales)
{
    AddMarkSkin(m_factory.Get(), L"sort_mark.png", L"_test.sortmark", 2);
    AddMarkSkin(m_factory.Get(), L"col_divider.png", L"_test.coldivider", 1);
    for (int percent : {100, 150}) {
        SCOPED_TRACE(percent);
        ScaleTo(percent, SIZE{320, 300});
        auto* head = static_cast<SCtrlHeaderCtrl*>(m_list->GetHeader());
        head->SetAttribute(L"sortSkin", L"_test.sortmark", FALSE);
        head->SetAttribute(L"dividerSkin", L"_test.coldivider", FALSE);
        Attach(10);
        auto mid = [this](int row, int x) {
            RECT rc;
            m_list->OnItemGetRect(m_list->GetItemPanel(row), rc);
            return POINT{x, (rc.top + rc.bottom) / 2};
        };
        const RECT pages = head->GetItemRect(1);
        Click(POINT{(pages.left + pages.right) / 2, (pages.top + pages.bottom) / 2});
        SHDITEM item;
        head->GetItem(1, &item);
        EXPECT_EQ(item.sortFlag, 1u);
        ClickWith(mid(1, 40), 0);
        ClickWith(mid(2, 40), MK_CONTROL);
        Press(mid(6, 200 * percent / 100));
        DragTo(mid(8, 260 * percent / 100));
        EXPECT_EQ(Selection(*m_rows), (std::vector<int>{6, 7, 8}));
        Flush(m_host);
        hosttest::MaybeSavePng(m_host->GetMemSurface(),
                               (L"mclistviewex_looks_" + std::to_wstring(percent) + L".png").c_str());
        Release(mid(8, 260 * percent / 100));
        // Sorted the other way, then a drag of row 4 below row 7.
        Click(POINT{(pages.left + pages.right) / 2, (pages.top + pages.bottom) / 2});
        ClickWith(mid(4, 40), 0);
        Press(mid(4, 40));
        ASSERT_TRUE(nativetest::PumpPastTimer(120));
        POINT below = mid(7, 150);
        below.y += 3 * percent / 100;
        DragTo(below);
        EXPECT_TRUE(m_list->IsRowDragging());
        Flush(m_host);
        hosttest::MaybeSavePng(m_host->GetMemSurface(),
                               (L"mclistviewex_drop_" + std::to_wstring(percent) + L".png").c_str());
        Release(below);
        EXPECT_EQ(m_rows->items, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 4, 8, 9}));
    }
}

} // namespace
} // namespace listtest
