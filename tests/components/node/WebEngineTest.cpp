// The web engine over HTTP from 127.0.0.1: loading and its callbacks,
// sizes, painting, hover, cursors, clicks that call bound functions, forms,
// caret, cookies, a GBK page and the inputs that must fail cleanly.
#include "tests/components/node/NodeEngine.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ServedPage.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using testnode::NodeEngine;
using testsupport::PumpUntil;

namespace {

NodeEngine& Engine()
{
    static NodeEngine e;
    static bool loaded = e.Load();
    EXPECT_TRUE(loaded);
    return e;
}

struct Record {
    std::vector<std::string> log;
    int finished = 0;
    int failed = 0;
    int paints = 0;
    int created = 0;
    wkeLoadingResult result = WKE_LOADING_FAILED;
    std::wstring url;
    std::vector<std::vector<std::wstring>> calls;   // arguments of bound "report" calls
    std::vector<int> ints;
};

std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

class WebEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.wkeInitializeEx(nullptr);
        view = e.wkeCreateWebView();
        ASSERT_NE(view, nullptr);
        e.wkeOnLoadUrlBegin(view, [](wkeWebView, void* p, const utf8* url, wkeNetJob) {
            static_cast<Record*>(p)->log.push_back(std::string("begin ") + url);
            return false;
        }, &rec);
        e.wkeOnLoadUrlFail(view, [](wkeWebView, void* p, const utf8* url, wkeNetJob) {
            static_cast<Record*>(p)->log.push_back(std::string("fail ") + url);
            ++static_cast<Record*>(p)->failed;
        }, &rec);
        e.wkeOnLoadingFinish(view, [](wkeWebView, void* p, const wkeString, wkeLoadingResult r, const wkeString) {
            static_cast<Record*>(p)->result = r;
            ++static_cast<Record*>(p)->finished;
        }, &rec);
        e.wkeOnURLChanged(view, [](wkeWebView, void* p, const wkeString url) {
            static_cast<Record*>(p)->url = Engine().wkeToStringW(url);
        }, &rec);
        e.wkeOnPaintUpdated(view, [](wkeWebView, void* p, const HDC, int, int, int, int) {
            ++static_cast<Record*>(p)->paints;
        }, &rec);
        e.wkeJsBindFunction("report", [](jsExecState es, void* p) -> jsValue {
            auto* r = static_cast<Record*>(p);
            NodeEngine& en = Engine();
            std::vector<std::wstring> args;
            for (int i = 0; i < 3; ++i) args.push_back(en.jsToTempStringW(es, en.jsArg(es, i)));
            r->calls.push_back(args);
            r->ints.push_back(en.jsToInt(es, en.jsArg(es, 0)));
            EXPECT_EQ(en.jsGetWebView(es) != nullptr, true);
            return en.jsUndefined();
        }, &rec, 3);
        e.wkeResize(view, 400, 300);
    }
    void TearDown() override
    {
        if (view) e.wkeDestroyWebView(view);
        e.wkeShutdown();
    }
    bool Load(const std::string& url, int count = 1)
    {
        e.wkeLoadURLW(view, Wide(url).c_str());
        return PumpUntil([&] { return rec.finished >= count; });
    }
    // Premultiplied BGRA of the view's picture at (x, y).
    unsigned Pixel(int x, int y)
    {
        HDC dc = e.wkeGetViewDC(view);
        BITMAP bm{};
        GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
        return static_cast<const unsigned*>(bm.bmBits)[y * (bm.bmWidthBytes / 4) + x];
    }
    void Mouse(UINT msg, int x, int y) { e.wkeFireMouseEvent(view, msg, x, y, msg == WM_LBUTTONDOWN ? WKE_LBUTTON : 0); }
    void ClickAt(int x, int y)
    {
        Mouse(WM_MOUSEMOVE, x, y);
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }
    void Type(const std::wstring& text)
    {
        for (wchar_t c : text) e.wkeFireKeyPressEvent(view, c, 0, false);
    }
    // A key pressed with Ctrl held, as this thread's keyboard state shows it.
    void CtrlKey(unsigned key)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        e.wkeFireKeyDownEvent(view, key, 0, false);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }

    NodeEngine& e = Engine();
    wkeWebView view = nullptr;
    Record rec;
};

using testsupport::HtmlReply;

const char kStyled[] =
    "<html><head><style>body{margin:0} #box{width:100px;height:50px;background:#ff0000}"
    " a{color:#0000ff} a:hover{color:#00ff00;background:#00ff00}</style></head><body>"
    "<div id=box></div><a id=link href=\"/next\" style=\"display:block;width:120px;height:30px\">link</a>"
    "<p><input id=name name=name style=\"width:150px\"></p></body></html>";

// The names node.dll exports, read from its export table.
std::set<std::string> ExportedNames(HMODULE module)
{
    std::set<std::string> names;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress) return names;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* rvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.insert(reinterpret_cast<const char*>(base + rvas[i]));
    return names;
}

TEST(WebEngineExports, AreExactlyTheListedEntryPoints)
{
    const std::set<std::string> listed = {"wkeInitializeEx", "wkeEnableHighDPISupport", "wkeShutdown",
        "wkeCreateWebView", "wkeDestroyWebView", "wkeSetHandle", "wkeSetTransparent",
        "wkeSetNavigationToNewWindowEnable", "wkeSetCookieJarFullPath", "wkeSetLocalStorageFullPath",
        "wkeSetViewSettings", "wkeOnLoadUrlBegin", "wkeOnLoadUrlEnd", "wkeOnLoadUrlFail", "wkeOnLoadingFinish",
        "wkeOnURLChanged", "wkeOnPaintUpdated", "wkeOnCreateView", "wkeToStringW", "wkeIsLoadingSucceeded",
        "wkeLoadURLW", "wkeStopLoading", "wkeResize", "wkeGetViewDC", "wkeContentsWidth", "wkeContentsHeight",
        "wkeFireMouseEvent", "wkeMouseEvent", "wkeFireMouseWheelEvent", "wkeFireKeyDownEvent", "wkeFireKeyUpEvent",
        "wkeFireKeyPressEvent", "wkeSetFocus", "wkeKillFocus", "wkeGetCaret", "wkeGetCursorInfoType",
        "jsBindFunction", "wkeJsBindFunction", "jsArg", "jsToInt", "jsToStringW", "jsToTempStringW", "jsUndefined",
        "jsGetWebView", "wkeRunJSW"};
    ASSERT_EQ(listed.size(), 45u);
    // Nothing of the libraries linked into it (libxml2, duktape, libcurl) is exported beside them.
    EXPECT_EQ(ExportedNames(Engine().module), listed);
}

TEST_F(WebEngineTest, LoadsPaintsAndReportsInOrder)
{
    HttpTestServer server([](const HttpTestRequest&) { return HtmlReply(kStyled); });
    ASSERT_TRUE(Load(server.Url("/page")));
    EXPECT_EQ(rec.result, WKE_LOADING_SUCCEEDED);
    EXPECT_TRUE(e.wkeIsLoadingSucceeded(view));
    ASSERT_FALSE(rec.log.empty());
    EXPECT_EQ(rec.log[0], "begin " + server.Url("/page"));
    EXPECT_EQ(rec.url, Wide(server.Url("/page")));
    EXPECT_GT(rec.paints, 0);
    EXPECT_EQ(Pixel(10, 10), 0xFFFF0000u);    // the red box
    EXPECT_EQ(Pixel(200, 10), 0xFFFFFFFFu);   // white page beside it
    EXPECT_EQ(e.wkeContentsWidth(view), 400);
    EXPECT_GE(e.wkeContentsHeight(view), 80);
}

TEST_F(WebEngineTest, WidthZeroTakesThePreferredWidth)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><div style=\"width:237px;height:20px\"></div></body>");
    });
    e.wkeResize(view, 0, 100);
    ASSERT_TRUE(Load(server.Url("/")));
    EXPECT_EQ(e.wkeContentsWidth(view), 237);
    EXPECT_EQ(e.wkeContentsHeight(view), 20);
}

TEST_F(WebEngineTest, HoverRepaintsAndCursorsFollowTheElement)
{
    HttpTestServer server([](const HttpTestRequest&) { return HtmlReply(kStyled); });
    ASSERT_TRUE(Load(server.Url("/")));
    EXPECT_NE(Pixel(110, 55) & 0xFFFFFF, 0x00FF00u);
    Mouse(WM_MOUSEMOVE, 110, 65);
    EXPECT_EQ(Pixel(110, 55), 0xFF00FF00u);   // a:hover background
    EXPECT_EQ(e.wkeGetCursorInfoType(view), 2);
    Mouse(WM_MOUSEMOVE, 300, 200);
    EXPECT_EQ(Pixel(110, 55), 0xFFFFFFFFu);
    EXPECT_EQ(e.wkeGetCursorInfoType(view), 0);
    Mouse(WM_MOUSEMOVE, 20, 100);
    EXPECT_EQ(e.wkeGetCursorInfoType(view), 3);   // the text field
}

TEST_F(WebEngineTest, ClicksCallBoundFunctionsWithTheirArguments)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><button id=b style=\"width:100px;height:30px\" "
                    "onclick=\"report(42, '中文', document.getElementById('b').tagName)\">go</button>"
                    "<div id=none style=\"height:30px\" onclick=\"report()\">x</div>"
                    "<div id=wrong style=\"height:30px\" onclick=\"report({a:1}, null, 'x7')\">y</div></body>");
    });
    ASSERT_TRUE(Load(server.Url("/")));
    ClickAt(20, 10);
    ClickAt(20, 45);
    ClickAt(20, 75);
    ASSERT_EQ(rec.calls.size(), 3u);
    EXPECT_EQ(rec.ints[0], 42);
    EXPECT_EQ(rec.calls[0][1], L"中文");
    EXPECT_EQ(rec.calls[0][2], L"BUTTON");
    // None given: undefined reads as 0 and "".
    EXPECT_EQ(rec.ints[1], 0);
    EXPECT_EQ(rec.calls[1][0], L"");
    // Wrong types: an object is NaN, so 0.
    EXPECT_EQ(rec.ints[2], 0);
    EXPECT_EQ(rec.calls[2][1], L"null");
    EXPECT_EQ(rec.calls[2][2], L"x7");
}

TEST_F(WebEngineTest, FormsPostTypedFieldsWithTabAndEnter)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.method == "POST") return HtmlReply("<body>posted</body>");
        return HtmlReply("<body style=\"margin:0\"><form method=post action=\"/login\">"
                    "<input id=u name=user style=\"width:150px\"><input id=p name=pass type=password>"
                    "<input type=checkbox name=keep checked><input type=submit name=go value=OK></form></body>");
    });
    ASSERT_TRUE(Load(server.Url("/")));
    e.wkeSetFocus(view);
    e.wkeFireKeyDownEvent(view, VK_TAB, 0, false);
    Type(L"a b");
    wkeRect c1 = e.wkeGetCaret(view);
    Type(L"&");
    wkeRect c2 = e.wkeGetCaret(view);
    EXPECT_GT(c2.x, c1.x);
    EXPECT_GT(c2.h, 0);
    e.wkeFireKeyDownEvent(view, VK_TAB, 0, false);
    Type(L"秘密");
    e.wkeFireKeyDownEvent(view, VK_RETURN, 0, false);
    ASSERT_TRUE(PumpUntil([&] { return rec.finished >= 2; }));
    std::vector<HttpTestRequest> reqs = server.Requests();
    ASSERT_EQ(reqs.back().method, "POST");
    EXPECT_EQ(reqs.back().target, "/login");
    EXPECT_EQ(reqs.back().body, "user=a+b%26&pass=%E7%A7%98%E5%AF%86&keep=on");
}

TEST_F(WebEngineTest, InputsCopyAndPasteButAPasswordIsMaskedAndNeverCopied)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><input id=u><input id=p type=password><input id=v></body>");
    });
    ASSERT_TRUE(Load(server.Url("/")));
    e.wkeSetFocus(view);
    e.wkeFireKeyDownEvent(view, VK_TAB, 0, false);
    Type(L"copy me");
    CtrlKey('A');
    CtrlKey('C');
    e.wkeFireKeyDownEvent(view, VK_TAB, 0, false);
    // Every character of a password shows as the same mark: a narrow and a
    // wide letter move the caret alike.
    const wkeRect c0 = e.wkeGetCaret(view);
    Type(L"ii");
    const wkeRect c1 = e.wkeGetCaret(view);
    Type(L"WW");
    const wkeRect c2 = e.wkeGetCaret(view);
    EXPECT_GT(c1.x, c0.x);
    EXPECT_EQ(c2.x - c1.x, c1.x - c0.x);
    CtrlKey('A');
    CtrlKey('C');   // refused: the clipboard keeps the first field's text
    e.wkeFireKeyDownEvent(view, VK_TAB, 0, false);
    CtrlKey('V');
    e.wkeRunJSW(view, L"report(document.getElementById('u').value, document.getElementById('p').value, "
                      L"document.getElementById('v').value)");
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0], (std::vector<std::wstring>{L"copy me", L"iiWW", L"copy me"}));
}

TEST_F(WebEngineTest, FilePagesAndTheirImagesAreReadFromDisk)
{
    testsupport::TempFolder folder;
    {
        std::ofstream page(std::filesystem::path(folder.File(L"page.html")), std::ios::binary);
        page << "<body style=\"margin:0\"><img src=\"logo.bmp\" width=20 height=20><p id=t>本地</p>"
                "<script>report(document.getElementById('t').textContent)</script></body>";
        std::ofstream logo(std::filesystem::path(folder.File(L"logo.bmp")), std::ios::binary);
        logo << testsupport::BmpFile(20, 20, [](int, int) { return 0xFF0000FFu; });
    }
    std::wstring path = folder.File(L"page.html");
    std::replace(path.begin(), path.end(), L'\\', L'/');
    e.wkeLoadURLW(view, (L"file:///" + path).c_str());
    ASSERT_TRUE(PumpUntil([&] { return rec.finished >= 1; }));
    EXPECT_EQ(rec.result, WKE_LOADING_SUCCEEDED);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0][0], L"本地");
    EXPECT_EQ(Pixel(10, 10), 0xFF0000FFu);   // the picture beside the page
}

TEST_F(WebEngineTest, GetFormsSubmitByTheirButton)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><form action=\"/find?old=1\"><input type=hidden name=h value=\"1 2\">"
                    "<input type=submit name=s value=Go style=\"width:80px;height:30px\"></form></body>");
    });
    ASSERT_TRUE(Load(server.Url("/")));
    ClickAt(10, 10);
    ASSERT_TRUE(PumpUntil([&] { return rec.finished >= 2; }));
    EXPECT_EQ(server.Requests().back().target, "/find?h=1+2&s=Go");
}

TEST_F(WebEngineTest, ScriptsRunThenOnloadWithTimersAndTheDom)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><div id=a style=\"height:40px\">old</div><div id=b>x</div>"
                    "<script>var el = document.getElementById('a'); el.textContent = 'new';"
                    "document.getElementById('b').innerHTML = '<span id=s>in</span>';"
                    "report(document.getElementById('s').textContent, location.href);"
                    "window.onload = function(){ report('onload'); el.style.display = 'none';"
                    " setTimeout(function(){ report('timer', el.style.display); }, 20); };</script></body>");
    });
    ASSERT_TRUE(Load(server.Url("/")));
    ASSERT_TRUE(PumpUntil([&] { return rec.calls.size() >= 3; }));
    EXPECT_EQ(rec.calls[0][0], L"in");
    EXPECT_EQ(rec.calls[0][1], Wide(server.Url("/")));
    EXPECT_EQ(rec.calls[1][0], L"onload");
    EXPECT_EQ(rec.calls[2][0], L"timer");
    EXPECT_EQ(rec.calls[2][1], L"none");
    EXPECT_LT(e.wkeContentsHeight(view), 40);   // the hidden block no longer takes room
}

TEST_F(WebEngineTest, CookiesGoBackToTheServerAndIntoTheJar)
{
    testsupport::TempFolder folder;
    std::wstring jar = folder.File(L"cookies.dat");
    e.wkeSetCookieJarFullPath(view, jar.c_str());
    HttpTestServer server([](const HttpTestRequest& r) {
        HttpTestReply reply = HtmlReply("<body>c</body>");
        if (r.target == "/set") reply.headers.push_back("Set-Cookie: sid=abc123; Path=/; Max-Age=3600");
        return reply;
    });
    ASSERT_TRUE(Load(server.Url("/set")));
    ASSERT_TRUE(Load(server.Url("/check"), 2));
    EXPECT_EQ(server.Requests().back().CountHeader("Cookie: sid=abc123"), 1);
    e.wkeDestroyWebView(view);
    view = nullptr;
    e.wkeShutdown();
    std::ifstream in{std::filesystem::path(jar)};
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("abc123"), std::string::npos);
}

TEST_F(WebEngineTest, GbkPagesAreDecodedThroughCodePage936)
{
    std::wstring chinese = L"你好，世界";
    char gbk[64] = {};
    int n = WideCharToMultiByte(936, 0, chinese.c_str(), -1, gbk, sizeof(gbk), nullptr, nullptr);
    ASSERT_GT(n, 1);
    std::string page = std::string("<html><head><meta charset=\"gbk\"></head><body><p id=t>") + gbk +
        "</p><script>report(document.getElementById('t').textContent)</script></body></html>";
    HttpTestServer server([page](const HttpTestRequest&) { return HtmlReply(page, "text/html"); });
    ASSERT_TRUE(Load(server.Url("/")));
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0][0], chinese);
}

TEST_F(WebEngineTest, BlankLinksAskTheHostForAView)
{
    HttpTestServer server([](const HttpTestRequest&) {
        return HtmlReply("<body style=\"margin:0\"><a href=\"/other\" target=_blank style=\"display:block;height:30px\">o</a></body>");
    });
    e.wkeOnCreateView(view, [](wkeWebView v, void* p, wkeNavigationType, const wkeString url, const wkeWindowFeatures*) {
        ++static_cast<Record*>(p)->created;
        static_cast<Record*>(p)->log.push_back("create");
        return v;
    }, &rec);
    ASSERT_TRUE(Load(server.Url("/")));
    ClickAt(5, 5);
    ASSERT_TRUE(PumpUntil([&] { return rec.finished >= 2; }));
    EXPECT_EQ(rec.created, 1);
    EXPECT_EQ(rec.url, Wide(server.Url("/other")));
}

TEST_F(WebEngineTest, WheelScrollsOnlyPagesTallerThanTheView)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target == "/short") return HtmlReply("<body>s</body>");
        return HtmlReply("<body style=\"margin:0\"><div style=\"height:300px;background:#ff0000\"></div>"
                    "<div style=\"height:300px;background:#0000ff\"></div></body>");
    });
    ASSERT_TRUE(Load(server.Url("/tall")));
    EXPECT_EQ(Pixel(10, 290), 0xFFFF0000u);
    EXPECT_TRUE(e.wkeFireMouseWheelEvent(view, 10, 10, -120, 0));
    EXPECT_EQ(Pixel(10, 290), 0xFF0000FFu);
    ASSERT_TRUE(Load(server.Url("/short"), 2));
    EXPECT_FALSE(e.wkeFireMouseWheelEvent(view, 10, 10, -120, 0));
}

TEST_F(WebEngineTest, BadAddressesAndAnswersFailOnce)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        HttpTestReply reply = HtmlReply("<body>x</body>");
        if (r.target == "/missing") reply.status = "404 Not Found";
        if (r.target == "/huge") reply.body.assign(50u << 20, 'a');
        return reply;
    });
    const std::string urls[] = {"abc", server.Url("/missing"), server.Url("/huge"),
        "http://127.0.0.1:" + std::to_string(HttpTestServer::ClosedPort()) + "/"};
    int count = 0;
    for (const std::string& url : urls) {
        SCOPED_TRACE(url);
        ++count;
        ASSERT_TRUE(Load(url, count));
        EXPECT_EQ(rec.failed, count);
        EXPECT_NE(rec.result, WKE_LOADING_SUCCEEDED);
        EXPECT_FALSE(e.wkeIsLoadingSucceeded(view));
    }
}

TEST_F(WebEngineTest, StoppingAPageThatNeverAnswersReportsOnce)
{
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HttpTestServer server([release](const HttpTestRequest&) {
        WaitForSingleObject(release, 20000);
        return HtmlReply("<body>late</body>");
    });
    e.wkeLoadURLW(view, Wide(server.Url("/slow")).c_str());
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
    e.wkeStopLoading(view);
    ASSERT_TRUE(PumpUntil([&] { return rec.finished == 1; }));
    EXPECT_EQ(rec.failed, 1);
    EXPECT_EQ(rec.result, WKE_LOADING_CANCELED);
    SetEvent(release);
    testsupport::PumpFor(300);
    EXPECT_EQ(rec.finished, 1);
    EXPECT_EQ(rec.failed, 1);
    e.wkeStopLoading(view);   // nothing is loading: no second report
    testsupport::PumpFor(50);
    EXPECT_EQ(rec.failed, 1);
    CloseHandle(release);
}

TEST_F(WebEngineTest, EndlessScriptsStopAfterTwoSecondsAndInvalidTextIsReplaced)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target == "/heap")
            return HtmlReply("<body><script>var big=[];"
                        "try{for(;;)big.push(new ArrayBuffer(1048576));}catch(e){report('heap')}"
                        "</script></body>");
        return HtmlReply(std::string("<body><p id=t>a\xff\xfe" "b</p><script>report(document.getElementById('t').textContent);"
                                "while(true){}</script><script>report('next')</script></body>"));
    });
    ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(Load(server.Url("/loop")));
    ULONGLONG took = GetTickCount64() - start;
    EXPECT_EQ(rec.result, WKE_LOADING_SUCCEEDED);
    EXPECT_GE(took, 1900u);
    EXPECT_LT(took, 9000u);
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[0][0], L"a\xFFFD\xFFFD" L"b");
    EXPECT_EQ(rec.calls[1][0], L"next");   // the page's next script still runs
    start = GetTickCount64();
    ASSERT_TRUE(Load(server.Url("/heap"), 2));
    took = GetTickCount64() - start;
    EXPECT_EQ(rec.result, WKE_LOADING_SUCCEEDED);
    ASSERT_EQ(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[2][0], L"heap");   // the 64 MiB cap stopped the script, not the process
    EXPECT_LT(took, 9000u);
}

} // namespace
