#pragma once
// The tooltip of a windowless window: its text, raw and translated, and the
// answer the window gives its host's tooltip.
#include "dui/core/SwndText.h"
#include "dui/core/SwndToolTipInfo.h"

namespace DUI {

class SwndToolTip
{
public:
    explicit SwndToolTip(ITrCtxProvider* owner) : m_text(owner) {}

    void SetText(const SStringW& text) { m_text.SetText(text); }
    SStringW GetText() const { return m_text.GetText(FALSE); }
    void Translate() { m_text.Translate(); }

    // The tip for the window's rectangle: `text` is what an
    // "on_update_tooltip" handler gave (`fromHandler`) or the window's own.
    // TRUE when there is a text to show; an empty own text leaves the tip's
    // text as it was.
    static BOOL Answer(SWND swnd, const RECT& target, BOOL fromHandler, const SStringW& text,
                       SwndToolTipInfo& info);

private:
    SwndText m_text;
};

} // namespace DUI
