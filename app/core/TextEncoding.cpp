#include "app/core/TextEncoding.h"

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SCodePage.h"

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

namespace {

// From one narrow code page to another through UTF-16; empty on failure.
std::string Recode(UINT from, UINT to, const std::string& in)
{
    std::wstring wide;
    std::string out;
    return NarrowToWide(from, in, wide) && WideToNarrow(to, wide, out) ? out : std::string();
}

} // namespace

std::string AnsiToUtf8(const std::string& in) { return Recode(CP_ACP, CP_UTF8, in); }
std::string Utf8ToOem(const std::string& in) { return Recode(CP_UTF8, CP_OEMCP, in); }

std::string WideToOemString(const std::wstring& in)
{
    std::string out;
    return WideToOem(in, out) ? out : std::string();
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
