#include "app/core/CCmdLineParse.h"

#include <cwctype>

namespace {

// A name starts with a slash; blanks may stand before "=" but not after it; a
// quoted value is the shortest text between two quotes.
const wchar_t kPairPattern[] = LR"re((/\S+)\s*=(".+?"|\S*))re";

std::wstring Lowered(std::wstring text)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring WithoutOuterQuotes(const std::wstring& value)
{
    size_t first = value.find_first_not_of(L'"');
    if (first == std::wstring::npos)
        return {};
    size_t last = value.find_last_not_of(L'"');
    return value.substr(first, last - first + 1);
}

} // namespace

bool CCmdLineParse::Parse(const std::wstring& commandLine)
{
    m_params.clear();
    CRegExW::Rows rows;
    if (!m_regex.fetchAll(rows, kPairPattern, commandLine)) {
        SetErrorTextF(L"Err:无法解析命令行参数\r\n%s", commandLine.c_str());
        return false;
    }
    for (const auto& row : rows) {
        if (row.size() >= 3)
            m_params[Lowered(row[1])] = row[2];
    }
    return true;
}

void CCmdLineParse::Set(const std::wstring& name, const std::wstring& value)
{
    m_params[name] = value;
}

void CCmdLineParse::ToString(std::wstring& out) const
{
    std::wstring text;
    for (const auto& [name, value] : m_params) {
        if (!text.empty())
            text += L' ';
        text += name + L"=\"" + WithoutOuterQuotes(value) + L"\"";
    }
    out = text;
}
