#include "components/orvik/OrvikTextPool.h"

const wchar_t* OrvikTextPool::Keep(const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_index.find(text);
    if (found != m_index.end()) {
        m_texts.splice(m_texts.begin(), m_texts, found->second);
        return found->second->c_str();
    }
    m_texts.push_front(text);
    m_index[text] = m_texts.begin();
    if (m_texts.size() > kKept) {
        m_index.erase(m_texts.back());
        m_texts.pop_back();
    }
    return m_texts.front().c_str();
}
