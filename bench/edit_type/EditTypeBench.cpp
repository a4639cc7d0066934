// Opens an ordinary (opaque) 800 x 600 host holding one multi-line rich edit
// with 100,000 characters of text in lines, and measures typing one
// character: WM_CHAR sent to the host for the focused edit, then the host's
// repaint and presentation of what the engine invalidated.
// Usage: edit_type [out.png]. The last line: chars=N steps=S type_ms=T
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/BenchFrames.h"
#include "bench/support/BenchLayoutFolder.h"
#include "bench/support/BenchTimedPresenter.h"
#include "bench/support/BenchWindowEnv.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/control/SRichEdit.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SHostWnd.h"

using namespace DUI;
using benchenv::LayoutFolder;
using benchenv::Median;
using benchenv::NowMs;
using benchenv::Pump;
using benchenv::SavePng;
using benchenv::TimedPresenter;

namespace {

constexpr int kChars = 100000;
constexpr int kLineLength = 48;   // and "\r\n"
constexpr int kSteps = 100;

const wchar_t kLayout[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    L"<DUI title=\"edit_type\" width=\"800\" height=\"600\"><root colorBkgnd=\"#ffffff\">"
    L"<richedit name=\"edit\" pos=\"8,8,-8,-8\" rich=\"0\" multiLines=\"1\" wantReturn=\"1\" vscrollBar=\"1\" "
    L"autoVscroll=\"1\" wordWrap=\"1\" margin=\"1\" padding=\"4,2,4,2\" colorText=\"#202020\" "
    L"font=\"face:Microsoft YaHei,size:14px\"/></root></DUI>";

std::wstring Text()
{
    std::wstring text;
    text.reserve(kChars);
    for (int line = 0; static_cast<int>(text.size()) + kLineLength + 2 <= kChars; ++line) {
        std::wstring row = L"Line " + std::to_wstring(line) + L": ";
        while (static_cast<int>(row.size()) < kLineLength)
            row += static_cast<wchar_t>(L'a' + row.size() % 26);
        text += row + L"\r\n";
    }
    while (static_cast<int>(text.size()) < kChars)
        text += L'z';
    return text;
}

struct Result
{
    double typeMs = 0, sendMs = 0, presentMs = 0;
    long length = 0;
};

bool Run(IPaintFactory* factory, const char* png, Result& out)
{
    LayoutFolder folder(L"vesk_edit_type_", kLayout);
    SObjectDefaultRegister builtIns;
    SApplication app(factory, ::GetModuleHandleW(nullptr), L"VeskEditTypeBench", &builtIns);
    IResProvider* p = nullptr;
    CreateResProvider(RES_FILE, &p);
    SRefPtr<IResProvider> provider = SRefPtr<IResProvider>::Adopt(p);
    if (!folder.Ok() || !provider->Init(reinterpret_cast<WPARAM>(folder.Dir().c_str())))
        return false;
    app.AddResProvider(provider.Get(), nullptr);

    auto* host = new SHostWnd(L"LAYOUT:XML_BENCH");
    auto presenter = SRefPtr<TimedPresenter>::Adopt(new TimedPresenter(host));
    host->SetPresenter(presenter.Get());
    HWND hwnd = host->CreateEx(nullptr, WS_POPUP, 0, 20, 20, 0, 0);
    auto* edit = hwnd ? static_cast<SRichEdit*>(host->FindChildByName(L"edit")) : nullptr;
    bool ok = edit != nullptr;
    if (ok) {
        ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        edit->SetWindowText(Text().c_str());
        edit->SetFocus();
        // Typing goes in near the top of the view, in the middle of a line.
        edit->DeliverSwndMessage(EM_SETSEL, 20, 20);
        host->UpdateWindow();
        Pump();
        std::vector<double> steps, sends, presents;
        for (int i = 0; i < kSteps; ++i) {
            presenter->Take();
            const double t = NowMs();
            ::SendMessageW(hwnd, WM_CHAR, L'a' + i % 26, 1);
            sends.push_back(NowMs() - t);
            host->UpdateWindow();
            steps.push_back(NowMs() - t);
            presents.push_back(presenter->Take());
            Pump();
        }
        out.typeMs = 0;
        for (double s : steps)
            out.typeMs += s;
        out.typeMs /= steps.size();
        out.sendMs = Median(sends);
        out.presentMs = Median(presents);
        out.length = static_cast<long>(edit->DeliverSwndMessage(WM_GETTEXTLENGTH));
        if (!SavePng(host->GetMemSurface(), png))
            fprintf(stderr, "edit_type: could not save the frame\n");
        host->DestroyWindow();
    } else {
        fprintf(stderr, "edit_type: the host or its edit was not made\n");
    }
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
    if (!Run(render.Factory(), argc > 1 ? argv[1] : "edit_type.png", r))
        return 1;
    printf("length=%ld send_median_ms=%.3f present_median_ms=%.3f (of a step: the engine's handling, presenting)\n",
           r.length, r.sendMs, r.presentMs);
    printf("chars=%d steps=%d type_ms=%.3f\n", kChars, kSteps, r.typeMs);
    return 0;
}
