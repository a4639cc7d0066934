// The third-party engines, cross-built by scripts/setup.sh, working inside a
// Windows program under Wine.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <boost/regex.hpp>
#include <curl/curl.h>
#include <json/json.h>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/HttpTestServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPdf.h"

namespace {

// Dark pixels in a rectangle of a 32-bit image.
int CountDarkPixels(const poppler::image& img, int x0, int y0, int x1, int y1)
{
    int dark = 0;
    for (int y = y0; y < y1 && y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(img.const_data()) + y * img.bytes_per_row();
        for (int x = x0; x < x1 && x < img.width(); ++x) {
            const unsigned char* px = row + 4 * x;   // BGRA
            if (px[0] < 100 && px[1] < 100 && px[2] < 100) ++dark;
        }
    }
    return dark;
}

TEST(Engines, PopplerRendersNonEmbeddedBase14Text)
{
    poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    std::string pdf = testpdf::MakePdf({{"HELLO", 200, 100}, {"X", 300, 300}});
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_raw_data(pdf.data(), static_cast<int>(pdf.size())));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->pages(), 2);
    std::unique_ptr<poppler::page> page(doc->create_page(0));
    ASSERT_TRUE(page);
    poppler::page_renderer renderer;
    renderer.set_render_hints(poppler::page_renderer::antialiasing | poppler::page_renderer::text_antialiasing);
    poppler::image img = renderer.render_page(page.get(), 144, 144);
    ASSERT_TRUE(img.is_valid());
    EXPECT_EQ(img.width(), 400);
    EXPECT_EQ(img.height(), 200);
    // The text sits in the upper half; without a font file it would not be drawn at all.
    EXPECT_GT(CountDarkPixels(img, 0, 0, 400, 100), 500);
    EXPECT_EQ(CountDarkPixels(img, 0, 150, 400, 200), 0);
}

size_t AppendToString(char* data, size_t size, size_t count, void* out)
{
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

TEST(Engines, CurlGetsFromLoopbackServer)
{
    HttpTestServer server([](const HttpTestRequest&) {
        HttpTestReply reply;
        reply.body = "pong 中文";
        return reply;
    });
    curl_global_init(CURL_GLOBAL_ALL);
    CURL* curl = curl_easy_init();
    ASSERT_TRUE(curl);
    std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/ping?x=1";
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 20L);
    CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    curl_global_cleanup();
    ASSERT_EQ(rc, CURLE_OK) << curl_easy_strerror(rc);
    EXPECT_EQ(status, 200);
    EXPECT_EQ(body, "pong 中文");
    std::vector<HttpTestRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/ping?x=1");
}

TEST(Engines, JsoncppRoundTripsUtf8)
{
    Json::Value root;
    root["name"] = "微软雅黑 ü";
    root["pages"] = 3;
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    std::string text = Json::writeString(writer, root);
    EXPECT_EQ(text, "{\"name\":\"微软雅黑 ü\",\"pages\":3}");

    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value back;
    std::string errors;
    ASSERT_TRUE(reader->parse(text.data(), text.data() + text.size(), &back, &errors)) << errors;
    EXPECT_EQ(back["name"].asString(), "微软雅黑 ü");
    EXPECT_EQ(back["pages"].asInt(), 3);
}

TEST(Engines, BoostWideRegexMatches)
{
    boost::wregex re(L"/(\\w+)=\"([^\"]*)\"");
    std::wstring text = L"/appfile=\"C:\\程序\\a.exe\" /ppid=\"42\"";
    std::vector<std::pair<std::wstring, std::wstring>> found;
    for (boost::wsregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        found.emplace_back((*it)[1].str(), (*it)[2].str());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].first, L"appfile");
    EXPECT_EQ(found[0].second, L"C:\\程序\\a.exe");
    EXPECT_EQ(found[1].second, L"42");
}

bool FindEncoder(const wchar_t* mime, CLSID* clsid)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buf(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, mime) == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

TEST(Engines, GdiplusSavesPngWithResolution)
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    testsupport::TempFolder folder(L"vesk_engines");   // removed on a failed assertion too
    const std::wstring path = folder.File(L"分辨率.png");
    {
        Gdiplus::Bitmap bmp(32, 16, PixelFormat24bppRGB);
        ASSERT_EQ(bmp.SetResolution(192.0f, 192.0f), Gdiplus::Ok);
        CLSID png;
        ASSERT_TRUE(FindEncoder(L"image/png", &png));
        ASSERT_EQ(bmp.Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
    }
    {
        Gdiplus::Bitmap back(path.c_str());
        ASSERT_EQ(back.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(back.GetWidth(), 32u);
        EXPECT_NEAR(back.GetHorizontalResolution(), 192.0f, 0.5f);
    }
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace
