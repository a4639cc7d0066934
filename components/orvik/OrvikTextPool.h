#pragma once
// Keeps the texts the library hands out, so a caller may read a returned
// pointer after the value it came from has changed: each distinct text stays
// until 256 other texts were handed out after it.
#include <list>
#include <map>
#include <mutex>
#include <string>

class OrvikTextPool {
public:
    const wchar_t* Keep(const std::wstring& text);

private:
    static constexpr size_t kKept = 256;

    std::mutex m_lock;
    std::list<std::wstring> m_texts;   // newest first
    std::map<std::wstring, std::list<std::wstring>::iterator> m_index;
};
