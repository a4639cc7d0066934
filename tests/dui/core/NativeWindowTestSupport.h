#pragma once
// For tests of native windows: the shared window class the application
// would register, and a message pump that waits for a condition.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/CSimpleWndHelper.h"

namespace nativetest {

inline constexpr wchar_t kClassName[] = L"VeskTestWndCls";

// Pumps this thread's messages until done() holds or timeoutMs passes;
// true when it held.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs)
{
    const ULONGLONG start = ::GetTickCount64();
    while (!done()) {
        if (::GetTickCount64() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

class NativeWindowTest : public testing::Test
{
protected:
    DUI::CSimpleWndHelper m_helper{::GetModuleHandleW(nullptr), kClassName, FALSE};
};

} // namespace nativetest
