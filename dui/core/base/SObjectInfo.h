#pragma once
// Key of a registered class: its tag, lower-cased so that lookups by tag
// ignore case, and its kind. A kind of -1 marks the absence of a class.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/TStringT.h"

namespace DUI {

class SObjectInfo
{
public:
    SObjectInfo(LPCWSTR name = nullptr, int kind = -1);
    SObjectInfo(const SStringW& name, int kind);

    bool IsValid() const { return !m_name.IsEmpty(); }
    const SStringW& Name() const { return m_name; }
    int Kind() const { return m_kind; }

    bool operator==(const SObjectInfo& other) const;
    UINT GetHash() const;

private:
    SStringW m_name;
    int m_kind = -1;
};

} // namespace DUI
