#pragma once
// A text as written (raw) and as shown (translated under its owner's
// context): a window's text and tooltip, a host's title.
#include <winsock2.h>
#include <windows.h>
#include "dui/res.mgr/ITrCtxProvider.h"
#include "dui/core/base/TStringT.h"

namespace DUI {

class SwndText
{
public:
    explicit SwndText(ITrCtxProvider* owner = nullptr) : m_owner(owner) {}

    void SetOwner(ITrCtxProvider* owner) { m_owner = owner; }
    void SetText(const SStringW& text);
    // Without an owner there is no context, and the translation is left as is.
    void Translate();
    SStringW GetText(BOOL raw) const { return raw ? m_raw : m_translated; }

private:
    ITrCtxProvider* m_owner;
    SStringW m_raw;
    SStringW m_translated;
};

} // namespace DUI
