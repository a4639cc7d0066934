#pragma once
// For tests of native windows: the shared window class the application
// would register, and a message pump that waits for a condition.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/CSimpleWndHelper.h"
#include "tests/support/MessagePump.h"

namespace nativetest {

inline constexpr wchar_t kClassName[] = L"VeskTestWndCls";

using testsupport::PumpFor;
using testsupport::PumpPastTimer;
using testsupport::PumpUntil;

class NativeWindowTest : public testing::Test
{
protected:
    DUI::CSimpleWndHelper m_helper{::GetModuleHandleW(nullptr), kClassName, FALSE};
};

} // namespace nativetest
