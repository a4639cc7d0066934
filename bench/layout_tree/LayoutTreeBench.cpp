// Builds a generated layout of windowless windows (anchor, linear and grid
// containers holding texts and skinned windows), lays it out, then changes
// the text of one wrap-content leaf and lays out again. First a tree the
// size of the main window (about 300 windows), then the large one.
// Usage: layout_tree [windows]. The last line:
// windows=N create_ms=C layout_ms=L relayout_ms=R
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/BenchWindowEnv.h"

using namespace DUI;
using benchenv::NowMs;

namespace {

const wchar_t kSkins[] = L"<skin><colorrect name=\"face\" normal=\"#e0e0e0\" hover=\"#d0d0d0\"/>"
                         L"<colorrect name=\"line\" normal=\"#808080\"/></skin>";

// One leaf: a text that sizes itself, or a skinned box of fixed size.
std::wstring Leaf(int n, const wchar_t* sizeAttrs)
{
    if (n % 3 == 0)
        return L"<window name=\"t" + std::to_wstring(n) + L"\" " + sizeAttrs +
               L" font=\"size:12px\" multiLines=\"1\" maxWidth=\"160\">item " + std::to_wstring(n) + L"</window>";
    return L"<window skin=\"" + std::wstring(n % 2 ? L"face" : L"line") + L"\" margin=\"1\" padding=\"2\" " +
           sizeAttrs + L"/>";
}

// A container of `leaves` children; the kind of layout turns with `kind`.
std::wstring Container(int kind, int leaves, int& n)
{
    std::wstring xml;
    switch (kind % 4) {
    case 0:
        xml = L"<window layout=\"vbox\" size=\"-2,-1\" interval=\"2\">";
        for (int i = 0; i < leaves; ++i)
            xml += Leaf(n++, i % 5 == 0 ? L"size=\"-2,-1\"" : L"size=\"-2,20\"");
        break;
    case 1:
        xml = L"<window layout=\"hbox\" size=\"-2,-1\" gravity=\"center\">";
        for (int i = 0; i < leaves; ++i)
            xml += Leaf(n++, i % 4 == 0 ? L"size=\"0,-1\" weight=\"1\"" : L"size=\"-1,-1\"");
        break;
    case 2:
        xml = L"<window layout=\"gridLayout\" columnCount=\"4\" size=\"-2,-1\" gravity=\"fill\">";
        for (int i = 0; i < leaves; ++i)
            xml += Leaf(n++, i % 7 == 0 ? L"columnSpan=\"2\" size=\"-1,-1\"" : L"size=\"-1,-1\"");
        break;
    default:
        xml = L"<window size=\"-2,-1\">";
        for (int i = 0; i < leaves; ++i) {
            const std::wstring y = std::to_wstring((i / 4) * 22);
            const std::wstring x = std::to_wstring((i % 4) * 25);
            xml += Leaf(n++, (L"pos=\"" + x + L"%," + y + L",@80,@20\"").c_str());
        }
        break;
    }
    return xml + L"</window>";
}

// sections x rows x leaves, with the containers of a row nested in the
// section's vertical box.
std::wstring Generate(int sections, int rows, int leaves, int& windows)
{
    int n = 0;
    std::wstring xml = L"<root>";
    for (int s = 0; s < sections; ++s) {
        xml += L"<window layout=\"vbox\" size=\"-2,-1\" name=\"s" + std::to_wstring(s) + L"\">";
        for (int r = 0; r < rows; ++r)
            xml += Container(s + r, leaves, n);
        xml += L"</window>";
    }
    windows = 1 + sections + sections * rows + n;
    return xml + L"</root>";
}

// Median and least of each step: on a shared machine the least is the
// nearest to the cost of the code itself.
struct Step
{
    double median = 0, least = 0;
};

struct Figures
{
    int windows = 0;
    Step create, layout, relayout;
};

Step Summary(std::vector<double> v)
{
    if (v.empty())
        return Step();
    std::sort(v.begin(), v.end());
    return Step{v[v.size() / 2], v.front()};
}

void Print(const char* what, const Figures& f)
{
    printf("%s: windows=%d create_ms=%.3f (least %.3f) layout_ms=%.3f (least %.3f) relayout_ms=%.3f (least %.3f)\n",
           what, f.windows, f.create.median, f.create.least, f.layout.median, f.layout.least, f.relayout.median,
           f.relayout.least);
}

// Builds the tree `repeat` times; the median of each step.
Figures Measure(int sections, int rows, int leaves, int repeat)
{
    Figures f;
    const std::wstring xml = Generate(sections, rows, leaves, f.windows);
    std::vector<double> create, layout, relayout;
    for (int i = 0; i < repeat; ++i) {
        auto* root = new SWindow();
        double t = NowMs();
        root->CreateChildrenFromXmlText(xml.c_str());
        create.push_back(NowMs() - t);
        t = NowMs();
        root->OnRectChanged(RECT{0, 0, 1204, 688});
        layout.push_back(NowMs() - t);
        SWindow* leaf = root->FindChildByName(L"t27");
        for (int k = 0; k < 5 && leaf; ++k) {
            leaf->SetWindowText(k % 2 ? L"a longer text that wraps onto a second line" : L"short");
            t = NowMs();
            root->UpdateLayout();
            relayout.push_back(NowMs() - t);
        }
        root->Destroy();
    }
    f.create = Summary(create);
    f.layout = Summary(layout);
    f.relayout = Summary(relayout);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    const int target = argc > 1 ? std::atoi(argv[1]) : 10000;
    benchenv::RenderDll render;
    if (!render.Factory())
        return 1;
    {
        benchenv::WindowEnv env(render.Factory(), kSkins, sizeof(kSkins) - sizeof(wchar_t));
        Print("main-window size", Measure(3, 4, 24, 51));
        // 25 leaves per container: sections x 20 rows x 25 leaves reaches the target.
        const int sections = std::max(1, (target + 20 * 26 - 1) / (20 * 26));
        const Figures big = Measure(sections, 20, 25, 5);
        Print("large", big);
        printf("windows=%d create_ms=%.3f layout_ms=%.3f relayout_ms=%.3f\n", big.windows, big.create.median,
               big.layout.median, big.relayout.median);
    }
    return 0;
}
