#pragma once
// Command lines of slash-prefixed name=value pairs (/name="a value"): parsed
// into a map and built back from one.
#include <map>
#include <string>

#include "app/core/CRegEx.h"
#include "app/core/CUniteBase.h"

class CCmdLineParse : public CUniteBase {
public:
    // Names are lower-cased; values are kept as written, quotes included.
    // False, with an error text, when the text holds no /name= pair.
    bool Parse(const std::wstring& commandLine);
    // Stores or replaces one pair; the name is kept as given.
    void Set(const std::wstring& name, const std::wstring& value);
    // Pairs in name order as name="value", one blank between pairs.
    void ToString(std::wstring& out) const;

    const std::map<std::wstring, std::wstring>& Params() const { return m_params; }

private:
    std::map<std::wstring, std::wstring> m_params;
    CRegExW m_regex;
};
