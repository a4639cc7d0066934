// Paints a window tree the size of the main window (about 300 windows with
// skins and text, 1204 x 688) into a host image: in full, and again after
// one button's hover state changes, repainting only what that invalidated.
// Usage: window_paint [out.png]. The last line: windows=N full_ms=F hover_ms=H
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/support/BenchFrames.h"
#include "bench/support/BenchWindowEnv.h"
#include "dui/core/SPaintObjects.h"
#include "dui/res.mgr/SSkinImgFrame.h"
#include "tests/dui/core/FakeSwndContainer.h"

using namespace DUI;
using benchenv::ButtonFaces;
using benchenv::Median;
using benchenv::NowMs;
using benchenv::SavePng;

namespace {

constexpr int kWidth = 1204, kHeight = 688;

const wchar_t kSkins[] = L"<skin>"
                         L"<colorrect name=\"caption\" normal=\"#2b5797\"/>"
                         L"<colorrect name=\"nav\" normal=\"#f3f5f8\" hover=\"#e2e8f0\" pushdown=\"#d0d8e4\" "
                         L"cornerRadius=\"4\"/>"
                         L"<colorrect name=\"row\" normal=\"#ffffff\" hover=\"#eef4fc\" normalBorder=\"#e4e8ee\"/>"
                         L"<imgframe name=\"btn\" states=\"4\" margin=\"3,3,3,3\"/>"
                         L"</skin>";

// Caption, a navigation column, a list of 30 rows of 8 cells, a bottom bar.
std::wstring Generate(int& windows)
{
    std::wstring xml = L"<root colorBkgnd=\"#fafbfc\">";
    xml += L"<window pos=\"0,0,-0,40\" skin=\"caption\" colorText=\"#ffffff\" font=\"size:14px\" align=\"left\" "
           L"padding=\"12,0,0,0\">VeskPDF2Image</window>";
    windows = 2;
    for (int i = 0; i < 10; ++i, ++windows)
        xml += L"<window pos=\"8," + std::to_wstring(48 + i * 40) + L",@140,@34\" skin=\"nav\" colorText=\"#333333\" "
               L"colorTextHover=\"#2b5797\">Module " + std::to_wstring(i + 1) + L"</window>";
    xml += L"<window pos=\"160,48,-8,-56\" colorBkgnd=\"#ffffff\" margin=\"1\" colorBorder=\"#d0d6de\" clipClient=\"1\">";
    ++windows;
    for (int r = 0; r < 30; ++r, ++windows) {
        xml += L"<window pos=\"0," + std::to_wstring(r * 19) + L",-0,@19\" skin=\"row\">";
        for (int c = 0; c < 8; ++c, ++windows)
            xml += L"<window pos=\"" + std::to_wstring(c * 128 + 4) + L",0,@124,-0\" align=\"left\" "
                   L"colorText=\"#404040\" font=\"size:12px\">file " + std::to_wstring(r * 8 + c) + L".pdf</window>";
        xml += L"</window>";
    }
    xml += L"</window>";
    for (int b = 0; b < 6; ++b, ++windows)
        xml += L"<window name=\"b" + std::to_wstring(b) + L"\" pos=\"" + std::to_wstring(560 + b * 104) +
               L",-46,@96,@32\" skin=\"btn\" colorText=\"#ffffff\">Start " + std::to_wstring(b) + L"</window>";
    return xml + L"</root>";
}

// Collects what the tree asks to be redrawn.
class BenchHost : public wndtest::FakeSwndContainer
{
public:
    RECT Dirty()
    {
        RECT box = {};
        for (const RECT& r : redraws)
            ::UnionRect(&box, &box, &r);
        redraws.clear();
        return box;
    }
};

void Paint(SWindow* root, IPaintSurface* image, const RECT& area)
{
    SRefPtr<IPaintRegion> rgn = NewPaintRegion(area);
    image->PushClipRect(&area, RGN_OP_AND);
    image->ClearRect(&area, 0);
    root->RedrawRegion(image, rgn.Get());
    image->PopClip();
}

int NumberPaintOrder(SWindow* w, int next)
{
    w->SetZorder(next++);
    for (SWindow* c = w->GetRelatedWindow(GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(GSW_NEXTSIBLING))
        next = NumberPaintOrder(c, next);
    return next;
}

} // namespace

int main(int argc, char** argv)
{
    benchenv::RenderDll render;
    if (!render.Factory())
        return 1;
    int windows = 0;
    double full = 0, hover = 0;
    {
        benchenv::WindowEnv env(render.Factory(), kSkins, sizeof(kSkins) - sizeof(wchar_t));
        dynamic_cast<SSkinImgFrame*>(env.Skins()->GetSkin(L"btn", 100))->SetImage(ButtonFaces(render.Factory()).Get());
        BenchHost host;
        SRefPtr<IPaintSurface> image = NewPaintSurface(kWidth, kHeight);
        auto* root = new SWindow();
        root->SetContainer(&host);
        root->CreateChildrenFromXmlText(Generate(windows).c_str());
        root->OnRectChanged(RECT{0, 0, kWidth, kHeight});
        NumberPaintOrder(root, 0);
        const RECT all = {0, 0, kWidth, kHeight};
        SWindow* button = root->FindChildByName(L"b3");

        std::vector<double> fullRuns, hoverRuns;
        for (int i = 0; i < 60; ++i) {
            double t = NowMs();
            Paint(root, image.Get(), all);
            fullRuns.push_back(NowMs() - t);
            host.redraws.clear();
            t = NowMs();
            const DWORD hoverBit = WndState_Hover;
            button->ModifyState(i % 2 ? 0 : hoverBit, i % 2 ? hoverBit : 0, TRUE);
            Paint(root, image.Get(), host.Dirty());
            hoverRuns.push_back(NowMs() - t);
        }
        full = Median(fullRuns);
        hover = Median(hoverRuns);
        button->ModifyState(WndState_Hover, 0, TRUE);
        Paint(root, image.Get(), all);
        if (!SavePng(image.Get(), argc > 1 ? argv[1] : "window_paint.png"))
            fprintf(stderr, "window_paint: could not save the frame\n");
        root->Destroy();
    }
    printf("windows=%d full_ms=%.3f hover_ms=%.3f\n", windows, full, hover);
    return 0;
}
