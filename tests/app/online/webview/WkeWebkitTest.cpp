// The web-view control on a real host over the engine: url rules, the load
// time-out driven by ticks, a control without a view, cursors, corners and
// what it paints (saved as PNG at 100 % and 150 %).
#include "app/online/SWkeWebkit.h"
#include "app/online/WebViewScale.h"
#include "app/online/WkeBinding.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/support/HttpTestServer.h"

#include <gtest/gtest.h>

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
    HttpTestReply r;
    r.body = body;
    r.headers.push_back("Content-Type: text/html; charset=utf-8");
    return r;
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

// A 64x64 BMP: a blue square with a yellow band.
std::string LogoBmp()
{
    const int w = 64, h = 64;
    std::string out(54 + w * h * 4, '\0');
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&out[at], &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, uint32_t(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    out[26] = 1;
    out[28] = 32;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            put32(54 + size_t(y * w + x) * 4, (y > 24 && y < 40) ? 0xFFFFD700u : 0xFF1A73E8u);
    return out;
}

TEST_F(WkeWebkitTest, PaintsAServedPageAtOneHundredAndOneHundredFiftyPercent)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target == "/logo.bmp") {
            HttpTestReply img;
            img.body = LogoBmp();
            img.headers.push_back("Content-Type: image/bmp");
            return img;
        }
        return Page(kLookPage);
    });
    for (int scale : {100, 150}) {
        SCOPED_TRACE(scale);
        codes.clear();
        SHostWnd* host = nullptr;
        SWkeWebkit* web = Open(host);
        ASSERT_TRUE(web);
        if (scale != 100) host->OnScaleChanged(scale);
        Flush(host);
        web->SetAttribute(L"url", WideUrl(server.Url("/")), FALSE);
        ASSERT_TRUE(Until([&] { return Count(EventWkeNotify::LoadSucceeded) == 1; }));
        Flush(host);
        auto* bmp = static_cast<IPaintBitmap*>(host->GetMemSurface()->GetSelectedObject(OT_BITMAP));
        ASSERT_TRUE(bmp);
        const auto* px = static_cast<const uint32_t*>(bmp->LockPixels());
        // The logo's blue lies below the heading and the paragraph.
        int blue = 0;
        for (uint32_t y = 0; y < bmp->Height(); ++y)
            for (uint32_t x = 0; x < bmp->Width(); ++x)
                blue += (px[y * bmp->Width() + x] & 0xFFFFFF) == 0x1A73E8;
        bmp->UnlockPixels(const_cast<uint32_t*>(px));
        EXPECT_GT(blue, scale == 100 ? 2000 : 4000);
        hosttest::MaybeSavePng(host->GetMemSurface(), scale == 100 ? L"webview_100.png" : L"webview_150.png");
    }
}

} // namespace
