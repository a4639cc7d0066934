#pragma once
// The translator component: installed languages, one of them current.
// Without a current language every text stays as it is.
#include <vector>
#include "components/translator/TranslatorLang.h"
#include "dui/core/base/SRefPtr.h"

namespace vtranslator {

class TranslatorMgr : public DUI::TObjRefImpl<DUI::ITranslatorMgr>
{
public:
    void SetLanguage(LPCWSTR name) override { m_current = name ? name : L""; }
    int GetLanguage(wchar_t* buf, int size) const override;
    BOOL CreateLang(DUI::ILang** out) override;
    BOOL InstallLang(DUI::ILang* lang) override;
    BOOL UninstallLang(LPCWSTR name) override;
    int Translate(LPCWSTR text, LPCWSTR context, wchar_t* buf, int size) override;
    BOOL TranslateFont(LPCWSTR key, LOGFONTW* font) override;

private:
    const TranslatorLang* Current() const;

    std::vector<DUI::SRefPtr<TranslatorLang>> m_langs;
    std::wstring m_current;
};

} // namespace vtranslator
