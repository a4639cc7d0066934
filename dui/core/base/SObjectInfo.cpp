#include "dui/core/base/SObjectInfo.h"

#include <cwchar>

namespace DUI {

SObjectInfo::SObjectInfo(LPCWSTR name, int kind) : SObjectInfo(SStringW(name), kind) {}

SObjectInfo::SObjectInfo(const SStringW& name, int kind) : m_name(name), m_kind(kind)
{
    m_name.MakeLower();
}

bool SObjectInfo::operator==(const SObjectInfo& other) const
{
    return m_kind == other.m_kind && std::wcscmp(m_name, other.m_name) == 0;
}

UINT SObjectInfo::GetHash() const
{
    UINT h = 0;
    for (LPCWSTR p = m_name; *p; ++p)
        h = h * 33 + static_cast<WCHAR>(*p);
    return h * 32 + static_cast<UINT>(m_kind);
}

} // namespace DUI
