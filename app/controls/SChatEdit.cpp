#include "app/controls/SChatEdit.h"

namespace DUI {

SChatEdit::SChatEdit()
{
    GetEventSet()->AddEvent(EventChatEditKeyReturn::EventID, EventChatEditKeyReturn::EventName());
}

BOOL SChatEdit::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_CREATE) {
        SRichEdit::OnSwndMessage(msg, wp, lp, result);
        if (result == 0) {
            const LRESULT mask = DeliverSwndMessage(EM_GETEVENTMASK);
            DeliverSwndMessage(EM_SETEVENTMASK, 0, mask | ENM_LINK);
        }
        return TRUE;
    }
    if (msg == WM_KEYDOWN) {
        SRichEdit::OnSwndMessage(msg, wp, lp, result);
        return TRUE;
    }
    return SRichEdit::OnSwndMessage(msg, wp, lp, result);
}

} // namespace DUI
