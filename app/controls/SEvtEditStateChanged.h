#pragma once
// "on_richedit_edit_end": an "edit2" began (1) or ended (0) editing, that
// is, gained or lost the focus.
#include "dui/core/base/EventArgs.h"

namespace DUI {

class SEvtEditStateChanged : public EventArgs
{
    DUI_EVENT_CLASS(SEvtEditStateChanged, 10000011, L"on_richedit_edit_end")
public:
    int iState = 0;
};

} // namespace DUI
