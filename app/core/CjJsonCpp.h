#pragma once
// Builds a JSON object from wide-string members, string arrays, child objects
// and object arrays, and writes it as compact UTF-8 text.
#include <map>
#include <string>
#include <vector>

#include <json/json.h>

class CjJsonCpp {
public:
    CjJsonCpp() = default;
    CjJsonCpp(const CjJsonCpp&) = default;
    CjJsonCpp& operator=(const CjJsonCpp& other);
    virtual ~CjJsonCpp() = default;

    // Members come out ordered by the UTF-8 bytes of their keys. A key used in
    // two of the maps so that they clash gives an empty text.
    virtual std::string ToString();
    std::wstring ToWideString();
    Json::Value ToValue() const;

    // The members, filled by the caller before writing.
    std::map<std::wstring, CjJsonCpp>& Objects() { return m_objects; }
    std::map<std::wstring, std::wstring>& Strings() { return m_strings; }
    std::map<std::wstring, std::vector<std::wstring>>& StringArrays() { return m_stringArrays; }
    std::map<std::wstring, std::vector<CjJsonCpp>>& ObjectArrays() { return m_objectArrays; }

protected:
    std::map<std::wstring, CjJsonCpp> m_objects;
    std::map<std::wstring, std::wstring> m_strings;
    std::map<std::wstring, std::vector<std::wstring>> m_stringArrays;
    std::map<std::wstring, std::vector<CjJsonCpp>> m_objectArrays;
};
