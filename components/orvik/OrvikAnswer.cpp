#include "components/orvik/OrvikAnswer.h"

#include <memory>

#include <json/json.h>

#include "app/core/TextEncoding.h"

namespace {

bool ParseObject(const std::string& body, Json::Value& root, std::wstring& error)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    if (!reader->parse(body.data(), body.data() + body.size(), &root, &errors)) {
        error = L"the service's answer is not JSON: " + FromUtf8(errors);
        return false;
    }
    if (!root.isObject()) {
        error = L"the service's answer is not a JSON object";
        return false;
    }
    return true;
}

// Texts may come as JSON strings or numbers ("206" or 206).
std::optional<std::wstring> TextMember(const Json::Value& object, const char* name)
{
    const Json::Value& v = object[name];
    if (v.isString()) return FromUtf8(v.asString());
    if (v.isIntegral()) return std::to_wstring(v.asLargestInt());
    return std::nullopt;
}

std::optional<bool> BoolMember(const Json::Value& object, const char* name)
{
    const Json::Value& v = object[name];
    if (v.isBool()) return v.asBool();
    if (v.isIntegral()) return v.asLargestInt() != 0;
    return std::nullopt;
}

OrvikUser ReadUser(const Json::Value& object)
{
    OrvikUser user;
    user.id = TextMember(object, "id").value_or(L"");
    user.name = TextMember(object, "name").value_or(L"");
    user.kind = TextMember(object, "kind").value_or(L"");
    user.loggedIn = BoolMember(object, "logged_in").value_or(false);
    user.overDeviceLimit = BoolMember(object, "over_device_limit").value_or(false);
    return user;
}

} // namespace

bool ParseClientAnswer(const std::string& body, OrvikAnswer& out, std::wstring& error)
{
    Json::Value root;
    if (!ParseObject(body, root, error)) return false;
    out = OrvikAnswer();
    out.latestVersion = TextMember(root, "latest_version");
    out.channel = TextMember(root, "channel");
    if (root["startup"].isIntegral()) out.startup = root["startup"].asInt();
    out.adverts = BoolMember(root, "adverts");
    out.accounts = BoolMember(root, "accounts");
    const Json::Value& config = root["config"];
    if (config.isObject()) {
        for (const std::string& name : config.getMemberNames()) {
            if (auto value = TextMember(config, name.c_str())) out.config[FromUtf8(name)] = *value;
        }
    }
    if (root["user"].isObject()) out.user = ReadUser(root["user"]);
    return true;
}

bool ParseUserAnswer(const std::string& body, OrvikUser& out, std::wstring& error)
{
    Json::Value root;
    if (!ParseObject(body, root, error)) return false;
    if (!root["user"].isObject()) {
        error = L"the service's user answer has no user";
        return false;
    }
    out = ReadUser(root["user"]);
    return true;
}
