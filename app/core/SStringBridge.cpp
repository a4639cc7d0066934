#include "app/core/SStringBridge.h"

std::wstring ToStdString(const DUI::SStringW& text)
{
    return std::wstring(static_cast<const wchar_t*>(text), static_cast<size_t>(text.GetLength()));
}

DUI::SStringW ToSString(const std::wstring& text)
{
    return DUI::SStringW(text.c_str(), static_cast<int>(text.size()));
}
