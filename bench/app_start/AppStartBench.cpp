// The start of a program in one process: the application object with the
// system resources of its own module, a UI definition of the main window's
// size (strings, colours, skins, styles), and a layout of about 300 windows
// created, laid out and painted once into a host-sized image (the first
// frame). Each step once, as a program starts once.
// Usage: app_start. The last line:
// app_ms=A uidef_ms=U tree_ms=T frame_ms=F since_start_ms=S
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/SApplication.h"
#include "dui/core/SPaintObjects.h"
#include "dui/core/SWindow.h"
#include "tests/support/ComponentLoader.h"
#include "tests/support/TempFolder.h"

using namespace DUI;

namespace {

double NowMs()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / freq.QuadPart;
}

// Milliseconds since the process was created, by the system's clock.
double SinceProcessStartMs()
{
    FILETIME created, ended, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return (ticks(now) - ticks(created)) / 10000.0;
}

std::string UiDef()
{
    std::string xml = "<uidef><font face=\"Microsoft YaHei\" size=\"12\"/><string>";
    for (int i = 0; i < 200; ++i)
        xml += "<s" + std::to_string(i) + " value=\"text " + std::to_string(i) + "\"/>";
    xml += "</string><color>";
    for (int i = 0; i < 60; ++i)
        xml += "<c" + std::to_string(i) + " value=\"#" + std::to_string(100000 + i) + "\"/>";
    xml += "</color><skin>";
    for (int i = 0; i < 40; ++i)
        xml += "<colorrect name=\"face" + std::to_string(i) + "\" normal=\"#e0e0e0\" hover=\"#d0d0d0\"/>";
    xml += "</skin><style>";
    for (int i = 0; i < 30; ++i)
        xml += "<class name=\"st" + std::to_string(i) + "\" colorText=\"@color/c" + std::to_string(i) + "\"/>";
    return xml + "</style></uidef>";
}

// Twelve rows of 24 leaves in vertical and horizontal boxes: 1 + 12 + 288 windows.
std::string Layout()
{
    std::string xml = "<root layout=\"vbox\">";
    for (int r = 0; r < 12; ++r) {
        xml += "<window layout=\"hbox\" size=\"-2,-1\" class=\"st" + std::to_string(r) + "\">";
        for (int i = 0; i < 24; ++i) {
            const int n = r * 24 + i;
            if (n % 3 == 0)
                xml += "<window size=\"-1,-1\" font=\"size:12px\">@string/s" + std::to_string(n % 200) + "</window>";
            else
                xml += "<window size=\"30,20\" skin=\"face" + std::to_string(n % 40) + "\"/>";
        }
        xml += "</window>";
    }
    return xml + "</root>";
}

// A resource folder in %TEMP% with "uidef:xml_init" and "LAYOUT:main".
void WriteResources(const testsupport::TempFolder& dir)
{
    dir.Write(L"uires.idx", "<resource><uidef><file name=\"xml_init\" path=\"uidef.xml\"/></uidef>"
                            "<LAYOUT><file name=\"main\" path=\"main.xml\"/></LAYOUT></resource>");
    dir.Write(L"uidef.xml", UiDef());
    dir.Write(L"main.xml", Layout());
}

SRefPtr<IResProvider> NewProvider(int kind, WPARAM param)
{
    IResProvider* p = nullptr;
    CreateResProvider(kind, &p);
    auto provider = SRefPtr<IResProvider>::Adopt(p);
    return provider && provider->Init(param) ? provider : SRefPtr<IResProvider>();
}

} // namespace

int main()
{
    const testsupport::TempFolder dir(L"vesk_app_start");
    WriteResources(dir);
    const std::wstring folder = dir.Folder().substr(0, dir.Folder().size() - 1);
    testcomp::ComponentLoader render(L"render.dll");
    auto factory = SRefPtr<IPaintFactory>::Adopt(render.Create<IPaintFactory>());
    if (!factory) {
        fprintf(stderr, "app_start: render.dll not loaded\n");
        return 1;
    }
    int windows = 0;
    double appMs = 0, uidefMs = 0, treeMs = 0, frameMs = 0, sinceStart = 0;
    {
        SObjectDefaultRegister builtIns;
        double t = NowMs();
        SApplication app(factory.Get(), GetModuleHandleW(nullptr), L"VeskBenchHost", &builtIns);
        const int missing = app.LoadSystemNamedResource(NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr))).Get());
        appMs = NowMs() - t;

        t = NowMs();
        auto files = NewProvider(RES_FILE, reinterpret_cast<WPARAM>(folder.c_str()));
        app.AddResProvider(files.Get(), L"uidef:xml_init");
        uidefMs = NowMs() - t;

        t = NowMs();
        xmldom::xml_document layout;
        SWindow* root = new SWindow();
        if (app.LoadXml(layout, L"main", L"LAYOUT"))
            root->CreateChildren(layout.child(L"root"));
        root->OnRectChanged(RECT{0, 0, 1204, 688});
        treeMs = NowMs() - t;

        t = NowMs();
        const RECT all = {0, 0, 1204, 688};
        SRefPtr<IPaintSurface> frame = NewPaintSurface(all.right, all.bottom);
        SRefPtr<IPaintRegion> area = NewPaintRegion(all);
        if (frame && area)
            root->RedrawRegion(frame.Get(), area.Get());
        frameMs = NowMs() - t;
        sinceStart = SinceProcessStartMs();
        for (SWindow* row = root->GetRelatedWindow(GSW_FIRSTCHILD); row; row = row->GetRelatedWindow(GSW_NEXTSIBLING)) {
            ++windows;
            for (SWindow* c = row->GetRelatedWindow(GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(GSW_NEXTSIBLING))
                ++windows;
        }
        root->Destroy();
        printf("system resources missing: %d, windows below the root: %d\n", missing, windows);
    }
    factory.Reset();
    printf("app_ms=%.3f uidef_ms=%.3f tree_ms=%.3f frame_ms=%.3f since_start_ms=%.3f\n", appMs, uidefMs, treeMs,
           frameMs, sinceStart);
    return windows > 0 ? 0 : 1;
}
