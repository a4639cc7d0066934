#include "app/core/TextEncoding.h"

#include <vector>

#include <winsock2.h>
#include <windows.h>

namespace {

// Both inputs are taken up to their first NUL (length -1), so the platform
// reports lengths that include the terminator.
bool NarrowToWide(UINT codePage, const std::string& in, std::wstring& out)
{
    int needed = MultiByteToWideChar(codePage, 0, in.c_str(), -1, nullptr, 0);
    if (needed <= 0)
        return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(needed));
    if (MultiByteToWideChar(codePage, 0, in.c_str(), -1, buffer.data(), needed) != needed)
        return false;
    out.assign(buffer.data());
    return true;
}

bool WideToNarrow(UINT codePage, const std::wstring& in, std::string& out)
{
    int needed = WideCharToMultiByte(codePage, 0, in.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(needed));
    if (WideCharToMultiByte(codePage, 0, in.c_str(), -1, buffer.data(), needed, nullptr, nullptr) != needed)
        return false;
    out.assign(buffer.data());
    return true;
}

} // namespace

bool Utf8ToWide(const std::string& in, std::wstring& out) { return NarrowToWide(CP_UTF8, in, out); }
bool AnsiToWide(const std::string& in, std::wstring& out) { return NarrowToWide(CP_ACP, in, out); }
bool WideToUtf8(const std::wstring& in, std::string& out) { return WideToNarrow(CP_UTF8, in, out); }
bool WideToOem(const std::wstring& in, std::string& out) { return WideToNarrow(CP_OEMCP, in, out); }

std::string AnsiToUtf8(const std::string& in)
{
    std::wstring wide;
    std::string out;
    if (!AnsiToWide(in, wide) || !WideToUtf8(wide, out))
        return {};
    return out;
}

std::string Utf8ToOem(const std::string& in)
{
    std::wstring wide;
    std::string out;
    if (!Utf8ToWide(in, wide) || !WideToOem(wide, out))
        return {};
    return out;
}

std::string WideToOemString(const std::wstring& in)
{
    std::string out;
    if (!WideToOem(in, out))
        return {};
    return out;
}

std::string ToUtf8(const std::wstring& in)
{
    std::string out;
    return WideToUtf8(in, out) ? out : std::string();
}

std::wstring FromUtf8(const std::string& in)
{
    std::wstring out;
    return Utf8ToWide(in, out) ? out : std::wstring();
}

std::wstring ExceptionTextW(const std::exception& e)
{
    std::wstring out;
    return AnsiToWide(e.what(), out) ? out : std::wstring();
}
