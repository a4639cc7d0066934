#include "app/core/ProgramNamedIds.h"
#include "dui/core/base/SNamedID.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

using DUI::NamedIdRecord;
using DUI::SNamedID;

namespace {

SNamedID& ProgramTable()
{
    static SNamedID table;
    if (table.GetCount() == 0) {
        int count = 0;
        const NamedIdRecord* records = GetProgramNamedIds(&count);
        table.Init(records, count, TRUE);
    }
    return table;
}

} // namespace

TEST(SNamedID, ProgramTableLookups)
{
    const wchar_t* nullName = nullptr;
    const std::wstring tooLong(50, L'a');
    struct Case { const char* name; const wchar_t* key; int id; };
    const Case cases[] = {
        {"btn_close", L"btn_close", 8},
        {"module page", L"moudle_pdf2image", 109},
        {"case differs", L"BTN_CLOSE", 0},
        {"empty", L"", 0},
        {"null", nullName, 0},
        {"first record", L"_name_start", 65535},
        {"btn_ok", L"btn_ok", 1},
        {"btn_back", L"btn_back", 1000},
        {"img_header", L"img_header", 65821},
        {"shared id 1", L"btn_cancel", 65558},
        {"shared id 2", L"imgLogo", 65558},
        {"last record", L"zipsize", 65687},
        {"unknown", L"btn_nothing", 0},
        {"prefix of a name", L"btn_clos", 0},
        {"50 characters", tooLong.c_str(), 0},
    };
    SNamedID& table = ProgramTable();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table.Get(c.key), c.id);
    }
}

TEST(SNamedID, ProgramTableIsSortedAndComplete)
{
    int count = 0;
    const NamedIdRecord* records = GetProgramNamedIds(&count);
    ASSERT_EQ(count, 280);
    std::set<int> ids;
    int shared = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            EXPECT_LT(wcscmp(records[i - 1].strName, records[i].strName), 0) << i;
        }
        EXPECT_EQ(ProgramTable().Get(records[i].strName), records[i].nValue);
        if (!ids.insert(records[i].nValue).second)
            ++shared;
    }
    EXPECT_EQ(shared, 1); // only "btn_cancel" and "imgLogo" share an id
}

TEST(SNamedID, UnsortedRecordsAreSortedOnRequest)
{
    int count = 0;
    const NamedIdRecord* records = GetProgramNamedIds(&count);
    std::vector<NamedIdRecord> reversed(records, records + count);
    std::reverse(reversed.begin(), reversed.end());

    SNamedID sortedHere;
    sortedHere.Init(reversed.data(), count, FALSE);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(sortedHere.Get(records[i].strName), records[i].nValue) << i;

    SNamedID trusted;
    trusted.Init(reversed.data(), count, TRUE);
    int missed = 0;
    for (int i = 0; i < count; ++i)
        if (trusted.Get(records[i].strName) != records[i].nValue)
            ++missed;
    EXPECT_GT(missed, 0);

    trusted.Init(nullptr, 0, TRUE); // replaces: the table is empty now
    EXPECT_EQ(trusted.GetCount(), 0u);
    EXPECT_EQ(trusted.Get(L"btn_ok"), 0);
}

TEST(SNamedID, InitFromAnElementAddsSortedRecords)
{
    xmldom::xml_document doc;
    const std::string xml = "<ids><zeta VALUE='5'/><alpha/><Beta value='12x'/>"
                            "<" + std::string(50, 'n') + " value='3'/></ids>";
    ASSERT_TRUE(doc.load_buffer(xml.data(), xml.size(), xmldom::parse_default, xmldom::encoding_utf8));

    SNamedID table;
    EXPECT_FALSE(table.Init(xmldom::xml_node()));
    NamedIdRecord existing = {L"middle", 7};
    table.Init(&existing, 1, TRUE);
    EXPECT_TRUE(table.Init(doc.child(L"ids")));
    ASSERT_EQ(table.GetCount(), 4u);
    const wchar_t* order[] = {L"Beta", L"alpha", L"middle", L"zeta"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_STREQ(table.GetAt(i).strName, order[i]);
    EXPECT_EQ(table.Get(L"zeta"), 5);
    EXPECT_EQ(table.Get(L"alpha"), 0);
    EXPECT_EQ(table.Get(L"Beta"), 12);
    EXPECT_EQ(table.Get(L"middle"), 7);
}
