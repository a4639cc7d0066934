#include "app/controls/ISCtrlPartHandler.h"

#include "app/controls/SCtrlPart.h"

namespace DUI {

void ISCtrlPartHandler::OnTimer(UINT_PTR)
{
    if (m_part)
        m_part->SetMsgHandled(FALSE);
}

} // namespace DUI
