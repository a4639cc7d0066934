// The web engine on a served 100 KB page (text, 20 images, a form): binding
// and start-up with no server, load, first paint, one hover repaint and one
// relayout. Ends with one key=value line.
#include "app/online/WkeBinding.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/ServedPage.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

std::string Page()
{
    std::string p = "<html><head><meta charset=utf-8><style>body{margin:8px;font-size:14px}"
                    "a{color:#0b57d0}a:hover{color:#d93025;background:#fce8e6}#top{color:#7b1fa2}"
                    ".card{border:1px solid #ddd;padding:6px;margin:6px 0}</style></head><body>"
                    "<a id=top href=\"/next\">首页链接</a>";
    for (int i = 0; i < 20; ++i) p += "<img src=\"/img" + std::to_string(i) + ".bmp\" width=32 height=32> ";
    p += "<form method=post action=\"/go\"><input name=a><input type=password name=b><button>发送</button></form>";
    int n = 0;
    while (p.size() < 100 * 1024)
        p += "<div class=card><b>第 " + std::to_string(++n) + " 段</b> 这是一段用来测量排版速度的中文文字，"
             "with some English words mixed in to wrap lines at spaces. <a href=\"/p" + std::to_string(n) +
             "\">链接</a></div>";
    return p + "</body></html>";
}

template <class Done>
void Pump(Done done)
{
    const ULONGLONG end = GetTickCount64() + 30000;
    while (!done() && GetTickCount64() < end) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// The box of the first link on the view's picture: the only pixels of its
// colour (#7b1fa2, opaque where the text is solid).
RECT LinkBox(HDC view)
{
    BITMAP bm{};
    RECT box{INT_MAX, INT_MAX, -1, -1};
    if (!GetObjectW(GetCurrentObject(view, OBJ_BITMAP), sizeof(bm), &bm) || !bm.bmBits) return RECT{};
    const auto* px = static_cast<const unsigned*>(bm.bmBits);
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x)
            if ((px[size_t(y) * (bm.bmWidthBytes / 4) + x] & 0xFFFFFF) == 0x7B1FA2) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.right > 0 ? box : RECT{};
}

double g_firstPaint = 0;
bool g_finished = false;

} // namespace

int main()
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    // The library's load (the system's part) and the binding with the
    // engine's start are shown apart; bind_ms is both.
    double t0 = Now();
    HMODULE engine = LoadLibraryW(L"node.dll");
    const double libraryMs = Now() - t0;
    if (!engine || LoadWkeApi() != 1 || !g_wke.wkeCreateWebView) {
        printf("node.dll could not be bound\n");
        return 1;
    }
    double bindMs = Now() - t0;
    printf("library_ms=%.1f init_and_bind_ms=%.1f\n", libraryMs, bindMs - libraryMs);
    std::string page = Page();
    const std::string square = testsupport::BmpFile(32, 32, [](int, int) { return 0xFF1A73E8u; });
    HttpTestServer server([&](const HttpTestRequest& r) {
        if (r.target.rfind("/img", 0) == 0) return testsupport::BmpReply(square);
        return testsupport::HtmlReply(page);
    });
    wkeWebView view = g_wke.wkeCreateWebView();
    g_wke.wkeResize(view, 568, 622);
    g_wke.wkeOnPaintUpdated(view, [](wkeWebView, void*, const HDC, int, int, int, int) {
        if (!g_firstPaint) g_firstPaint = Now();
    }, nullptr);
    g_wke.wkeOnLoadingFinish(view, [](wkeWebView, void*, const wkeString, wkeLoadingResult, const wkeString) {
        g_finished = true;
    }, nullptr);
    std::string url = server.Url("/");
    std::wstring wurl(url.begin(), url.end());
    t0 = Now();
    g_wke.wkeLoadURLW(view, wurl.c_str());
    Pump([] { return g_finished; });
    double loadMs = Now() - t0, firstPaintMs = g_firstPaint ? g_firstPaint - t0 : -1;
    // Hover: the pointer moves onto the middle of the first link, as painted,
    // and off it into the page's left margin. A move counts only when the
    // engine shows the link's hand on it and the arrow off it.
    const RECT link = LinkBox(g_wke.wkeGetViewDC(view));
    const POINT on{(link.left + link.right) / 2, (link.top + link.bottom) / 2}, off{2, on.y};
    const int moves = 20;
    double hoverTotal = 0;
    bool hoverValid = link.right > link.left;
    for (int i = 0; i < moves && hoverValid; ++i) {
        const POINT at = i % 2 ? off : on;
        double h0 = Now();
        g_wke.wkeFireMouseEvent(view, WM_MOUSEMOVE, at.x, at.y, 0);
        g_wke.wkeGetViewDC(view);
        hoverTotal += Now() - h0;
        hoverValid = g_wke.wkeGetCursorInfoType(view) == (i % 2 ? 0 : 2);
    }
    printf("link %ld,%ld-%ld,%ld hover %s\n", link.left, link.top, link.right, link.bottom,
        hoverValid ? "valid" : "INVALID: the pointer missed the link");
    double relayoutTotal = 0;
    for (int i = 0; i < 6; ++i) {
        double r0 = Now();
        g_wke.wkeResize(view, i % 2 ? 568 : 500, 622);
        g_wke.wkeGetViewDC(view);
        relayoutTotal += Now() - r0;
    }
    printf("contents %dx%d\n", g_wke.wkeContentsWidth(view), g_wke.wkeContentsHeight(view));
    g_wke.wkeDestroyWebView(view);
    printf("load_ms=%.1f first_paint_ms=%.1f hover_ms=%.2f relayout_ms=%.1f bind_ms=%.1f\n", loadMs, firstPaintMs,
        hoverValid ? hoverTotal / moves : -1.0, relayoutTotal / 6, bindMs);
    return g_finished && hoverValid ? 0 : 1;
}
