#include "dui/core/SwndText.h"

#include "dui/res.mgr/SAppTranslator.h"

namespace DUI {

void SwndText::SetText(const SStringW& text)
{
    m_raw = text;
    Translate();
}

void SwndText::Translate()
{
    if (!m_owner)
        return;
    m_translated = TranslateText(m_raw, m_owner->GetTrCtx());
}

} // namespace DUI
