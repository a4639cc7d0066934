// Draws a typical main-window frame (1204 x 688) through render.dll again
// and again: background, anti-aliased round rects, Latin and Chinese
// strings, translucent image blits and nine-patch skins.
// Usage: render_frame [seconds]. The last line: frames=N seconds=S fps=R.
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

using DUI::SRefPtr;

namespace {

constexpr int kWidth = 1204, kHeight = 688;

struct Scene
{
    SRefPtr<DUI::IPaintSurface> surface;
    SRefPtr<DUI::IPaintBitmap> icon;    // 48 x 48, soft alpha
    SRefPtr<DUI::IPaintBitmap> frame;   // 24 x 24 button face with a border
    SRefPtr<DUI::IFont> font;
};

SRefPtr<DUI::IPaintBitmap> MakeBitmap(DUI::IPaintFactory* f, int cx, int cy, uint32_t (*pixel)(int, int, int, int))
{
    std::vector<uint32_t> px(static_cast<size_t>(cx) * cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) px[y * cx + x] = pixel(x, y, cx, cy);
    DUI::IPaintBitmap* b = nullptr;
    f->CreateBitmap(&b);
    b->InitPixels(cx, cy, px.data());
    return SRefPtr<DUI::IPaintBitmap>::Adopt(b);
}

uint32_t IconPixel(int x, int, int cx, int)
{
    const uint32_t a = static_cast<uint32_t>(255 * x / (cx - 1));
    return (a << 24) | ((a * 3 / 4) << 8) | (a / 2);   // premultiplied teal fading in
}

uint32_t FramePixel(int x, int y, int cx, int cy)
{
    const bool border = x < 2 || y < 2 || x >= cx - 2 || y >= cy - 2;
    return border ? 0xFF1E5AA0u : 0xFFE0ECF8u;
}

bool BuildScene(DUI::IPaintFactory* f, Scene& s)
{
    DUI::IPaintSurface* surface = nullptr;
    if (FAILED(f->CreateSurface(kWidth, kHeight, &surface))) return false;
    s.surface = SRefPtr<DUI::IPaintSurface>::Adopt(surface);
    s.icon = MakeBitmap(f, 48, 48, IconPixel);
    s.frame = MakeBitmap(f, 24, 24, FramePixel);
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Microsoft YaHei");
    DUI::IFont* font = nullptr;
    if (FAILED(f->CreateFont(&lf, &font))) return false;
    s.font = SRefPtr<DUI::IFont>::Adopt(font);
    return true;
}

void DrawFrame(Scene& s, int n)
{
    DUI::IPaintSurface* rt = s.surface.Get();
    const RECT all = {0, 0, kWidth, kHeight};
    rt->FillRectColor(&all, 0xFFF5F5F5);
    const RECT title = {0, 0, kWidth, 60};
    rt->FillGradientRect(&title, TRUE, 0xFFE07010, 0xFFB05008, 255);
    for (int i = 0; i < 40; ++i) {
        const RECT r = {20 + (i % 8) * 145, 80 + (i / 8) * 110, 20 + (i % 8) * 145 + 130, 80 + (i / 8) * 110 + 36};
        rt->FillRoundRectColor(&r, {6, 6}, 0xFF017FFF - static_cast<COLORREF>((i + n) % 7) * 0x10);
    }
    for (int i = 0; i < 20; ++i) {
        const RECT r = {30 + (i % 5) * 230, 130 + (i / 5) * 110, 30 + (i % 5) * 230 + 180, 130 + (i / 5) * 110 + 40};
        const RECT margins = {4, 4, 4, 4};
        rt->DrawBitmapNinePatch(&r, s.frame.Get(), nullptr, &margins, DUI::MakeExpandMode(DUI::EM_STRETCH, 1), 255);
    }
    for (int i = 0; i < 30; ++i) {
        const RECT r = {40 + (i % 10) * 115, 560 + (i / 10) * 40 - 20, 40 + (i % 10) * 115 + 48, 560 + (i / 10) * 40 + 28};
        rt->DrawBitmapScaled(&r, s.icon.Get(), nullptr, DUI::EM_STRETCH, 200);
    }
    rt->SelectObject(s.font.Get(), nullptr);
    rt->SetTextColor(0xFF333333);
    static const wchar_t* const kTexts[] = {L"PDF \u8f6c\u56fe\u7247", L"Convert pages", L"\u538b\u7f29 PDF 42%",
                                            L"Output folder"};
    for (int i = 0; i < 200; ++i) {
        RECT r = {10 + (i % 10) * 119, 70 + (i / 10) * 30, 10 + (i % 10) * 119 + 115, 70 + (i / 10) * 30 + 20};
        rt->DrawTextBox(kTexts[i % 4], -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS, 255);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? atof(argv[1]) : 3.0;
    HMODULE dll = LoadLibraryW(L"render.dll");
    using CreateFn = BOOL (*)(void**);
    auto create = dll ? reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(dll, "SCreateInstance"))) : nullptr;
    void* obj = nullptr;
    if (!create || !create(&obj)) {
        fprintf(stderr, "render_frame: render.dll not loaded\n");
        return 1;
    }
    int frames = 0;
    double elapsed = 0;
    {
        auto factory = SRefPtr<DUI::IPaintFactory>::Adopt(static_cast<DUI::IPaintFactory*>(obj));
        Scene scene;
        if (!BuildScene(factory.Get(), scene)) {
            fprintf(stderr, "render_frame: scene set-up failed\n");
            return 1;
        }
        DrawFrame(scene, 0);   // warm-up: font caches, the text mask
        const auto start = std::chrono::steady_clock::now();
        do {
            DrawFrame(scene, frames++);
            elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } while (elapsed < seconds);
    }
    printf("frame=%dx%d ms_per_frame=%.2f\n", kWidth, kHeight, elapsed * 1000.0 / frames);
    printf("frames=%d seconds=%.2f fps=%.1f\n", frames, elapsed, frames / elapsed);
    FreeLibrary(dll);
    return 0;
}
