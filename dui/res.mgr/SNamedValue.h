#pragma once
// Named values of a UI definition ("@color/name", "@string/name"): sorted
// tables filled from a section's children (<name value="..."/>) and the
// parsers of their value texts. Lookups are exact (case-sensitive).
#include <winsock2.h>
#include <windows.h>
#include <algorithm>
#include <cwchar>
#include <vector>
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/TStringT.h"
#include "xml/xmldom.h"

namespace DUI {

constexpr COLORREF kColorUnset = 0x00FFFFFF;

// "#rrggbb", "#rrggbbaa", "rgb(r,g,b)" or "rgba(r,g,b,a)" in any case.
bool ParseColor(LPCWSTR text, COLORREF& out);

struct SColorParser
{
    using Value = COLORREF;
    static constexpr const wchar_t* kPrefix = L"@color/";
    static bool Parse(LPCWSTR text, Value& out) { return ParseColor(text, out); }
    static Value Missing() { return kColorUnset; }
};

struct SStringParser
{
    using Value = SStringW;
    static constexpr const wchar_t* kPrefix = L"@string/";
    static bool Parse(LPCWSTR text, Value& out) { out = text; return true; }
    static Value Missing() { return SStringW(); }
};

// Every text parses as a size (its leading number, 0 when there is none), in
// the unit its ending names or the default unit current when it is read.
struct SDimensionParser
{
    using Value = SLayoutSize;
    static constexpr const wchar_t* kPrefix = L"@dim/";
    static bool Parse(LPCWSTR text, Value& out);
    static Value Missing() { return SLayoutSize(); }
};

template <class Parser>
class SNamedValue
{
public:
    using Value = typename Parser::Value;
    static constexpr size_t kMaxName = 49;

    virtual ~SNamedValue() = default;

    // Appends the children of `section` whose value parses; names longer
    // than the record holds are left out. Earlier entries stay.
    virtual BOOL Init(xmldom::xml_node section)
    {
        if (!section) return FALSE;
        for (xmldom::xml_node child = section.first_child(); child; child = child.next_sibling()) {
            if (child.type() != xmldom::node_element || wcslen(child.name()) > kMaxName) continue;
            Value v;
            if (Parser::Parse(child.attribute(L"value").value(), v)) m_items.push_back({child.name(), v});
        }
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const Item& a, const Item& b) { return wcscmp(a.name.c_str(), b.name.c_str()) < 0; });
        return TRUE;
    }

    bool Find(LPCWSTR name, Value& out) const
    {
        const auto it = std::lower_bound(m_items.begin(), m_items.end(), name,
                                         [](const Item& a, LPCWSTR n) { return wcscmp(a.name.c_str(), n) < 0; });
        if (it == m_items.end() || wcscmp(it->name.c_str(), name) != 0) return false;
        out = it->value;
        return true;
    }

    size_t GetCount() const { return m_items.size(); }

protected:
    // The value named after `prefix`; not found: the parser's missing value.
    Value Lookup(LPCWSTR text) const
    {
        Value v;
        return Find(text + wcslen(Parser::kPrefix), v) ? v : Parser::Missing();
    }
    static bool HasPrefix(LPCWSTR text) { return wcsncmp(text, Parser::kPrefix, wcslen(Parser::kPrefix)) == 0; }

private:
    struct Item
    {
        SStringW name;
        Value value;
    };
    std::vector<Item> m_items;
};

class SNamedColor : public SNamedValue<SColorParser>
{
public:
    COLORREF Get(LPCWSTR text) const;
};

class SNamedString : public SNamedValue<SStringParser>
{
public:
    SStringW Get(LPCWSTR text) const;
};

class SNamedDimension : public SNamedValue<SDimensionParser>
{
public:
    SLayoutSize Get(LPCWSTR text) const;
};

} // namespace DUI
