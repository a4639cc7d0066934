#pragma once
// The translator an application starts with: it knows no language, so every
// text and font stays as it is.
#include "dui/res.mgr/ITranslator.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SNullTranslator : public TObjRefImpl<ITranslatorMgr>
{
public:
    void SetLanguage(LPCWSTR) override {}
    int GetLanguage(wchar_t* buf, int size) const override;
    BOOL CreateLang(ILang**) override { return FALSE; }
    BOOL InstallLang(ILang*) override { return FALSE; }
    BOOL UninstallLang(LPCWSTR) override { return FALSE; }
    int Translate(LPCWSTR, LPCWSTR, wchar_t*, int) override { return 0; }
    BOOL TranslateFont(LPCWSTR, LOGFONTW*) override { return FALSE; }
};

} // namespace DUI
