#pragma once
// Rich edits on a real host window over the system's text services, with
// the framework's system resources (border skin, edit menu) loaded: keys
// and characters go to the host as a user's would.
#include <gtest/gtest.h>

#include <string>

#include "dui/control/SRichEdit.h"
#include "tests/dui/core/HostTestEnv.h"
#include "tests/dui/core/InputTestHost.h"

namespace retest {

using namespace DUI;
using hosttest::MaybeSavePng;
using hosttest::SurfacePixel;

class RichEditTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_decoder);
        m_factory->SetPictureDecoderFactory(m_decoder.Get());
        HostTest::SetUp();
        ASSERT_EQ(m_app->LoadSystemNamedResource(m_provider.Get()), 0);
        m_host = NewHost(L"LAYOUT:XML_RICHEDIT");
        m_hwnd = Shown(m_host);
        ASSERT_NE(m_hwnd, nullptr);
    }

    void TearDown() override
    {
        HostTest::TearDown();
        m_factory->SetPictureDecoderFactory(nullptr);
    }

    SRichEdit* Edit(LPCWSTR name) const
    {
        auto* edit = static_cast<SRichEdit*>(m_host->FindChildByName(name));
        EXPECT_NE(edit, nullptr) << "no edit " << std::string(name, name + wcslen(name));
        return edit;
    }
    // Focus on the edit, then each character posted to the host and pumped.
    void Type(SRichEdit* edit, const std::wstring& text)
    {
        edit->SetFocus();
        for (wchar_t ch : text)
            ::PostMessageW(m_hwnd, WM_CHAR, ch, 1);
        Settle();
    }
    // A key posted to the host, down and up.
    void Press(UINT vk)
    {
        ::PostMessageW(m_hwnd, WM_KEYDOWN, vk, 1);
        ::PostMessageW(m_hwnd, WM_KEYUP, vk, 0xC0000001);
        Settle();
    }
    // Until the posted messages are handled and the host painted.
    void Settle()
    {
        MSG msg;
        nativetest::PumpUntil([&] { return !::PeekMessageW(&msg, m_hwnd, 0, 0, PM_NOREMOVE); }, 5000);
        Flush(m_host);
    }
    static std::wstring TextOf(SRichEdit* edit) { return edit->GetWindowText().c_str(); }
    static std::pair<DWORD, DWORD> SelOf(SRichEdit* edit)
    {
        DWORD start = 0, end = 0;
        edit->DeliverSwndMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // The edit's client rectangle in host coordinates.
    static RECT ClientOf(SRichEdit* edit) { return edit->GetClientRect(); }
    static LPARAM PointIn(SRichEdit* edit, int dx = 10)
    {
        const RECT rc = edit->GetClientRect();
        return MAKELPARAM(rc.left + dx, (rc.top + rc.bottom) / 2);
    }

    // The system skins' images need a decoder.
    testcomp::ComponentLoader m_imgdecoder{L"imgdecoder.dll"};
    SRefPtr<IPictureDecoderFactory> m_decoder =
        SRefPtr<IPictureDecoderFactory>::Adopt(m_imgdecoder.Create<IPictureDecoderFactory>());
    SHostWnd* m_host = nullptr;
    HWND m_hwnd = nullptr;
};

} // namespace retest
