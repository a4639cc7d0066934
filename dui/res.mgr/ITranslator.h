#pragma once
// The translator component (translator.dll): texts by (context, source text)
// and font replacements by font key, from the installed languages.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"

namespace DUI {

// One language: texts grouped by context, and fonts by key.
struct ILang : IObjRef
{
    virtual void SetName(LPCWSTR name) = 0;
    virtual int GetName(wchar_t* buf, int size) const = 0;
    virtual void AddText(LPCWSTR context, LPCWSTR source, LPCWSTR translation) = 0;
    virtual void AddFont(LPCWSTR key, LPCWSTR face, int height) = 0;
};

struct ITranslatorMgr : IObjRef
{
    // The language whose texts Translate answers; others stay installed.
    virtual void SetLanguage(LPCWSTR name) = 0;
    // Writes the current language's name (empty when none) and returns its length.
    virtual int GetLanguage(wchar_t* buf, int size) const = 0;
    virtual BOOL CreateLang(ILang** out) = 0;
    virtual BOOL InstallLang(ILang* lang) = 0;
    virtual BOOL UninstallLang(LPCWSTR name) = 0;
    // Characters the translation needs, terminator included, 0 when there is
    // none; writes it when `buf` holds that many.
    virtual int Translate(LPCWSTR text, LPCWSTR context, wchar_t* buf, int size) = 0;
    virtual BOOL TranslateFont(LPCWSTR key, LOGFONTW* font) = 0;
};

} // namespace DUI
