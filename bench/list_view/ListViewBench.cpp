// Opens an opaque 1000x700 host with a file list ("mclistviewex" under a
// six-column "ctrlheader") over 1,000,000 rows made from their index, and
// measures: the adapter set until the first frame is presented (fixed rows,
// then flexible rows in a second list), one wheel step refilled, drawn and
// presented (also with every row selected by a Shift-click), one divider-drag
// move presented, and the working set the flexible list adds.
// Usage: list_view [out.png]. The last line:
// rows=N create_ms=C wheel_ms=W allsel_wheel_ms=A resize_ms=R flex_create_ms=F mem_mb=M
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls/SCtrlHeaderCtrl.h"
#include "app/controls/SMCListViewEx.h"
#include "app/controls/SMcAdapterBaseEx.h"
#include "bench/support/BenchFrames.h"
#include "bench/support/BenchLayoutFolder.h"
#include "bench/support/BenchWindowEnv.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/control/SHeaderCtrl.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostWnd.h"

using namespace DUI;
using benchenv::LayoutFolder;
using benchenv::Median;
using benchenv::NowMs;
using benchenv::Pump;
using benchenv::SavePng;

namespace {

constexpr int kRows = 1000000;
constexpr int kSteps = 60;

std::wstring ListXml(const wchar_t* name, const wchar_t* pos, const wchar_t* templateHeight)
{
    std::wstring xml = std::wstring(L"<mclistviewex name=\"") + name + L"\" pos=\"" + pos +
                       L"\" headerHeight=\"28\" dividerSize=\"1\" colorBkgnd=\"#ffffff\">"
                       L"<ctrlheader name=\"head\" colorBkgnd=\"#eeeeee\" sortHeader=\"1\"><items>"
                       L"<item width=\"300\">Name</item><item width=\"90\">Pages</item>"
                       L"<item width=\"90\">Size</item><item width=\"120\">State</item>"
                       L"<item width=\"200\">Output</item><item width=\"120\">Action</item>"
                       L"</items></ctrlheader><template " + templateHeight + L">";
    for (int c = 0; c < 6; ++c)
        xml += L"<text name=\"c" + std::to_wstring(c) + L"\" colorText=\"#303030\" size=\"-1,20\"/>";
    return xml + L"</template></mclistviewex>";
}

std::wstring Layout()
{
    return L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           L"<DUI title=\"list_view\" width=\"1000\" height=\"700\">"
           L"<root colorBkgnd=\"#ffffff\">" +
           ListXml(L"fixed", L"0,0,-0,-0", L"itemHeight=\"32\"") +
           ListXml(L"flex", L"0,0,-0,-0", L"defHeight=\"32\"") + L"</root></DUI>";
}

// Rows made from their index; cells named by column id.
class IndexRows : public SMcAdapterBaseEx
{
public:
    int GetCount() override { return kRows; }
    void GetView(int row, SItemPanel* item, xmldom::xml_node tpl) override
    {
        if (item->GetChildrenCount() == 0) {
            item->CreateChildren(tpl);
            item->SetAttribute(L"colorSelected", L"#CCE4FFFF", TRUE);
        }
        const std::wstring n = std::to_wstring(row);
        const std::wstring texts[6] = {L"file_" + n + L".pdf", std::to_wstring(row % 300 + 1),
                                       std::to_wstring(row % 9000 + 12) + L" KB", L"ready",
                                       L"D:\\out\\" + n, L"open"};
        for (int c = 0; c < 6; ++c) {
            if (SWindow* cell = item->FindChildByName((L"c" + std::to_wstring(c)).c_str()))
                cell->SetWindowText(texts[c].c_str());
        }
    }
    SStringW GetColumnName(int column) override { return SStringW(L"c") + std::to_wstring(column).c_str(); }
    bool OnSort(int, UINT*, int) override { return false; }
    bool MoveSelectedItems(int, SLinkedList<int>&) override { return false; }
};

double WorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

// Adapter set to first frame presented.
double Attach(SHostWnd* host, SMCListViewEx* list, IMcAdapterEx* rows)
{
    const double t = NowMs();
    list->SetAdapter(rows);
    host->UpdateWindow();
    return NowMs() - t;
}

double WheelSteps(SHostWnd* host, SMCListViewEx* list, bool& moved)
{
    // The pointer rests over the rows, as a user's does.
    ::SendMessageW(host->GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    POINT at = {500, 400};
    ::ClientToScreen(host->GetHwnd(), &at);
    std::vector<double> steps;
    int delta = -WHEEL_DELTA;
    for (int i = 0; i < kSteps; ++i) {
        if (i == kSteps / 2)
            delta = -delta;
        const int before = list->GetScrollPos(TRUE);
        const double t = NowMs();
        ::SendMessageW(host->GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                       MAKELPARAM(at.x, at.y));
        host->UpdateWindow();
        steps.push_back(NowMs() - t);
        moved = moved || list->GetScrollPos(TRUE) != before;
        Pump();
    }
    return Median(steps);
}

void Send(SHostWnd* host, UINT msg, WPARAM wp, int x, int y)
{
    ::SendMessageW(host->GetHwnd(), msg, wp, MAKELPARAM(x, y));
}

// Row 0 clicked, then the last row Shift-clicked at the list's end.
void SelectAll(SHostWnd* host, SMCListViewEx* list)
{
    Send(host, WM_MOUSEMOVE, 0, 150, 28 + 16);
    Send(host, WM_LBUTTONDOWN, MK_LBUTTON, 150, 28 + 16);
    Send(host, WM_LBUTTONUP, 0, 150, 28 + 16);
    list->EnsureVisible(kRows - 1);
    host->UpdateWindow();
    RECT last = {};
    list->OnItemGetRect(list->GetItemPanel(kRows - 1), last);
    const int y = (last.top + last.bottom) / 2;
    Send(host, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 150, y);
    Send(host, WM_LBUTTONUP, MK_SHIFT, 150, y);
    list->EnsureVisible(kRows / 2);
    host->UpdateWindow();
    Pump();
}

// The divider after the first column dragged a pixel a step.
double DividerMoves(SHostWnd* host, SMCListViewEx* list, bool& resized)
{
    SHeaderCtrl* head = list->GetHeader();
    const int before = head->GetItemWidth(0);
    const int x = head->GetItemRect(0).right - 1, y = 14;
    Send(host, WM_MOUSEMOVE, 0, x, y);
    Send(host, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    std::vector<double> steps;
    for (int i = 1; i <= kSteps; ++i) {
        const double t = NowMs();
        Send(host, WM_MOUSEMOVE, MK_LBUTTON, x + (i <= kSteps / 2 ? i : kSteps - i), y);
        host->UpdateWindow();
        steps.push_back(NowMs() - t);
        resized = resized || head->GetItemWidth(0) != before;
    }
    Send(host, WM_LBUTTONUP, 0, x, y);
    Pump();
    return Median(steps);
}

struct Result
{
    double create = 0, wheel = 0, allWheel = 0, resize = 0, flexCreate = 0, memMb = 0;
    bool moved = false, resized = false, allSelected = false;
};

bool Measure(SHostWnd* host, const char* png, Result& r)
{
    auto* fixed = static_cast<SMCListViewEx*>(host->FindChildByName(L"fixed"));
    auto* flex = static_cast<SMCListViewEx*>(host->FindChildByName(L"flex"));
    if (!fixed || !flex)
        return false;
    flex->SetVisible(FALSE, TRUE);
    auto rows = SRefPtr<IndexRows>::Adopt(new IndexRows());
    r.create = Attach(host, fixed, rows.Get());
    // The host sends the wheel to the window with the focus.
    fixed->SetFocus();
    r.wheel = WheelSteps(host, fixed, r.moved);
    const bool plainMoved = r.moved;
    SelectAll(host, fixed);
    r.allSelected = rows->IsSelected(0) && rows->IsSelected(kRows / 2) && rows->IsSelected(kRows - 1);
    r.moved = false;
    r.allWheel = WheelSteps(host, fixed, r.moved);
    r.moved = r.moved && plainMoved;
    SavePng(host->GetMemSurface(), png);
    r.resize = DividerMoves(host, fixed, r.resized);

    fixed->SetAdapter(nullptr);
    fixed->SetVisible(FALSE, TRUE);
    flex->SetVisible(TRUE, TRUE);
    host->UpdateWindow();
    Pump();
    auto flexRows = SRefPtr<IndexRows>::Adopt(new IndexRows());
    const double before = WorkingSetMb();
    r.flexCreate = Attach(host, flex, flexRows.Get());
    r.memMb = WorkingSetMb() - before;
    flex->SetAdapter(nullptr);
    return true;
}

bool Run(IPaintFactory* factory, const char* png, Result& out)
{
    LayoutFolder folder(L"vesk_list_view_", Layout());
    SObjectDefaultRegister builtIns;
    SApplication app(factory, ::GetModuleHandleW(nullptr), L"VeskListViewBench", &builtIns);
    // Until the program registers its classes, the benchmark does.
    app.TplRegisterFactory<SMCListViewEx>();
    app.TplRegisterFactory<SCtrlHeaderCtrl>();
    IResProvider* p = nullptr;
    CreateResProvider(RES_FILE, &p);
    SRefPtr<IResProvider> provider = SRefPtr<IResProvider>::Adopt(p);
    if (!folder.Ok() || !provider->Init(reinterpret_cast<WPARAM>(folder.Dir().c_str())))
        return false;
    app.AddResProvider(provider.Get(), nullptr);

    auto* host = new SHostWnd(L"LAYOUT:XML_BENCH");
    bool ok = host->CreateEx(nullptr, WS_POPUP, 0, 20, 20, 0, 0) != nullptr;
    if (ok) {
        ::ShowWindow(host->GetHwnd(), SW_SHOWNOACTIVATE);
        host->UpdateWindow();
        Pump();
        ok = Measure(host, png, out);
    }
    if (!ok)
        fprintf(stderr, "list_view: the host or its lists were not made\n");
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
    if (!Run(render.Factory(), argc > 1 ? argv[1] : "list_view.png", r))
        return 1;
    if (!r.moved || !r.resized || !r.allSelected) {
        fprintf(stderr, "list_view: wheel moved %d, divider moved %d, all rows selected %d\n", r.moved, r.resized,
                r.allSelected);
        return 1;
    }
    printf("rows=%d create_ms=%.3f wheel_ms=%.3f allsel_wheel_ms=%.3f resize_ms=%.3f flex_create_ms=%.3f "
           "mem_mb=%.1f\n",
           kRows, r.create, r.wheel, r.allWheel, r.resize, r.flexCreate, r.memMb);
    return 0;
}
