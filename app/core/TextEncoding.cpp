#include "app/core/TextEncoding.h"

#include <winsock2.h>
#include <windows.h>

#include "dui/core/SCodePage.h"

namespace {

// Both inputs are taken up to their first NUL, as the platform does for a
// length of -1.
bool NarrowToWide(UINT codePage, const std::string& in, std::wstring& out)
{
    return DUI::MultiToWide(codePage, in.c_str(), -1, out);
}

bool WideToNarrow(UINT codePage, const std::wstring& in, std::string& out)
{
    return DUI::WideToMulti(codePage, in.c_str(), -1, out);
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
