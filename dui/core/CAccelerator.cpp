#include "dui/core/CAccelerator.h"

#include <cwchar>
#include <iterator>

#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

struct NamedKey
{
    WORD vKey;
    const wchar_t* name;
};

// Display names; the parser knows each of them in lower case, so every text
// FormatHotkey makes reads back as the same combination.
constexpr NamedKey kKeyNames[] = {
    {VK_TAB, L"Tab"},          {VK_RETURN, L"Enter"},   {VK_ESCAPE, L"ESC"},    {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PageUp"},     {VK_NEXT, L"PageDown"},  {VK_END, L"End"},       {VK_HOME, L"Home"},
    {VK_LEFT, L"Left"},        {VK_UP, L"Up"},          {VK_RIGHT, L"Right"},   {VK_DOWN, L"Down"},
    {VK_PRINT, L"Print"},      {VK_INSERT, L"Insert"},  {VK_DELETE, L"Delete"}, {VK_MULTIPLY, L"Num *"},
    {VK_ADD, L"Num +"},        {VK_DECIMAL, L"Num Del"},
};

constexpr NamedKey kKeyWords[] = {
    {VK_ESCAPE, L"esc"},  {VK_RETURN, L"enter"}, {VK_UP, L"up"},         {VK_DOWN, L"down"},
    {VK_LEFT, L"left"},   {VK_RIGHT, L"right"},  {VK_HOME, L"home"},     {VK_PRIOR, L"pageup"},
    {VK_NEXT, L"pagedown"}, {VK_INSERT, L"insert"}, {VK_SPACE, L"space"}, {VK_DELETE, L"delete"},
    {VK_PRINT, L"print"}, {VK_END, L"end"},      {VK_TAB, L"tab"},
};

// The punctuation keys of the main block, by the character they type.
constexpr NamedKey kPunctuation[] = {
    {VK_OEM_7, L"'"}, {VK_OEM_COMMA, L","}, {VK_OEM_MINUS, L"-"}, {VK_OEM_PERIOD, L"."},
    {VK_OEM_2, L"/"}, {VK_OEM_1, L";"},     {VK_OEM_PLUS, L"="},  {VK_OEM_4, L"["},
    {VK_OEM_5, L"\\"}, {VK_OEM_6, L"]"},    {VK_OEM_3, L"`"},
};

constexpr int kMaxHotkeyText = 99;

SStringW Numbered(const wchar_t* format, int n)
{
    wchar_t buf[16];
    std::swprintf(buf, std::size(buf), format, n);
    return SStringW(buf);
}

// A whole number made of 1 to 2 digits; -1 otherwise.
int SmallNumber(const SStringW& digits)
{
    const int len = digits.GetLength();
    if (len < 1 || len > 2)
        return -1;
    int n = 0;
    for (int i = 0; i < len; ++i) {
        const wchar_t c = digits[i];
        if (c < L'0' || c > L'9')
            return -1;
        n = n * 10 + (c - L'0');
    }
    return n;
}

WORD ModifierOf(const SStringW& part)
{
    if (part == L"ctrl")
        return CAccelerator::Mod_Ctrl;
    if (part == L"alt")
        return CAccelerator::Mod_Alt;
    if (part == L"shift")
        return CAccelerator::Mod_Shift;
    return 0;
}

WORD TranslateNumPadKey(const SStringW& rest)
{
    if (rest == L"del")
        return VK_DECIMAL;
    if (rest == L"*")
        return VK_MULTIPLY;
    if (rest == L"+")
        return VK_ADD;
    const int n = SmallNumber(rest);
    return (n >= 0 && n <= 9) ? static_cast<WORD>(VK_NUMPAD0 + n) : 0;
}

WORD TranslateCharacter(wchar_t c)
{
    if ((c >= L'0' && c <= L'9'))
        return c;
    if (c >= L'a' && c <= L'z')
        return static_cast<WORD>(c - L'a' + L'A');
    for (const NamedKey& k : kPunctuation) {
        if (k.name[0] == c)
            return k.vKey;
    }
    return 0;
}

} // namespace

CAccelerator::CAccelerator(UINT vKey, BOOL ctrl, BOOL alt, BOOL shift)
    : m_key(static_cast<WORD>(vKey)),
      m_modifier(static_cast<WORD>((ctrl ? Mod_Ctrl : 0) | (alt ? Mod_Alt : 0) | (shift ? Mod_Shift : 0)))
{
}

CAccelerator::CAccelerator(DWORD packed) : m_key(LOWORD(packed)), m_modifier(HIWORD(packed)) {}

SStringW CAccelerator::GetKeyName(WORD vKey)
{
    for (const NamedKey& k : kKeyNames) {
        if (k.vKey == vKey)
            return SStringW(k.name);
    }
    if ((vKey >= '0' && vKey <= '9') || (vKey >= 'A' && vKey <= 'Z')) {
        const wchar_t c = static_cast<wchar_t>(vKey);
        return SStringW(&c, 1);
    }
    if (vKey >= VK_NUMPAD0 && vKey <= VK_NUMPAD9)
        return Numbered(L"Num %d", vKey - VK_NUMPAD0);
    if (vKey >= VK_F1 && vKey <= VK_F12)
        return Numbered(L"F%d", vKey - VK_F1 + 1);
    // The punctuation keys type different characters on different layouts;
    // a key is named only by the character the parser reads back as it.
    const UINT typed = ::MapVirtualKeyA(vKey, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    for (const NamedKey& k : kPunctuation) {
        if (k.vKey == vKey && typed == static_cast<UINT>(k.name[0]))
            return SStringW(k.name);
    }
    return SStringW();
}

SStringW CAccelerator::FormatHotkey(DWORD packed)
{
    if (packed == 0)
        return SStringW(L"\u65E0");
    const CAccelerator acc(packed);
    SStringW text;
    if (acc.m_modifier & Mod_Ctrl)
        text += L"Ctrl+";
    if (acc.m_modifier & Mod_Shift)
        text += L"Shift+";
    if (acc.m_modifier & Mod_Alt)
        text += L"Alt+";
    text += GetKeyName(acc.m_key);
    return text;
}

// "num +" keeps its '+': it is the key, not a separator. Empty parts (a
// text of modifiers still being typed, "ctrl+") add nothing.
DWORD CAccelerator::ParseHotkeyText(const SStringW& text)
{
    if (text.GetLength() > kMaxHotkeyText) {
        DUI_LOG_WARNING(__FILE__, __func__, L"hot-key text longer than %d characters", kMaxHotkeyText);
        return 0;
    }
    SStringW lower = text;
    lower.MakeLower();
    const int len = lower.GetLength();
    WORD modifiers = 0;
    for (int start = 0; start <= len;) {
        int end = lower.Find(L'+', start);
        if (end < 0)
            end = len;
        SStringW part = lower.Mid(start, end - start);
        if (part == L"num " && end < len) {
            part += L'+';
            ++end;
        }
        start = end + 1;
        if (part.IsEmpty())
            continue;
        if (const WORD modifier = ModifierOf(part)) {
            modifiers |= modifier;
            continue;
        }
        const WORD key = TranslateKey(part);
        if (key == 0) {
            DUI_LOG_WARNING(__FILE__, __func__, L"unknown key [%s] in hot-key text [%s]", part.c_str(), text.c_str());
            return 0;
        }
        return (static_cast<DWORD>(modifiers) << 16) | key;
    }
    return static_cast<DWORD>(modifiers) << 16;
}

WORD CAccelerator::TranslateKey(const SStringW& word)
{
    for (const NamedKey& k : kKeyWords) {
        if (word == k.name)
            return k.vKey;
    }
    if (word.GetLength() == 1)
        return TranslateCharacter(word[0]);
    if (word.GetLength() >= 2 && word[0] == L'f') {
        const int n = SmallNumber(word.Mid(1, word.GetLength() - 1));
        return (n >= 1 && n <= 24) ? static_cast<WORD>(VK_F1 + n - 1) : 0;
    }
    if (word.Left(4) == L"num ")
        return TranslateNumPadKey(word.Mid(4, word.GetLength() - 4));
    return 0;
}

} // namespace DUI
