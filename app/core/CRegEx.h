#pragma once
// Collects every match of a regular expression, with all its groups, over
// Boost.Regex. Library exceptions become the object's error text.
#include <string>
#include <vector>

#include <boost/regex.hpp>

#include "app/core/CUniteBase.h"

template <typename StringT, typename RegexT, typename MatchT>
class CRegEx : public CUniteBase {
public:
    using Rows = std::vector<std::vector<StringT>>;

    // One row per match: the whole match, then every group (empty when a
    // group took no part). False when nothing matched or the search failed.
    bool fetchAll(Rows& rows, const StringT& pattern, const StringT& text);

    // Stand in for an empty pattern or text argument.
    void SetDefaultText(const StringT& text) { m_defaultText = text; }
    void SetDefaultPattern(const StringT& pattern) { m_defaultPattern = pattern; }

private:
    void SearchAll(Rows& rows, const RegexT& expression, const StringT& text);

    StringT m_defaultText;
    StringT m_defaultPattern;
};

// Boost turns its Win32 traits off for GCC on Windows; the default traits
// compare the same way for the program's patterns.
using CRegExW = CRegEx<std::wstring, boost::wregex, boost::match_results<std::wstring::const_iterator>>;
// The matcher is slow to compile: it is instantiated once, in CRegEx.cpp.
extern template class CRegEx<std::wstring, boost::wregex, boost::match_results<std::wstring::const_iterator>>;
