#include "app/core/FileNames.h"

#include <iterator>

#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "app/core/TextUtil.h"
#include "dui/core/base/SFileSize.h"

uint64_t GetFileSize64(const DUI::SStringW& path)
{
    return DUI::FindFileSize(path);
}

DUI::SStringW GetFileTitleS(const DUI::SStringW& path) { return ToSString(GetFileBaseName(ToStdString(path))); }
DUI::SStringW GetFileExtS(const DUI::SStringW& path) { return ToSString(GetFileExtension(ToStdString(path))); }

std::wstring GetFileExtension(const std::wstring& path)
{
    const wchar_t* ext = PathFindExtensionW(path.c_str());
    return *ext == L'.' ? std::wstring(ext + 1) : std::wstring();
}

std::wstring GetFileBaseName(const std::wstring& path)
{
    const wchar_t* name = PathFindFileNameW(path.c_str());
    const wchar_t* ext = PathFindExtensionW(name);
    return std::wstring(name, ext);
}

std::wstring GetParentFolder(const std::wstring& path)
{
    const wchar_t* name = PathFindFileNameW(path.c_str());
    return path.substr(0, static_cast<size_t>(name - path.c_str()));
}

FileSizeParts SplitFileSize(uint64_t bytes)
{
    static const wchar_t* const kUnits[] = {L"B", L"KB", L"MB", L"GB"};
    FileSizeParts parts{bytes, 0, kUnits[0]};
    size_t unit = 0;
    // The unit table ends at GB: larger sizes stay counted in GB.
    while (parts.whole >= 1024 && unit + 1 < std::size(kUnits)) {
        parts.rest = static_cast<unsigned>(parts.whole % 1024);
        parts.whole /= 1024;
        ++unit;
    }
    parts.unit = kUnits[unit];
    return parts;
}

DUI::SStringW FormatFileSize(uint64_t bytes)
{
    const FileSizeParts parts = SplitFileSize(bytes);
    int digit = static_cast<int>(parts.rest / 102);
    if (digit == 10)
        digit = 9;
    return ToSString(FormatWString(L"%lld.%d %s", static_cast<long long>(parts.whole), digit, parts.unit));
}
