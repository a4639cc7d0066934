// Opens a translucent host the size of the main window (1204 x 688, about
// 300 windows with skins, text in "Microsoft YaHei" and a few translucent
// images) and measures whole repaints and one button's hover repaint, each
// with its presentation on the layered window.
// Usage: host_frame [out.png]. The last line: frames=N full_fps=F hover_ms=H
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/BenchFrames.h"
#include "bench/support/BenchLayoutFolder.h"
#include "bench/support/BenchTimedPresenter.h"
#include "bench/support/BenchWindowEnv.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SHostWnd.h"
#include "dui/res.mgr/SSkinImgFrame.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

using namespace DUI;
using benchenv::ButtonFaces;
using benchenv::LayoutFolder;
using benchenv::Pump;
using benchenv::Median;
using benchenv::NowMs;
using benchenv::SavePng;
using benchenv::TimedPresenter;

namespace {

constexpr int kWidth = 1204, kHeight = 688;
constexpr int kFrames = 120;

const wchar_t kCodeSkins[] = L"<skin><imgframe name=\"btn\" states=\"4\" margin=\"3,3,3,3\"/>"
                             L"<imgframe name=\"glass\" margin=\"4,4,4,4\"/></skin>";

// A white glass pane whose alpha falls from 70 % at the top to 20 %
// (premultiplied pixels).
SRefPtr<IPaintBitmap> Glass(IPaintFactory* f)
{
    std::vector<uint32_t> px(32 * 32);
    for (int y = 0; y < 32; ++y) {
        const uint32_t a = 180 - y * 4;
        for (int x = 0; x < 32; ++x)
            px[y * 32 + x] = (a << 24) | (a << 16) | (a << 8) | a;
    }
    SRefPtr<IPaintBitmap> bmp;
    f->CreateBitmap(bmp.Put());
    bmp->InitPixels(32, 32, px.data());
    return bmp;
}

std::wstring Num(int n)
{
    return std::to_wstring(n);
}

// Caption, navigation, a list of 30 rows of 8 cells, glass panels, a bottom bar.
std::wstring Layout(int& windows)
{
    const std::wstring font = L"font=\"face:Microsoft YaHei,size:12px\"";
    std::wstring xml = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                       L"<DUI title=\"host_frame\" width=\"1204\" height=\"688\" translucent=\"1\">"
                       L"<skin><colorrect name=\"caption\" normal=\"#2b5797\"/>"
                       L"<colorrect name=\"nav\" normal=\"#f3f5f8\" hover=\"#e2e8f0\" cornerRadius=\"4\"/>"
                       L"<colorrect name=\"row\" normal=\"#ffffff\" hover=\"#eef4fc\" normalBorder=\"#e4e8ee\"/>"
                       L"</skin><root colorBkgnd=\"#fafbfcf2\">";
    xml += L"<window pos=\"0,0,-0,40\" skin=\"caption\" colorText=\"#ffffff\" " + font +
           L" align=\"left\" padding=\"12,0,0,0\">VeskPDF2Image 图片转换</window>";
    windows = 2;
    for (int i = 0; i < 10; ++i, ++windows)
        xml += L"<window pos=\"8," + Num(48 + i * 40) + L",@140,@34\" skin=\"nav\" colorText=\"#333333\" " + font +
               L">模块 " + Num(i + 1) + L"</window>";
    for (int g = 0; g < 4; ++g, ++windows)
        xml += L"<window pos=\"8," + Num(460 + g * 44) + L",@140,@38\" skin=\"glass\" colorText=\"#202020\" " +
               font + L">Glass " + Num(g) + L"</window>";
    xml += L"<window pos=\"160,48,-8,-56\" colorBkgnd=\"#ffffff\" margin=\"1\" colorBorder=\"#d0d6de\" "
           L"clipClient=\"1\">";
    ++windows;
    for (int r = 0; r < 30; ++r, ++windows) {
        xml += L"<window pos=\"0," + Num(r * 19) + L",-0,@19\" skin=\"row\">";
        for (int c = 0; c < 8; ++c, ++windows)
            xml += L"<window pos=\"" + Num(c * 128 + 4) + L",0,@124,-0\" align=\"left\" colorText=\"#404040\" " +
                   font + L">文件 " + Num(r * 8 + c) + L".pdf</window>";
        xml += L"</window>";
    }
    xml += L"</window>";
    for (int b = 0; b < 6; ++b, ++windows)
        xml += L"<window name=\"b" + Num(b) + L"\" pos=\"" + Num(560 + b * 104) +
               L",-46,@96,@32\" skin=\"btn\" colorText=\"#ffffff\" " + font + L">开始 " + Num(b) + L"</window>";
    return xml + L"</root></DUI>";
}

struct Result
{
    int windows = 0;
    double fullFps = 0, hoverMs = 0, moveMs = 0;
    // Medians of the presentation alone, and presentations per repaint.
    double fullPresentMs = 0, fullDrawMs = 0, hoverPresentMs = 0;
    int fullPresents = 0, hoverPresents = 0;
};

bool Run(IPaintFactory* factory, const char* png, Result& out)
{
    LayoutFolder folder(L"vesk_host_frame_", Layout(out.windows));
    SObjectDefaultRegister builtIns;
    SApplication app(factory, ::GetModuleHandleW(nullptr), L"VeskHostFrameBench", &builtIns);
    IResProvider* p = nullptr;
    CreateResProvider(RES_FILE, &p);
    SRefPtr<IResProvider> provider = SRefPtr<IResProvider>::Adopt(p);
    if (!folder.Ok() || !provider->Init(reinterpret_cast<WPARAM>(folder.Dir().c_str())))
        return false;
    app.AddResProvider(provider.Get(), nullptr);
    // Skins whose images are made here, not loaded.
    SRefPtr<SSkinPool> pool = SRefPtr<SSkinPool>::Adopt(new SSkinPool());
    xmldom::xml_document doc;
    doc.load_buffer(kCodeSkins, sizeof(kCodeSkins) - sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar);
    pool->LoadSkins(doc.child(L"skin"));
    dynamic_cast<SSkinImgFrame*>(pool->GetSkin(L"btn", 100))->SetImage(ButtonFaces(factory).Get());
    dynamic_cast<SSkinImgFrame*>(pool->GetSkin(L"glass", 100))->SetImage(Glass(factory).Get());
    SSkinPoolMgr::GetInstance()->PushSkinPool(pool.Get());

    auto* host = new SHostWnd(L"LAYOUT:XML_BENCH");
    auto presenter = SRefPtr<TimedPresenter>::Adopt(new TimedPresenter(host));
    host->SetPresenter(presenter.Get());
    bool ok = host->CreateEx(nullptr, WS_POPUP, 0, 20, 20, 0, 0) != nullptr;
    if (ok) {
        ::ShowWindow(host->GetHwnd(), SW_SHOWNOACTIVATE);
        host->UpdateWindow();
        Pump();
        int presents = 0;
        presenter->Take(presents);
        std::vector<double> frames, framePresents, frameDraws;
        for (int i = 0; i < kFrames; ++i) {
            const double t = NowMs();
            host->InvalidateAll();
            host->UpdateWindow();
            frames.push_back(NowMs() - t);
            framePresents.push_back(presenter->Take(presents));
            frameDraws.push_back(frames.back() - framePresents.back());
            out.fullPresents = std::max(out.fullPresents, presents);
            Pump();
        }
        out.fullFps = 1000.0 / Median(frames);
        out.fullPresentMs = Median(framePresents);
        out.fullDrawMs = Median(frameDraws);
        SWindow* button = host->FindChildByName(L"b3");
        const RECT rc = button->GetWindowRect();
        const LPARAM on = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        const LPARAM off = MAKELPARAM(rc.left - 4, (rc.top + rc.bottom) / 2);
        std::vector<double> hovers, moves, hoverPresents;
        presenter->Take(presents);
        for (int i = 0; i < 60; ++i) {
            const double t = NowMs();
            ::SendMessageW(host->GetHwnd(), WM_MOUSEMOVE, 0, i % 2 ? off : on);
            moves.push_back(NowMs() - t);
            host->UpdateWindow();
            hovers.push_back(NowMs() - t);
            hoverPresents.push_back(presenter->Take(presents));
            out.hoverPresents = std::max(out.hoverPresents, presents);
            Pump();
        }
        out.hoverMs = Median(hovers);
        out.hoverPresentMs = Median(hoverPresents);
        out.moveMs = Median(moves);
        ::SendMessageW(host->GetHwnd(), WM_MOUSEMOVE, 0, on);
        host->UpdateWindow();
        if (!SavePng(host->GetMemSurface(), png))
            fprintf(stderr, "host_frame: could not save the frame\n");
        host->DestroyWindow();
    } else {
        fprintf(stderr, "host_frame: the host was not made\n");
    }
    host->Release();
    SSkinPoolMgr::GetInstance()->PopSkinPool(pool.Get());
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
    if (!Run(render.Factory(), argc > 1 ? argv[1] : "host_frame.png", r))
        return 1;
    printf("windows=%d move_ms=%.3f (of the hover repaint: routing the move)\n", r.windows, r.moveMs);
    printf("full_draw_ms=%.3f full_present_ms=%.3f presents=%d hover_present_ms=%.3f presents=%d "
           "(of the repaints: drawing, presenting)\n",
           r.fullDrawMs, r.fullPresentMs, r.fullPresents, r.hoverPresentMs, r.hoverPresents);
    printf("frames=%d full_fps=%.1f hover_ms=%.3f\n", kFrames, r.fullFps, r.hoverMs);
    return 0;
}
