#pragma once
// One language of the translator: texts by (context, source) and font
// replacements by font key.
#include <map>
#include <string>
#include <utility>
#include "dui/res.mgr/ITranslator.h"
#include "dui/core/base/TObjRefImpl.h"

namespace vtranslator {

class TranslatorLang : public DUI::TObjRefImpl<DUI::ILang>
{
public:
    struct Font
    {
        std::wstring face;
        int height = 0;
    };

    void SetName(LPCWSTR name) override { m_name = name ? name : L""; }
    int GetName(wchar_t* buf, int size) const override;
    void AddText(LPCWSTR context, LPCWSTR source, LPCWSTR translation) override;
    void AddFont(LPCWSTR key, LPCWSTR face, int height) override;

    const std::wstring& Name() const { return m_name; }
    // The translation of `source` in `context`, else in the empty context; null when none.
    const std::wstring* FindText(LPCWSTR context, LPCWSTR source) const;
    const Font* FindFont(LPCWSTR key) const;

private:
    std::wstring m_name;
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> m_texts;
    std::map<std::wstring, Font> m_fonts;
};

// Copies `text` into `buf` when it fits with its terminator; returns the
// characters needed, terminator included.
int CopyOut(const std::wstring& text, wchar_t* buf, int size);

} // namespace vtranslator
