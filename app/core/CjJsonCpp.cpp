#include "app/core/CjJsonCpp.h"

#include <memory>
#include <sstream>
#include <stdexcept>

#include "app/core/TextEncoding.h"
#include "app/core/CallStatus.h"

namespace {

std::string Utf8Of(const std::wstring& text)
{
    std::string out;
    return WideToUtf8(text, out) ? out : std::string();
}

} // namespace

CjJsonCpp& CjJsonCpp::operator=(const CjJsonCpp& other)
{
    if (this == &other)
        return *this;
    m_objects = other.m_objects;
    m_strings = other.m_strings;
    m_stringArrays = other.m_stringArrays;
    m_objectArrays = other.m_objectArrays;
    return *this;
}

Json::Value CjJsonCpp::ToValue() const
{
    Json::Value value;
    for (const auto& [key, text] : m_strings)
        value[Utf8Of(key)] = Json::Value(Utf8Of(text));
    for (const auto& [key, items] : m_stringArrays) {
        for (const auto& item : items)
            value[Utf8Of(key)].append(Json::Value(Utf8Of(item)));
    }
    for (const auto& [key, child] : m_objects)
        value[Utf8Of(key)] = child.ToValue();
    for (const auto& [key, items] : m_objectArrays) {
        for (const auto& item : items)
            value[Utf8Of(key)].append(item.ToValue());
    }
    return value;
}

std::string CjJsonCpp::ToString()
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    std::ostringstream out;
    try {
        writer->write(ToValue(), &out);
    } catch (const std::exception&) {
        // jsoncpp refuses to append to a key that already holds a string.
        LogCaughtException(L"CjJsonCpp::ToString");
        return {};
    }
    return out.str();
}

std::wstring CjJsonCpp::ToWideString()
{
    std::wstring out;
    return Utf8ToWide(ToString(), out) ? out : std::wstring();
}
