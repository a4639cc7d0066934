#include "components/translator/TranslatorMgr.h"

#include <algorithm>
#include <cwchar>
#include <new>

namespace vtranslator {

int TranslatorMgr::GetLanguage(wchar_t* buf, int size) const
{
    if (buf && size > 0) {
        const int n = std::min(static_cast<int>(m_current.size()), size - 1);
        wmemcpy(buf, m_current.c_str(), n);
        buf[n] = 0;
    }
    return static_cast<int>(m_current.size());
}

BOOL TranslatorMgr::CreateLang(DUI::ILang** out)
{
    if (!out) return FALSE;
    *out = new (std::nothrow) TranslatorLang();
    return *out != nullptr;
}

// A language replaces an installed one of the same name. Only languages this
// component created can be installed: their texts are read directly.
BOOL TranslatorMgr::InstallLang(DUI::ILang* lang)
{
    auto* own = dynamic_cast<TranslatorLang*>(lang);
    if (!own || own->Name().empty()) return FALSE;
    UninstallLang(own->Name().c_str());
    m_langs.push_back(DUI::SRefPtr<TranslatorLang>::Share(own));
    if (m_current.empty()) m_current = own->Name();
    return TRUE;
}

BOOL TranslatorMgr::UninstallLang(LPCWSTR name)
{
    if (!name) return FALSE;
    const auto it = std::find_if(m_langs.begin(), m_langs.end(), [&](const auto& l) { return l->Name() == name; });
    if (it == m_langs.end()) return FALSE;
    m_langs.erase(it);
    return TRUE;
}

const TranslatorLang* TranslatorMgr::Current() const
{
    for (const auto& lang : m_langs)
        if (lang->Name() == m_current) return lang.Get();
    return nullptr;
}

int TranslatorMgr::Translate(LPCWSTR text, LPCWSTR context, wchar_t* buf, int size)
{
    const TranslatorLang* lang = Current();
    const std::wstring* found = lang ? lang->FindText(context, text) : nullptr;
    return found ? CopyOut(*found, buf, size) : 0;
}

BOOL TranslatorMgr::TranslateFont(LPCWSTR key, LOGFONTW* font)
{
    const TranslatorLang* lang = Current();
    const TranslatorLang::Font* found = lang && font ? lang->FindFont(key) : nullptr;
    if (!found) return FALSE;
    if (!found->face.empty()) lstrcpynW(font->lfFaceName, found->face.c_str(), LF_FACESIZE);
    if (found->height != 0) font->lfHeight = found->height;
    return TRUE;
}

} // namespace vtranslator

// The component's one export: a new translator holding one reference.
extern "C" __declspec(dllexport) BOOL SCreateInstance(void** out)
{
    if (!out) return FALSE;
    *out = static_cast<DUI::ITranslatorMgr*>(new (std::nothrow) vtranslator::TranslatorMgr());
    return *out != nullptr;
}
