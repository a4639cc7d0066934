#pragma once
// For tests of host windows: a whole application over render.dll whose
// layouts are compiled into the test program (host/host.rc.in), a window
// class "recorder" that notes what reaches it, a presenter that notes what
// the host shows, and helpers to look at pixels.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "NativeWindowTestSupport.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/core/SApplication.h"
#include "dui/core/SHostPresenter.h"
#include "dui/core/SHostWnd.h"
#include "tests/support/ComponentLoader.h"
#include "tests/support/PngSave.h"

namespace hosttest {

using namespace DUI;

// A window that records the messages delivered to it and may act on one.
class RecorderWnd : public SWindow
{
    DUI_CLASS_NAME(RecorderWnd, SWindow, L"recorder", Window_Kind)
public:
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        received.push_back({msg, wp, lp});
        if (onMessage && onMessage(msg, wp, lp))
            return TRUE;
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    size_t Count(UINT msg) const
    {
        size_t n = 0;
        for (const auto& m : received) n += m.msg == msg;
        return n;
    }

    struct Msg { UINT msg; WPARAM wp; LPARAM lp; };
    std::vector<Msg> received;
    // TRUE: the message is taken.
    std::function<bool(UINT, WPARAM, LPARAM)> onMessage;
};

// Notes every presentation, then presents as the default presenter does.
class RecordingPresenter : public SHostPresenter
{
public:
    using SHostPresenter::SHostPresenter;
    void OnHostPresent(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha) override
    {
        rects.push_back(rc);
        alphas.push_back(alpha);
        SHostPresenter::OnHostPresent(dc, surface, rc, alpha);
    }
    std::vector<RECT> rects;
    std::vector<BYTE> alphas;
};

inline uint32_t SurfacePixel(IPaintSurface* s, int x, int y)
{
    auto* bmp = static_cast<IPaintBitmap*>(s->GetSelectedObject(OT_BITMAP));
    const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
    const uint32_t p = bits[static_cast<size_t>(y) * bmp->Width() + x];
    bmp->UnlockPixels(const_cast<uint32_t*>(bits));
    return p;
}

// The window's own image as the system draws it (PrintWindow), as
// 0xAARRGGBB with alpha forced to 255.
inline std::vector<uint32_t> PrintedPixels(HWND hwnd, int cx, int cy)
{
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::PrintWindow(hwnd, mem, 0);
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + cx * cy);
    for (uint32_t& p : out) p |= 0xFF000000u;
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return out;
}

// Saves the surface as a PNG when VESK_SAVE_PNG names a folder, for a person
// to look at; tests leave no files otherwise.
inline void MaybeSavePng(IPaintSurface* s, const wchar_t* name)
{
    auto* bmp = static_cast<IPaintBitmap*>(s->GetSelectedObject(OT_BITMAP));
    void* bits = bmp->LockPixels();
    testsupport::MaybeSavePngBits(bits, bmp->Width(), bmp->Height(), PixelFormat32bppPARGB, name);
    bmp->UnlockPixels(bits);
}

class HostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_factory);
        m_app = std::make_unique<SApplication>(m_factory.Get(), ::GetModuleHandleW(nullptr), L"VeskHostTestCls",
                                               &m_builtIns);
        m_app->TplRegisterFactory<RecorderWnd>();
        IResProvider* p = nullptr;
        CreateResProvider(RES_PE, &p);
        m_provider = SRefPtr<IResProvider>::Adopt(p);
        ASSERT_TRUE(m_provider->Init(reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr))));
        m_app->AddResProvider(m_provider.Get(), nullptr);
    }
    void TearDown() override
    {
        for (SHostWnd* h : m_hosts) {
            h->DestroyWindow();
            h->Release();
        }
        m_hosts.clear();
        // A destroyed top-level host may leave a quit request behind.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        m_provider.Reset();
        m_app.reset();
    }

    // A host the fixture releases; the presenter records what it shows.
    template <class Host = SHostWnd>
    Host* NewHost(LPCWSTR layout)
    {
        auto* host = new Host(layout);
        m_hosts.push_back(host);
        auto presenter = SRefPtr<RecordingPresenter>::Adopt(new RecordingPresenter(host));
        host->SetPresenter(presenter.Get());
        return host;
    }
    static RecordingPresenter* PresenterOf(SHostWnd* host)
    {
        return static_cast<RecordingPresenter*>(host->GetPresenter());
    }
    // A shown host that has painted once.
    HWND Shown(SHostWnd* host, DWORD style = WS_POPUP, DWORD exStyle = 0, int x = 40, int y = 40)
    {
        HWND hwnd = host->CreateEx(nullptr, style, exStyle, x, y, 0, 0);
        EXPECT_NE(hwnd, nullptr);
        if (!hwnd) return nullptr;
        ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        Flush(host);
        return hwnd;
    }
    // Lets every pending paint happen.
    static void Flush(SHostWnd* host)
    {
        if (!host->GetHwnd()) return;
        host->UpdateWindow();
        nativetest::PumpFor(30);
        host->UpdateWindow();
    }
    template <class T = SWindow>
    static T* Child(SHostWnd* host, LPCWSTR name)
    {
        return static_cast<T*>(host->FindChildByName(name));
    }

    testcomp::ComponentLoader m_render{L"render.dll"};
    SRefPtr<IPaintFactory> m_factory = SRefPtr<IPaintFactory>::Adopt(m_render.Create<IPaintFactory>());
    SObjectDefaultRegister m_builtIns;
    std::unique_ptr<SApplication> m_app;
    SRefPtr<IResProvider> m_provider;
    std::vector<SHostWnd*> m_hosts;
};

} // namespace hosttest
