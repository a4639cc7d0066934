#pragma once
// A key combination (modifiers and virtual key) and its display text, such
// as "Ctrl+Shift+F5": the key of the accelerator registry, of buttons with
// accelerators and of the hot-key control. Packed form: (modifiers << 16) |
// virtual key.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/TStringT.h"

namespace DUI {

class CAccelerator
{
public:
    enum Modifier : WORD
    {
        Mod_Alt = 0x1,
        Mod_Ctrl = 0x2,
        Mod_Shift = 0x4,
    };

    CAccelerator() = default;
    CAccelerator(UINT vKey, BOOL ctrl, BOOL alt, BOOL shift);
    explicit CAccelerator(DWORD packed);

    WORD GetKey() const { return m_key; }
    WORD GetModifier() const { return m_modifier; }
    DWORD GetAcc() const { return (static_cast<DWORD>(m_modifier) << 16) | m_key; }
    SStringW FormatHotkey() const { return FormatHotkey(GetAcc()); }

    bool operator==(const CAccelerator& other) const { return GetAcc() == other.GetAcc(); }
    bool operator!=(const CAccelerator& other) const { return !(*this == other); }

    // "Tab", "F5", "Num 3"...; empty for a key without a name.
    static SStringW GetKeyName(WORD vKey);
    // "无" for 0; else the modifiers in the order Ctrl, Shift, Alt, then the
    // key's name, joined by '+'.
    static SStringW FormatHotkey(DWORD packed);
    // The packed accelerator of a text such as "ctrl+shift+f5" (any case);
    // 0 for a text that is too long or names a key that is not known.
    static DWORD ParseHotkeyText(const SStringW& text);
    // The virtual key of one lower-case key word ("f5", "num 3", "enter",
    // "a"); 0 when unknown.
    static WORD TranslateKey(const SStringW& word);

private:
    WORD m_key = 0;
    WORD m_modifier = 0;
};

} // namespace DUI
