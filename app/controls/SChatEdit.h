#pragma once
// "chatedit": a rich edit whose text services report links. Owners may
// subscribe to "on_chatedit_key_return"; the control itself never fires it.
#include "dui/control/RichEditEvents.h"
#include "dui/control/SRichEdit.h"

namespace DUI {

class EventChatEditKeyReturn : public EventArgs
{
    DUI_EVENT_CLASS(EventChatEditKeyReturn, 10000500, L"on_chatedit_key_return")
};

class SChatEdit : public SRichEdit
{
    DUI_CLASS_NAME(SChatEdit, SRichEdit, L"chatedit", Window_Kind)
public:
    SChatEdit();
    ~SChatEdit() override = default;

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

} // namespace DUI
