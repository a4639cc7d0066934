// The web-view control on a real host over the engine: url rules, the load
// time-out driven by ticks, a control without a view, cursors, corners and
// what it paints (saved as PNG at 100 % and 150 %), and how it follows a
// change of the host's scale.
#include "app/controls/SDlgCommon.h"
#include "app/online/SWkeWebkit.h"
#include "app/online/WebViewScale.h"
#include "app/online/WkeBinding.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/ServedPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace DUI;

class WkeWebkitTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        static int bound = LoadWkeApi();
        ASSERT_EQ(bound, 1);
        m_saved = g_wke;
        hosttest::HostTest::SetUp();
        m_app->TplRegisterFactory<SWkeWebkit>();
        SetSystemScale(100);
    }
    void TearDown() override
    {
        hosttest::HostTest::TearDown();
        g_wke = m_saved;
        SetSystemScale(100);
    }
    SWkeWebkit* Open(SHostWnd*& host)
    {
        host = NewHost(L"LAYOUT:XML_WEBVIEW");
        HWND hwnd = Shown(host);
        EXPECT_TRUE(hwnd);
        auto* web = Child<SWkeWebkit>(host, L"web");
        EXPECT_TRUE(web);
        if (!web) return nullptr;
        web->SubscribeEvent(EventWkeNotify::EventID, StdFunctionSlot([this, hwnd](EventArgs* e) {
            codes.push_back(static_cast<EventWkeNotify*>(e)->code);
            MSG m;
            if (::PeekMessageW(&m, hwnd, UM_WEBVIEW_RELAYOUT, UM_WEBVIEW_RELAYOUT, PM_REMOVE))
                relayouts.push_back(static_cast<int>(static_cast<INT_PTR>(m.wParam)));
            return true;
        }));
        return web;
    }
    int Count(int code) const { return int(std::count(codes.begin(), codes.end(), code)); }
    // A new scale as the program's windows take one on a DPI change: the
    // scale message to every window of the host, then the host's new size.
    static void Rescale(SHostWnd* host, int scale)
    {
        SDlgCommon common(*host);
        common.Rescale(scale, host->GetNativeWindowRect());
        Flush(host);
    }
    template <class Done>
    bool Until(Done done)
    {
        return nativetest::PumpUntil(done, 20000);
    }

    WkeEntryPoints m_saved;
    std::vector<int> codes;
    std::vector<int> relayouts;
};

SStringW WideUrl(const std::string& url)
{
    return SStringW(std::wstring(url.begin(), url.end()).c_str());
}

HttpTestReply Page(const std::string& body)
{
    return testsupport::HtmlReply(body);
}

TEST_F(WkeWebkitTest, IsMadeByItsTagAndMapsItsView)
{
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web && web->GetWebView());
    EXPECT_TRUE(web->IsKindOf(L"wkeWebkit"));
    EXPECT_TRUE(web->IsKindOf(L"window"));
    EXPECT_EQ(SWkeWebkit::FromView(web->GetWebView()), web);
    wkeWebView view = web->GetWebView();
    host->DestroyWindow();
    EXPECT_EQ(SWkeWebkit::FromView(view), nullptr);
}

TEST_F(WkeWebkitTest, SettingTheSameUrlReloadsUnlessChangeLoadIsSet)
{
    HttpTestServer server([](const HttpTestRequest&) { return Page("<body>a</body>"); });
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web);
    const SStringW url = WideUrl(server.Url("/a"));
    for (int round = 1; round <= 2; ++round) {
        web->SetAttribute(L"url", url, FALSE);
        ASSERT_TRUE(Until([&] { return Count(EventWkeNotify::LoadSucceeded) == round; }));
    }
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(relayouts.back(), 0);
    web->SetAttribute(L"url_changeLoad", L"1", FALSE);
    web->SetAttribute(L"url", url, FALSE);
    nativetest::PumpFor(200);
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(WkeWebkitTest, OnlyFileUrlsStartNoTimeout)
{
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web);
    struct Case {
        const wchar_t* url;
        bool pending;
    };
    const Case cases[] = {{L"FILE:///C:/nothing.html", false}, {L"file:///c:/x", false}, {L"abc", true},
        {L"http://127.0.0.1:1/", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.url)));
        const int failed = Count(EventWkeNotify::LoadFailed);
        web->SetAttribute(L"url", c.url, FALSE);
        EXPECT_EQ(web->IsLoadPending() != FALSE, c.pending);
        // Every one of them fails (no such file, no such scheme, nobody listening), once.
        ASSERT_TRUE(Until([&] { return Count(EventWkeNotify::LoadFailed) == failed + 1; }));
        EXPECT_FALSE(web->IsLoadPending());
        EXPECT_EQ(relayouts.back(), -9999);
    }
}

TEST_F(WkeWebkitTest, ALoadThatNeverEndsTimesOutAfter3100TicksAndItsLateFailureIsSwallowed)
{
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HttpTestServer server([release](const HttpTestRequest&) {
        ::WaitForSingleObject(release, 30000);
        return Page("<body>late</body>");
    });
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web);
    // The host's own ticks are not waited for: the test drives them.
    host->UnregisterTimelineHandler(web);
    web->SetAttribute(L"url", WideUrl(server.Url("/slow")), FALSE);
    ASSERT_TRUE(Until([&] { return server.Requests().size() == 1; }));
    for (int i = 0; i < 3099; ++i) web->OnTimelineTick();
    EXPECT_EQ(Count(EventWkeNotify::LoadTimedOut), 0);
    EXPECT_TRUE(web->IsLoadPending());
    web->OnTimelineTick();
    EXPECT_EQ(Count(EventWkeNotify::LoadTimedOut), 1);
    ASSERT_FALSE(relayouts.empty());
    EXPECT_EQ(relayouts.back(), -9998);
    EXPECT_FALSE(web->IsLoadPending());
    ::SetEvent(release);
    nativetest::PumpFor(300);
    EXPECT_EQ(Count(EventWkeNotify::LoadFailed), 0);   // the stop's own report is swallowed
    EXPECT_EQ(Count(EventWkeNotify::LoadSucceeded), 0);
    ::CloseHandle(release);
}

TEST_F(WkeWebkitTest, AControlWithoutAViewReportsItsUrlAsFailed)
{
    g_wke.wkeCreateWebView = nullptr;   // as with an engine that lacks the entry point
    auto web = SRefPtr<SWindow>::Adopt(m_app->NewWindowByTag(L"wkeWebkit"));
    ASSERT_TRUE(web);
    web->SubscribeEvent(EventWkeNotify::EventID, StdFunctionSlot([this](EventArgs* e) {
        codes.push_back(static_cast<EventWkeNotify*>(e)->code);
        return true;
    }));
    web->SetAttribute(L"url", L"http://127.0.0.1:1/", TRUE);   // before creation: only kept
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(web->DeliverSwndMessage(WM_CREATE), 1);
    auto* control = static_cast<SWkeWebkit*>(web.Get());
    EXPECT_EQ(control->GetWebView(), nullptr);
    EXPECT_EQ(Count(EventWkeNotify::LoadFailed), 1);
    web->SetAttribute(L"url", L"abc", FALSE);
    EXPECT_EQ(Count(EventWkeNotify::LoadFailed), 2);
    EXPECT_FALSE(control->IsLoadPending());
    // Input and ticks without a view do nothing.
    web->DeliverSwndMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    web->DeliverSwndMessage(WM_KEYDOWN, VK_TAB, 0);
    control->OnTimelineTick();
    web->DeliverSwndMessage(WM_DESTROY);
}

TEST_F(WkeWebkitTest, CursorKindsAndCornerFollowTheirTables)
{
    EXPECT_EQ(SystemCursorOf(15), IDC_SIZEWE);
    EXPECT_EQ(SystemCursorOf(25), IDC_ARROW);
    EXPECT_EQ(SystemCursorOf(2), IDC_HAND);
    EXPECT_EQ(SystemCursorOf(29), IDC_SIZEALL);
    EXPECT_EQ(KeyFlagsOf(MAKELPARAM(1, KF_REPEAT | KF_EXTENDED)), unsigned(WKE_REPEAT | WKE_EXTENDED));
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web);
    web->SetAttribute(L"corner", L"8", FALSE);
    EXPECT_EQ(web->GetStyle().GetRound().cx, 8);
    EXPECT_EQ(web->GetStyle().GetRound().cy, 8);
}

const char kLookPage[] =
    "<html><head><style>body{margin:12px;font-size:14px;color:#333}h1{font-size:20px;color:#1a73e8}"
    "a{color:#0b57d0}a:hover{color:#d93025}.row{margin:8px 0}input{width:200px;padding:3px}"
    "button{padding:4px 16px;background:#1a73e8;color:#ffffff;border:1px solid #1a73e8}</style></head><body>"
    "<h1>欢迎使用 VeskPDF转图片</h1><p>把 PDF 页面转换成 JPG、PNG 或 BMP 图片，也能把图片合成 PDF。"
    "<a href=\"/more\">了解更多</a></p><img src=\"/logo.bmp\" width=64 height=64>"
    "<form action=\"/login\" method=post><div class=row>账号 <input name=user value=\"vesk@example.com\"></div>"
    "<div class=row>密码 <input type=password name=pass value=\"secret\"></div>"
    "<div class=row><input type=checkbox name=keep checked> 记住我 <button>登录</button></div></form></body></html>";

bool NearColour(uint32_t pixel, uint32_t rgb, int tolerance = 12)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int(pixel >> shift & 0xFF) - int(rgb >> shift & 0xFF)) > tolerance) return false;
    return true;
}

// The host's painted surface, 0xAARRGGBB premultiplied.
std::vector<uint32_t> SurfacePixels(SHostWnd* host, SIZE& size)
{
    auto* bmp = static_cast<IPaintBitmap*>(host->GetMemSurface()->GetSelectedObject(OT_BITMAP));
    if (!bmp) return {};
    size = SIZE{LONG(bmp->Width()), LONG(bmp->Height())};
    const auto* px = static_cast<const uint32_t*>(bmp->LockPixels());
    std::vector<uint32_t> out(px, px + size_t(size.cx) * size.cy);
    bmp->UnlockPixels(const_cast<uint32_t*>(px));
    return out;
}

// The longest run of the logo's yellow in any row (the logo's width on
// screen), and the first row that has it.
int YellowBand(const std::vector<uint32_t>& px, SIZE size, int& firstRow)
{
    int band = 0;
    firstRow = -1;
    for (int y = 0; y < size.cy; ++y) {
        int run = 0;
        for (int x = 0; x < size.cx; ++x) {
            run = NearColour(px[size_t(y) * size.cx + x], 0xFFD700) ? run + 1 : 0;
            band = std::max(band, run);
            if (run && firstRow < 0) firstRow = y;
        }
    }
    return band;
}

SIZE ViewPictureSize(wkeWebView view)
{
    BITMAP bm{};
    HDC dc = g_wke.wkeGetViewDC(view);
    if (!dc || !::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm)) return SIZE{-1, -1};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

// A 64x64 BMP: a blue square with a yellow band.
std::string LogoBmp()
{
    return testsupport::BmpFile(64, 64, [](int, int y) { return (y > 24 && y < 40) ? 0xFFFFD700u : 0xFF1A73E8u; });
}

HttpTestServer LookServer()
{
    return HttpTestServer([](const HttpTestRequest& r) {
        return r.target == "/logo.bmp" ? testsupport::BmpReply(LogoBmp()) : Page(kLookPage);
    });
}

TEST_F(WkeWebkitTest, TheViewIsTheClientTimesTheSystemScaleOverTheHostsAlsoAfterAScaleChange)
{
    struct Case {
        int system, host;
        bool sizeFollows;   // the host is sized again, as on a DPI change
        SIZE client, view;  // of the control filling the 568x622 layout
    };
    const Case cases[] = {
        {100, 100, true, {568, 622}, {568, 622}},
        {100, 150, true, {852, 933}, {568, 622}},
        {150, 150, true, {852, 933}, {852, 933}},
        {150, 100, true, {568, 622}, {852, 933}},
        // Only the scale changes: the ratio alone sizes the view again.
        {100, 150, false, {568, 622}, {378, 414}},
        {150, 150, false, {568, 622}, {568, 622}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "system " << c.system << ", host " << c.host << (c.sizeFollows ? "" : ", scale only"));
        SetSystemScale(c.system);
        SHostWnd* host = nullptr;
        SWkeWebkit* web = Open(host);
        ASSERT_TRUE(web);
        if (c.host != 100 && c.sizeFollows) Rescale(host, c.host);
        if (c.host != 100 && !c.sizeFollows) {
            host->BroadcastMessage(UM_SETSCALE, WPARAM(c.host));
            Flush(host);
        }
        EXPECT_EQ(web->GetScale(), c.host);
        const RECT client = web->GetClientRect();
        EXPECT_EQ(client.right - client.left, c.client.cx);
        EXPECT_EQ(client.bottom - client.top, c.client.cy);
        const SIZE got = ViewPictureSize(web->GetWebView());
        EXPECT_EQ(got.cx, c.view.cx);
        EXPECT_EQ(got.cy, c.view.cy);
        host->DestroyWindow();
    }
}

TEST_F(WkeWebkitTest, PaintsAServedPageAtOneHundredAndOneHundredFiftyPercent)
{
    HttpTestServer server = LookServer();
    for (int scale : {100, 150}) {
        SCOPED_TRACE(scale);
        codes.clear();
        SHostWnd* host = nullptr;
        SWkeWebkit* web = Open(host);
        ASSERT_TRUE(web);
        if (scale != 100) Rescale(host, scale);
        web->SetAttribute(L"url", WideUrl(server.Url("/")), FALSE);
        ASSERT_TRUE(Until([&] { return Count(EventWkeNotify::LoadSucceeded) == 1; }));
        Flush(host);
        SIZE size{};
        const std::vector<uint32_t> px = SurfacePixels(host, size);
        ASSERT_EQ(size.cx, 568 * scale / 100);
        int blue = 0;
        for (uint32_t p : px) blue += NearColour(p, 0x1A73E8, 8);
        // The logo (64x64 CSS pixels) is blue but for its band, and the
        // heading is blue too: both grow with the square of the scale.
        EXPECT_GT(blue, scale == 100 ? 2000 : 4500);
        // The logo's yellow band is the only yellow: its widest row is the
        // logo's width, 64 CSS pixels, times the scale.
        int firstYellow = 0;
        EXPECT_NEAR(YellowBand(px, size, firstYellow), 64 * scale / 100, 2);
        // Upright: the logo stands below the heading and the paragraph, in
        // the upper part of the page (its band starts 25 CSS pixels into it).
        EXPECT_GT(firstYellow, 80 * scale / 100);
        EXPECT_LT(firstYellow, 200 * scale / 100);
        hosttest::MaybeSavePng(host->GetMemSurface(), scale == 100 ? L"webview_100.png" : L"webview_150.png");
        host->DestroyWindow();
    }
}

TEST_F(WkeWebkitTest, ARepaintOfPartOfAScaledViewDrawsThatPartOfThePicture)
{
    HttpTestServer server = LookServer();
    SHostWnd* host = nullptr;
    SWkeWebkit* web = Open(host);
    ASSERT_TRUE(web);
    Rescale(host, 150);
    web->SetAttribute(L"url", WideUrl(server.Url("/")), FALSE);
    ASSERT_TRUE(Until([&] { return Count(EventWkeNotify::LoadSucceeded) == 1; }));
    Flush(host);
    SIZE size{};
    const std::vector<uint32_t> whole = SurfacePixels(host, size);
    // A band across the heading, the text and the logo is painted again alone.
    const RECT part{30, 20, 420, 260};
    web->InvalidateRect(&part);
    host->UpdateWindow();
    const std::vector<uint32_t> again = SurfacePixels(host, size);
    ASSERT_EQ(again.size(), whole.size());
    int differing = 0, inked = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x) {
            const size_t at = size_t(y) * size.cx + x;
            differing += !NearColour(again[at], whole[at] & 0xFFFFFF, 40);
            inked += (whole[at] & 0xFFFFFF) != 0xFFFFFF;
        }
    EXPECT_GT(inked, 2000);   // the band is not blank
    // Only the seams may differ by a shade: the part is not the whole picture squeezed in.
    EXPECT_LT(differing, (part.right - part.left) * (part.bottom - part.top) / 100);
}

} // namespace
