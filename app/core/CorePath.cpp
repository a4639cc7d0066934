#include "app/core/CorePath.h"

#include <algorithm>

#include <winsock2.h>
#include <windows.h>

void ToBackslashes(std::wstring& path)
{
    std::replace(path.begin(), path.end(), L'/', L'\\');
}

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':')
        path.pop_back();
    return path;
}

std::wstring WithoutOneTrailingBackslash(std::wstring path)
{
    if (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring WithTrailingBackslash(std::wstring path)
{
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/'))
        path += L'\\';
    return path;
}

bool GetModulePath(std::wstring& path)
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0)
        return false;
    path.assign(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
    return true;
}

std::wstring GetModuleFolder()
{
    std::wstring path;
    if (!GetModulePath(path))
        return {};
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
