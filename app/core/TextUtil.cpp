// rand_s is only declared when this is defined before the C runtime headers.
#define _CRT_RAND_S
#include "app/core/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include <winsock2.h>
#include <windows.h>

std::wstring FormatWStringV(const wchar_t* format, va_list args)
{
    if (!format)
        return {};
    va_list counting;
    va_copy(counting, args);
    int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length < 0)
        return {};
    std::wstring out(static_cast<size_t>(length) + 1, L'\0');
    if (vswprintf_s(out.data(), out.size(), format, args) < 0)
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

std::wstring FormatWString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring out = FormatWStringV(format, args);
    va_end(args);
    return out;
}

std::wstring TimeText(const wchar_t* format)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t buffer[260] = {};
    if (_snwprintf_s(buffer, _countof(buffer), _TRUNCATE, format, int(now.wYear), int(now.wMonth),
                     int(now.wDay), int(now.wHour), int(now.wMinute), int(now.wSecond),
                     int(now.wMilliseconds)) < 0)
        return {};
    return buffer;
}

namespace {

void TrimChar(std::wstring& text, wchar_t ch)
{
    size_t first = text.find_first_not_of(ch);
    if (first == std::wstring::npos) {
        text.clear();
        return;
    }
    size_t last = text.find_last_not_of(ch);
    text = text.substr(first, last - first + 1);
}

unsigned RandomNumber()
{
    unsigned value = 0;
    if (rand_s(&value) != 0)
        value = GetTickCount() ^ static_cast<unsigned>(reinterpret_cast<uintptr_t>(&value));
    return value;
}

} // namespace

std::wstring TrimWhitespace(const std::wstring& text)
{
    std::wstring out = text;
    for (wchar_t ch : {L' ', L'\t', L'\r', L'\n'})
        TrimChar(out, ch);
    return out;
}

std::wstring RandomString(unsigned count)
{
    std::wstring out;
    out.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        unsigned kind = RandomNumber() % 3;
        unsigned pick = RandomNumber();
        if (kind == 0)
            out += wchar_t(L'A' + pick % 26);
        else if (kind == 1)
            out += wchar_t(L'a' + pick % 26);
        else
            out += wchar_t(L'0' + pick % 10);
    }
    return out;
}

std::wstring JoinStrings(const std::vector<std::wstring>& items, const std::wstring& separator)
{
    std::wstring out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += separator;
        out += items[i];
    }
    return out;
}
