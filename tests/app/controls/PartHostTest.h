#pragma once
// Host-window tests of the program's caption and part windows: the host
// fixture of the framework's tests with the two classes registered as the
// program registers them.
#include "app/controls/SCaptionEx.h"
#include "app/controls/SCtrlPart.h"
#include "tests/dui/control/CaptionDrag.h"
#include "tests/dui/core/HostTestEnv.h"

namespace parttest {

using namespace DUI;

using captiontest::DragOn;
using captiontest::Point;

class PartHostTest : public hosttest::HostTest
{
protected:
    void SetUp() override
    {
        hosttest::HostTest::SetUp();
        m_app->TplRegisterFactory<SCtrlPart>();
        m_app->TplRegisterFactory<SCaptionEx>();
    }
};

} // namespace parttest
