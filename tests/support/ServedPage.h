#pragma once
// What the web tests and the web-view benchmark serve from HttpTestServer:
// an HTML reply, and 32-bit BMP pictures drawn by a function.
#include "tests/support/HttpTestServer.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace testsupport {

inline HttpTestReply HtmlReply(const std::string& body, const std::string& type = "text/html; charset=utf-8")
{
    HttpTestReply r;
    r.body = body;
    r.headers.push_back("Content-Type: " + type);
    return r;
}

// A w x h BMP file; pixel(x, y) gives 0xAARRGGBB with y counted from the top.
inline std::string BmpFile(int w, int h, const std::function<uint32_t(int x, int y)>& pixel)
{
    std::string out(54 + size_t(w) * h * 4, '\0');
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&out[at], &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, uint32_t(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    out[26] = 1;
    out[28] = 32;
    for (int y = 0; y < h; ++y)   // rows are stored bottom-up
        for (int x = 0; x < w; ++x) put32(54 + (size_t(h - 1 - y) * w + x) * 4, pixel(x, y));
    return out;
}

inline HttpTestReply BmpReply(std::string bmp)
{
    HttpTestReply r;
    r.body = std::move(bmp);
    r.headers.push_back("Content-Type: image/bmp");
    return r;
}

} // namespace testsupport
