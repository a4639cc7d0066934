#include "dui/core/SwndToolTip.h"

namespace DUI {

BOOL SwndToolTip::Answer(SWND swnd, const RECT& target, BOOL fromHandler, const SStringW& text,
                         SwndToolTipInfo& info)
{
    info.swnd = swnd;
    info.cookie = 0;
    info.rcTarget = target;
    if (!fromHandler && text.IsEmpty())
        return FALSE;
    info.strTip = text;
    return !info.strTip.IsEmpty();
}

} // namespace DUI
