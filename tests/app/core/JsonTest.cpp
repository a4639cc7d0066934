#include <gtest/gtest.h>

#include "app/core/CJsonCppReader.h"
#include "app/core/CjJsonCpp.h"

namespace {

TEST(CjJsonCpp, EmptyBuilderIsNull)
{
    CjJsonCpp json;
    EXPECT_EQ(json.ToString(), "null");
    EXPECT_EQ(json.ToWideString(), L"null");
}

TEST(CjJsonCpp, CompactOutputOrderedByKey)
{
    struct Case { const char* name; CjJsonCpp json; std::string text; };
    CjJsonCpp strings;
    strings.Strings()[L"b"] = L"2";
    strings.Strings()[L"a"] = L"1";

    CjJsonCpp mixed;
    mixed.Strings()[L"z"] = L"last";
    mixed.StringArrays()[L"list"] = {L"x", L"y"};
    mixed.StringArrays()[L"none"] = {};
    mixed.Objects()[L"child"] = strings;
    mixed.Objects()[L"empty"] = CjJsonCpp();
    CjJsonCpp element;
    element.Strings()[L"k"] = L"v";
    mixed.ObjectArrays()[L"items"] = {element, element};
    mixed.ObjectArrays()[L"noItems"] = {};

    CjJsonCpp chinese;
    chinese.Strings()[L"名"] = L"转图片\"q\"";

    const Case cases[] = {
        {"strings", strings, R"({"a":"1","b":"2"})"},
        {"mixed", mixed,
         R"({"child":{"a":"1","b":"2"},"empty":null,"items":[{"k":"v"},{"k":"v"}],"list":["x","y"],"z":"last"})"},
        {"utf8 not escaped", chinese, "{\"\xE5\x90\x8D\":\"\xE8\xBD\xAC\xE5\x9B\xBE\xE7\x89\x87\\\"q\\\"\"}"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.json.ToString(), c.text);
    }
    EXPECT_EQ(chinese.ToWideString(), L"{\"名\":\"转图片\\\"q\\\"\"}");
}

TEST(CjJsonCpp, CopiesAreDeepAndIndependent)
{
    CjJsonCpp source;
    source.Strings()[L"a"] = L"1";
    source.Objects()[L"o"].Strings()[L"in"] = L"x";
    CjJsonCpp copy(source);
    EXPECT_EQ(copy.ToString(), source.ToString());
    copy.Objects()[L"o"].Strings()[L"in"] = L"changed";
    copy.Strings()[L"b"] = L"2";
    EXPECT_EQ(source.ToString(), R"({"a":"1","o":{"in":"x"}})");

    CjJsonCpp assigned;
    assigned.Strings()[L"old"] = L"gone";
    assigned = source;
    EXPECT_EQ(assigned.ToString(), source.ToString());
    assigned = assigned;
    EXPECT_EQ(assigned.ToString(), source.ToString());
}

TEST(CjJsonCpp, ClashingKeysGiveEmptyTextInsteadOfThrowing)
{
    CjJsonCpp json;
    json.Strings()[L"k"] = L"text";
    json.StringArrays()[L"k"] = {L"element"};
    EXPECT_EQ(json.ToString(), "");
}

// Statistics records replace ToString to fill their members first.
class Record : public CjJsonCpp {
public:
    std::string ToString() override
    {
        m_strings[L"event"] = L"start";
        return CjJsonCpp::ToString();
    }
};

TEST(CjJsonCpp, WideTextGoesThroughTheOverride)
{
    Record record;
    EXPECT_EQ(record.ToWideString(), L"{\"event\":\"start\"}");
}

TEST(CJsonCppReader, ParsesAndReportsErrors)
{
    CJsonCppReader reader;
    ASSERT_NE(reader.Reader(), nullptr);
    const std::string good = R"({"code":0,"msg":"好"})";
    Json::Value value;
    std::string errors;
    ASSERT_TRUE(reader.Reader()->parse(good.data(), good.data() + good.size(), &value, &errors));
    EXPECT_EQ(value["code"].asInt(), 0);
    EXPECT_EQ(value["msg"].asString(), "\xE5\xA5\xBD");
    const std::string bad = R"({"code":)";
    EXPECT_FALSE(reader.Reader()->parse(bad.data(), bad.data() + bad.size(), &value, &errors));
    EXPECT_FALSE(errors.empty());
    EXPECT_TRUE(reader.Close());
    EXPECT_EQ(reader.Reader(), nullptr);
}

} // namespace
