#include "dui/res.mgr/SNullTranslator.h"

namespace DUI {

int SNullTranslator::GetLanguage(wchar_t* buf, int size) const
{
    if (buf && size > 0)
        buf[0] = L'\0';
    return 0;
}

} // namespace DUI
