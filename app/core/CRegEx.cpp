#include "app/core/CRegEx.h"

#include <boost/exception/exception.hpp>
#include <boost/smart_ptr/bad_weak_ptr.hpp>

#include "app/core/CallStatus.h"
#include "app/core/TextEncoding.h"

template <typename StringT, typename RegexT, typename MatchT>
bool CRegEx<StringT, RegexT, MatchT>::fetchAll(Rows& rows, const StringT& pattern, const StringT& text)
{
    if ((pattern.empty() && m_defaultPattern.empty()) || (text.empty() && m_defaultText.empty()))
        return false;
    const StringT& usedPattern = pattern.empty() ? m_defaultPattern : pattern;
    const StringT& usedText = text.empty() ? m_defaultText : text;
    rows.clear();
    try {
        RegexT expression(usedPattern);
        SearchAll(rows, expression, usedText);
    } catch (const boost::bad_expression& e) {
        LogCaughtException(L"CRegEx");
        SetErrorTextF(L"fetch boost::bad_expression %s", ExceptionTextW(e).c_str());
        return false;
    } catch (const boost::bad_weak_ptr& e) {
        LogCaughtException(L"CRegEx");
        SetErrorTextF(L"fetch boost::bad_weak_ptr %s", ExceptionTextW(e).c_str());
        return false;
    } catch (const boost::exception&) {
        LogCaughtException(L"CRegEx");
        SetErrorTextF(L"boost::exception %s", FromUtf8(__PRETTY_FUNCTION__).c_str());
        return false;
    } catch (const std::exception& e) {
        // Out of memory and the like: nothing may leave this wrapper.
        LogCaughtException(L"CRegEx");
        SetErrorTextF(L"fetch std::exception %s", ExceptionTextW(e).c_str());
        return false;
    }
    return !rows.empty();
}

template <typename StringT, typename RegexT, typename MatchT>
void CRegEx<StringT, RegexT, MatchT>::SearchAll(Rows& rows, const RegexT& expression, const StringT& text)
{
    auto from = text.begin();
    MatchT match;
    while (boost::regex_search(from, text.end(), match, expression)) {
        std::vector<StringT> row;
        for (size_t i = 0; i < match.size(); ++i)
            row.push_back(match[i].matched ? StringT(match[i].first, match[i].second) : StringT());
        rows.push_back(std::move(row));
        auto next = match[0].second;
        // An empty match would find itself again forever.
        if (next == from && match[0].first == match[0].second) {
            if (next == text.end())
                break;
            ++next;
        }
        from = next;
    }
}

template class CRegEx<std::wstring, boost::wregex, boost::match_results<std::wstring::const_iterator>>;
