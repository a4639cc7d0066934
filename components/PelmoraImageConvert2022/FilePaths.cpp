#include "components/PelmoraImageConvert2022/FilePaths.h"

#include <winsock2.h>
#include <windows.h>

namespace pelmora {

namespace {

std::wstring WideFromUtf8(const char* text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring wide(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
    return wide;
}

bool IsDriveAbsolute(const std::wstring& p)
{
    return p.size() >= 3 && p[1] == L':' && (p[2] == L'\\' || p[2] == L'/');
}

}  // namespace

std::wstring WidePath(const char* utf8Path)
{
    if (!utf8Path) return {};
    std::wstring path = WideFromUtf8(utf8Path);
    // Names of 260 characters and more open only through the extended form,
    // which takes neither forward slashes nor relative parts.
    if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\", 0) == 0) return path;
    if (IsDriveAbsolute(path)) {
        DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
        std::wstring full(n, L'\0');
        n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
        full.resize(n);
        return L"\\\\?\\" + full;
    }
    return path;
}

std::string Utf8FromWide(const std::wstring& text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace pelmora
