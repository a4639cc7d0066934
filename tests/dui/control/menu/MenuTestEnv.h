#pragma once
// For tests of menus: the application of the host-window tests with the
// menu skins of this folder's resources as its system skins, and an owner
// window that notes what reaches it and drives a running menu by posting
// keys to itself once the menu shows (menus run their own modal loops).
#include "tests/dui/core/HostTestEnv.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dui/core/CSimpleWnd.h"
#include "dui/core/base/IImgDecoder.h"

namespace menutest {

using namespace DUI;

// A posted keyboard message: WM_KEYDOWN, WM_SYSKEYDOWN or WM_CHAR.
struct Key
{
    UINT msg;
    WPARAM code;
};

inline Key Down(WPARAM vk) { return Key{WM_KEYDOWN, vk}; }
inline Key Char(wchar_t ch) { return Key{WM_CHAR, static_cast<WPARAM>(ch)}; }

class MenuOwner : public CSimpleWnd
{
public:
    struct Msg { UINT msg; WPARAM wp; LPARAM lp; };

    ~MenuOwner() override
    {
        if (GetHwnd() && ::IsWindow(GetHwnd()))
            ::DestroyWindow(GetHwnd());
    }

    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override
    {
        if (mapId != 0)
            return FALSE;
        if (msg == WM_TIMER && wp == kWatchdog) {
            // A menu the test could not end ends here, so the test fails
            // instead of hanging.
            ::KillTimer(GetHwnd(), kWatchdog);
            timedOut = true;
            if (onWatchdog) onWatchdog();
            return TRUE;
        }
        if (IsNoted(msg))
            received.push_back({msg, wp, lp});
        if (onMessage && onMessage(msg, wp, lp, result))
            return TRUE;
        return FALSE;
    }

    size_t Count(UINT msg) const
    {
        size_t n = 0;
        for (const auto& m : received) n += m.msg == msg;
        return n;
    }
    const Msg* Last(UINT msg) const
    {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->msg == msg) return &*it;
        return nullptr;
    }
    void Post(const std::vector<Key>& keys)
    {
        for (const Key& k : keys) ::PostMessageW(GetHwnd(), k.msg, k.code, 1);
    }
    void StartWatchdog(UINT ms = 15000) { ::SetTimer(GetHwnd(), kWatchdog, ms, nullptr); }
    void StopWatchdog() { ::KillTimer(GetHwnd(), kWatchdog); }

    static constexpr UINT_PTR kWatchdog = 0x7E57;

    std::vector<Msg> received;
    // TRUE: the message is taken with `result`.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onMessage;
    std::function<void()> onWatchdog;
    bool timedOut = false;

private:
    static bool IsNoted(UINT msg)
    {
        switch (msg) {
        case WM_INITMENUPOPUP: case WM_INITMENU: case WM_MENUSELECT: case WM_COMMAND:
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_SYSKEYDOWN: case 11226:
            return true;
        default:
            return false;
        }
    }
};

// Saves 0xAARRGGBB pixels as a PNG when VESK_SAVE_PNG names a folder, for
// a person to look at; tests leave no files otherwise.
inline void MaybeSavePixels(std::vector<uint32_t> pixels, int cx, int cy, const wchar_t* name)
{
    if (pixels.size() == static_cast<size_t>(cx) * cy)
        testsupport::MaybeSavePngBits(pixels.data(), cx, cy, PixelFormat32bppRGB, name);
}

class MenuTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_decoder);
        m_factory->SetPictureDecoderFactory(m_decoder.Get());
        HostTest::SetUp();
        // Only the skins are in these resources.
        EXPECT_EQ(m_app->LoadSystemNamedResource(m_provider.Get()) & 1, 0);
        // The real cursor stays out of the way of the menus the tests show.
        ::SetCursorPos(1270, 1010);
        m_owner = std::make_unique<MenuOwner>();
        HWND hwnd = m_owner->CreateWindow(L"owner", WS_POPUP | WS_VISIBLE, 0, 1100, 860, 120, 100, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        ::SetForegroundWindow(hwnd);
        nativetest::PumpFor(20);
    }
    void TearDown() override
    {
        m_owner.reset();
        HostTest::TearDown();
        m_factory->SetPictureDecoderFactory(nullptr);
    }
    HWND Owner() const { return m_owner->GetHwnd(); }
    // Drops what a menu left queued for the owner (Alt, a click).
    static void Drain() { nativetest::PumpFor(30); }

    testcomp::ComponentLoader m_imgdecoder{L"imgdecoder.dll"};
    SRefPtr<IPictureDecoderFactory> m_decoder =
        SRefPtr<IPictureDecoderFactory>::Adopt(m_imgdecoder.Create<IPictureDecoderFactory>());
    std::unique_ptr<MenuOwner> m_owner;
};

} // namespace menutest
