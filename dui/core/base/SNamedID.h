#pragma once
// Window names to numeric ids: a table kept sorted by name (wcscmp order),
// so that a window declared with a name only gets the id the code expects.
// The application's table is reachable through the class while it lives.
#include "dui/core/base/SDynArray.h"
#include "dui/core/base/SSingleton2.h"
#include "xml/xmldom.h"

#include <winsock2.h>
#include <windows.h>

namespace DUI {

// One record of the table; the program's table is a plain array of these.
struct NamedIdRecord
{
    wchar_t strName[52];
    int nValue;
};
static_assert(sizeof(NamedIdRecord) == 108, "records follow each other without gaps");

class SNamedID : public SSingleton2<SNamedID>
{
public:
    // Names are looked up and loaded with at most this many characters.
    static const int kMaxName = 49;

    SNamedID() = default;
    SNamedID(const SNamedID&) = delete;
    SNamedID& operator=(const SNamedID&) = delete;
    ~SNamedID() override = default;

    // Adds one record per child element (tag = name, "value" = id) and sorts.
    virtual BOOL Init(xmldom::xml_node element);
    // Replaces the table by a copy of the records; sorted TRUE trusts their order.
    void Init(const NamedIdRecord* records, int count, BOOL sorted);

    // The id of the name, or 0 when it is not in the table.
    int Get(const wchar_t* name) const;
    size_t GetCount() const { return m_records.GetCount(); }
    const NamedIdRecord& GetAt(size_t i) const { return m_records[i]; }

private:
    void Sort();

    SDynArray<NamedIdRecord> m_records;
};

} // namespace DUI
