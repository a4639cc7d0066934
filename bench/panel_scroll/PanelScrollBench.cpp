// Opens a host whose scroll view holds 2,000 child windows (200 rows of 10
// labelled cells) and measures one wheel step: the scroll, the re-layout of
// the children at the new origin, the repaint and its presentation.
// Usage: panel_scroll [out.png]. The last line: windows=N steps=S scroll_ms=M
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/BenchFrames.h"
#include "bench/support/BenchLayoutFolder.h"
#include "bench/support/BenchWindowEnv.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/control/SScrollView.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostWnd.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SSkinScrollbar.h"

using namespace DUI;
using benchenv::LayoutFolder;
using benchenv::Median;
using benchenv::NowMs;
using benchenv::Pump;
using benchenv::SavePng;

namespace {

constexpr int kRows = 200, kCols = 10, kRowHeight = 24, kCellWidth = 60;
constexpr int kSteps = 120;

std::wstring Num(int n)
{
    return std::to_wstring(n);
}

std::wstring Layout(int& windows)
{
    std::wstring xml = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                       L"<DUI title=\"panel_scroll\" width=\"640\" height=\"480\" sendWheel2Hover=\"1\">"
                       L"<root colorBkgnd=\"#ffffff\">"
                       L"<scrollview name=\"view\" pos=\"0,0,-0,-0\" scrollSpeed=\"" +
                       Num(kRowHeight) + L"\" viewSize=\"" + Num(kCols * kCellWidth) + L"," +
                       Num(kRows * kRowHeight) + L"\" colorBkgnd=\"#f4f6f8\">";
    windows = 2;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c, ++windows)
            xml += L"<window pos=\"" + Num(c * kCellWidth) + L"," + Num(r * kRowHeight) + L",@" +
                   Num(kCellWidth - 2) + L",@" + Num(kRowHeight - 2) + L"\" colorBkgnd=\"" +
                   ((r + c) % 2 ? L"#ffffff" : L"#e8eef6") + L"\" colorText=\"#303030\">" + Num(r * kCols + c) +
                   L"</window>";
    return xml + L"</scrollview></root></DUI>";
}

// The system scroll-bar skin: 14-pixel cells, darker per state.
void AddScrollbarSkin(IPaintFactory* factory)
{
    constexpr int cell = 14;
    std::vector<uint32_t> px(9 * cell * 5 * cell);
    for (int y = 0; y < 5 * cell; ++y)
        for (int x = 0; x < 9 * cell; ++x) {
            const uint32_t shade = 0xE0 - (y / cell) * 0x18 - ((x / cell) % 4 == 2 ? 0x40 : 0);
            px[static_cast<size_t>(y) * 9 * cell + x] = 0xFF000000u | shade << 16 | shade << 8 | shade;
        }
    SRefPtr<IPaintBitmap> bmp;
    factory->CreateBitmap(bmp.Put());
    bmp->InitPixels(9 * cell, 5 * cell, px.data());
    auto skin = SRefPtr<SSkinScrollbar>::Adopt(new SSkinScrollbar());
    skin->SetAttribute(L"name", L"_skin.sys.scrollbar", TRUE);
    skin->SetImage(bmp.Get());
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->AddSkin({L"_skin.sys.scrollbar", 100}, skin.Detach());
}

struct Result
{
    int windows = 0;
    double scrollMs = 0;
    bool moved = false;
};

// One wheel notch down, then up once the view's end is near; each step
// returns only after the host has presented the new picture.
double MeasureSteps(SHostWnd* host, SScrollView* view, bool& moved)
{
    POINT at = {320, 240};
    ::ClientToScreen(host->GetHwnd(), &at);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    std::vector<double> steps;
    int delta = -WHEEL_DELTA;
    for (int i = 0; i < kSteps; ++i) {
        if (i == kSteps / 2)
            delta = -delta;
        const int before = view->GetScrollPos(TRUE);
        const double t = NowMs();
        ::SendMessageW(host->GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), where);
        host->UpdateWindow();
        steps.push_back(NowMs() - t);
        moved = moved || view->GetScrollPos(TRUE) != before;
        Pump();
    }
    return Median(steps);
}

bool Run(IPaintFactory* factory, const char* png, Result& out)
{
    LayoutFolder folder(L"vesk_panel_scroll_", Layout(out.windows));
    SObjectDefaultRegister builtIns;
    SApplication app(factory, ::GetModuleHandleW(nullptr), L"VeskPanelScrollBench", &builtIns);
    IResProvider* p = nullptr;
    CreateResProvider(RES_FILE, &p);
    SRefPtr<IResProvider> provider = SRefPtr<IResProvider>::Adopt(p);
    if (!folder.Ok() || !provider->Init(reinterpret_cast<WPARAM>(folder.Dir().c_str())))
        return false;
    app.AddResProvider(provider.Get(), nullptr);
    AddScrollbarSkin(factory);

    auto* host = new SHostWnd(L"LAYOUT:XML_BENCH");
    bool ok = host->CreateEx(nullptr, WS_POPUP, 0, 20, 20, 0, 0) != nullptr;
    auto* view = ok ? static_cast<SScrollView*>(host->FindChildByName(L"view")) : nullptr;
    ok = ok && view;
    if (ok) {
        ::ShowWindow(host->GetHwnd(), SW_SHOWNOACTIVATE);
        host->UpdateWindow();
        Pump();
        out.scrollMs = MeasureSteps(host, view, out.moved);
        if (!SavePng(host->GetMemSurface(), png))
            fprintf(stderr, "panel_scroll: could not save the frame\n");
    } else {
        fprintf(stderr, "panel_scroll: the host was not made\n");
    }
    if (host->GetHwnd())
        host->DestroyWindow();
    host->Release();
    app.RemoveAllResProviders();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    benchenv::RenderDll render;
    if (!render.Factory())
        return 1;
    Result r;
    if (!Run(render.Factory(), argc > 1 ? argv[1] : "panel_scroll.png", r))
        return 1;
    if (!r.moved) {
        fprintf(stderr, "panel_scroll: the wheel did not scroll the view\n");
        return 1;
    }
    printf("windows=%d steps=%d scroll_ms=%.3f\n", r.windows, kSteps, r.scrollMs);
    return 0;
}
