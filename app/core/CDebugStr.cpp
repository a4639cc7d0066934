#include "app/core/CDebugStr.h"

#include <winsock2.h>
#include <windows.h>

#include "app/core/TextUtil.h"

std::wstring CDebugStr::FormatLine(const std::wstring& stamp, int type, const wchar_t* text)
{
    return stamp + L" " + FormatWString(L"Type:%d,%s", type, text ? text : L"");
}

void CDebugStr::WriteDebugLog(int type, const wchar_t* text)
{
    WriteLine(FormatLine(TimeText(StampFormat()), type, text).c_str());
}

void CDebugStr::WriteLine(const wchar_t* text)
{
    OutputDebugStringW(text);
}
