#include "components/translator/TranslatorLang.h"

#include <cwchar>

namespace vtranslator {

namespace {

std::wstring Text(LPCWSTR s)
{
    return s ? s : L"";
}

} // namespace

int CopyOut(const std::wstring& text, wchar_t* buf, int size)
{
    const int need = static_cast<int>(text.size()) + 1;
    if (buf && size >= need) wmemcpy(buf, text.c_str(), need);
    return need;
}

int TranslatorLang::GetName(wchar_t* buf, int size) const
{
    if (buf && size > 0) {
        const int n = static_cast<int>(m_name.size()) < size ? static_cast<int>(m_name.size()) : size - 1;
        wmemcpy(buf, m_name.c_str(), n);
        buf[n] = 0;
    }
    return static_cast<int>(m_name.size());
}

void TranslatorLang::AddText(LPCWSTR context, LPCWSTR source, LPCWSTR translation)
{
    if (!source || !*source) return;
    m_texts[{Text(context), source}] = Text(translation);
}

void TranslatorLang::AddFont(LPCWSTR key, LPCWSTR face, int height)
{
    if (!key) return;
    m_fonts[key] = {Text(face), height};
}

const std::wstring* TranslatorLang::FindText(LPCWSTR context, LPCWSTR source) const
{
    if (!source) return nullptr;
    auto it = m_texts.find({Text(context), source});
    if (it == m_texts.end()) it = m_texts.find({L"", source});
    return it == m_texts.end() ? nullptr : &it->second;
}

const TranslatorLang::Font* TranslatorLang::FindFont(LPCWSTR key) const
{
    if (!key) return nullptr;
    auto it = m_fonts.find(key);
    return it == m_fonts.end() ? nullptr : &it->second;
}

} // namespace vtranslator
