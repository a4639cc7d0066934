#pragma once
// For tests of the program's window and dialog bases: the host-test
// application with the program's layouts compiled in (data/controls.rc.in),
// a pump that runs messages through the application's loop as the program
// does (so that loop filters such as tooltips see them), and pictures of
// what several windows show together.
#include <algorithm>
#include <string>
#include <vector>

#include "dui/core/base/IImgDecoder.h"
#include "dui/core/SMessageLoop.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/support/MessagePump.h"

namespace ctltest {

using namespace DUI;
using hosttest::MaybeSavePng;

class ControlsTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_decoder);
        m_factory->SetPictureDecoderFactory(m_decoder.Get());
        hosttest::HostTest::SetUp();
    }
    void TearDown() override
    {
        hosttest::HostTest::TearDown();
        // The decoder's code goes with its library, before the render factory.
        m_factory->SetPictureDecoderFactory(nullptr);
        m_decoder.Reset();
    }

    // Pumps through the application's message loop until done() holds; a
    // WM_QUIT is handed on and ends the wait.
    template <class Done>
    bool LoopUntil(Done done, DWORD timeoutMs = 5000)
    {
        SMessageLoop* loop = m_app->GetMsgLoop();
        return testsupport::PumpUntil(done, timeoutMs, [loop](MSG& msg) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            loop->OnMsg(&msg);
            return true;
        });
    }
    void LoopFor(DWORD ms)
    {
        LoopUntil([] { return false; }, ms);
    }

    testcomp::ComponentLoader m_imgdecoder{L"imgdecoder.dll"};
    SRefPtr<IPictureDecoderFactory> m_decoder =
        SRefPtr<IPictureDecoderFactory>::Adopt(m_imgdecoder.Create<IPictureDecoderFactory>());
};

// What the hosts show where they stand on the screen, drawn from their
// memory surfaces one over the other (premultiplied alpha), as a compositing
// desktop shows layered windows. Pixels 0xAARRGGBB of the box `area`.
inline std::vector<uint32_t> Composed(const std::vector<SHostWnd*>& hosts, const RECT& area)
{
    const int cx = area.right - area.left, cy = area.bottom - area.top;
    std::vector<uint32_t> out(static_cast<size_t>(cx) * cy, 0xFF000000u);
    for (SHostWnd* host : hosts) {
        auto* bmp = static_cast<IPaintBitmap*>(host->GetMemSurface()->GetSelectedObject(OT_BITMAP));
        const auto* bits = static_cast<const uint32_t*>(bmp->LockPixels());
        const RECT at = host->GetNativeWindowRect();
        for (int y = 0; y < static_cast<int>(bmp->Height()); ++y) {
            for (int x = 0; x < static_cast<int>(bmp->Width()); ++x) {
                const int ox = at.left + x - area.left, oy = at.top + y - area.top;
                if (ox < 0 || oy < 0 || ox >= cx || oy >= cy)
                    continue;
                const uint32_t src = bits[static_cast<size_t>(y) * bmp->Width() + x];
                uint32_t& dst = out[static_cast<size_t>(oy) * cx + ox];
                const uint32_t keep = 255 - (src >> 24);
                uint32_t mixed = 0xFF000000u;
                for (int shift : {0, 8, 16}) {
                    const uint32_t c = ((src >> shift) & 0xFF) + ((dst >> shift) & 0xFF) * keep / 255;
                    mixed |= std::min<uint32_t>(c, 255) << shift;
                }
                dst = mixed;
            }
        }
        bmp->UnlockPixels(const_cast<uint32_t*>(bits));
    }
    return out;
}

// Saves 0xAARRGGBB pixels as a PNG when VESK_SAVE_PNG names a folder.
inline void MaybeSavePixels(const std::vector<uint32_t>& pixels, int cx, int cy, const wchar_t* name)
{
    std::vector<uint32_t> copy = pixels;
    testsupport::MaybeSavePngBits(copy.data(), cx, cy, PixelFormat32bppARGB, name);
}

inline RECT WindowRectOf(HWND hwnd)
{
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

inline SIZE SizeOf(const RECT& rc)
{
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace ctltest
