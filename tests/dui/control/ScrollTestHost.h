#pragma once
// For tests of scrolling controls in a real host window: the host fixture
// with a scroll-bar skin drawn here (12-pixel cells, one colour per cell,
// so a pixel tells which part and state was drawn), posted mouse input and
// a log of scroll events.
#include "tests/dui/core/HostTestEnv.h"

#include <vector>

#include "dui/control/ScrollEvents.h"
#include "dui/core/base/SlotFunctor.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinScrollbar.h"

namespace scrolltest {

using namespace DUI;

constexpr int kCell = 12;

// Columns of the grid: vertical arrow, arrow, thumb, rail, then the same
// horizontally, then the corner; rows are the states 0-4.
inline uint32_t CellColor(int col, int row)
{
    return 0xFF000000u | static_cast<uint32_t>(col * 25 + 30) << 16 | static_cast<uint32_t>(row * 45 + 20) << 8 | 0x55u;
}

struct ScrollRecord
{
    int code;
    int pos;
    BOOL vertical;
    ULONGLONG tick;
};

class ScrollHostTest : public hosttest::HostTest
{
protected:
    static constexpr int kVertThumb = 2, kVertRail = 3, kHorzThumb = 6;
    static constexpr int kInactiveRow = 4, kDisabledRow = 3;

    // The layout "scroll.xml", shown.
    void SetUp() override
    {
        HostTest::SetUp();
        AddScrollbarSkin();
        m_host = NewHost(L"LAYOUT:XML_SCROLL");
        m_hwnd = Shown(m_host);
        ASSERT_NE(m_hwnd, nullptr);
    }

    // The system scroll-bar skin the controls take at construction.
    void AddScrollbarSkin()
    {
        std::vector<uint32_t> px(9 * kCell * 5 * kCell);
        for (int y = 0; y < 5 * kCell; ++y)
            for (int x = 0; x < 9 * kCell; ++x)
                px[static_cast<size_t>(y) * 9 * kCell + x] = CellColor(x / kCell, y / kCell);
        SRefPtr<IPaintBitmap> bmp;
        m_factory->CreateBitmap(bmp.Put());
        bmp->InitPixels(9 * kCell, 5 * kCell, px.data());
        auto skin = SRefPtr<SSkinScrollbar>::Adopt(new SSkinScrollbar());
        skin->SetAttribute(L"name", L"_skin.sys.scrollbar", TRUE);
        skin->SetAttribute(L"hasInactive", L"1", TRUE);
        skin->SetImage(bmp.Get());
        SSkinPoolMgr::GetInstance()->GetBuiltinPool()->AddSkin({L"_skin.sys.scrollbar", 100}, skin.Detach());
    }

    // Notes every "on_scroll" of the window.
    void Record(SWindow* w)
    {
        w->SubscribeEvent(EventScroll::EventID, StdFunctionSlot([this](EventArgs* e) {
                              auto* s = static_cast<EventScroll*>(e);
                              m_scrolls.push_back({s->nSbCode, s->nPos, s->bVertical, ::GetTickCount64()});
                              return false;
                          }));
    }

    static LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
    static POINT Center(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

    // Posts the message and waits until the host has taken everything queued.
    static void PostAndPump(HWND hwnd, UINT msg, WPARAM wp, POINT pt)
    {
        ::PostMessageW(hwnd, msg, wp, Point(pt.x, pt.y));
        nativetest::PumpUntil([hwnd] {
            MSG m;
            return !::PeekMessageW(&m, hwnd, 0, 0, PM_NOREMOVE);
        }, 5000);
    }
    // A wheel message carries screen coordinates.
    static void Wheel(HWND hwnd, int delta, POINT client, WORD keys = 0)
    {
        ::ClientToScreen(hwnd, &client);
        PostAndPump(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))), client);
    }
    static uint32_t Pixel(SHostWnd* host, POINT pt) { return hosttest::SurfacePixel(host->GetMemSurface(), pt.x, pt.y); }

    SHostWnd* m_host = nullptr;
    HWND m_hwnd = nullptr;
    std::vector<ScrollRecord> m_scrolls;
};

} // namespace scrolltest
