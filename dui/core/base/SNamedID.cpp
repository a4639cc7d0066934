#include "dui/core/base/SNamedID.h"

#include <cstdlib>
#include <cwchar>

namespace DUI {

namespace {

int CompareRecords(const void* a, const void* b)
{
    return wcscmp(static_cast<const NamedIdRecord*>(a)->strName, static_cast<const NamedIdRecord*>(b)->strName);
}

// Copies a name of at most kMaxName characters; false when it is longer.
bool CopyName(wchar_t (&key)[52], const wchar_t* name)
{
    size_t len = wcsnlen(name, SNamedID::kMaxName + 1);
    if (len > static_cast<size_t>(SNamedID::kMaxName))
        return false;
    wmemcpy(key, name, len);
    wmemset(key + len, 0, 52 - len);
    return true;
}

} // namespace

BOOL SNamedID::Init(xmldom::xml_node element)
{
    if (!element)
        return FALSE;
    for (xmldom::xml_node child : element.children()) {
        if (child.type() != xmldom::node_element)
            continue;
        NamedIdRecord record;
        if (!CopyName(record.strName, child.name()))
            continue; // too long to be looked up ever
        record.nValue = _wtoi(child.attribute(L"value", false).value());
        m_records.Add(record);
    }
    Sort();
    return TRUE;
}

void SNamedID::Init(const NamedIdRecord* records, int count, BOOL sorted)
{
    m_records.RemoveAll();
    if (!records || count <= 0 || !m_records.SetCount(static_cast<size_t>(count)))
        return;
    for (int i = 0; i < count; ++i)
        m_records[i] = records[i];
    if (!sorted)
        Sort();
}

int SNamedID::Get(const wchar_t* name) const
{
    NamedIdRecord key;
    if (!name || m_records.IsEmpty() || !CopyName(key.strName, name))
        return 0;
    const void* found = bsearch(&key, m_records.GetData(), m_records.GetCount(), sizeof(NamedIdRecord), CompareRecords);
    return found ? static_cast<const NamedIdRecord*>(found)->nValue : 0;
}

void SNamedID::Sort()
{
    if (m_records.GetCount() > 1)
        qsort(m_records.GetData(), m_records.GetCount(), sizeof(NamedIdRecord), CompareRecords);
}

} // namespace DUI
