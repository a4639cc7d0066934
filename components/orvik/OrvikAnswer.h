#pragma once
// The service's answers: the client answer fetched at start (latest version,
// configuration values, channel, switches, this machine's user) and the
// user answer fetched while a login is awaited. A member missing from an
// answer leaves the library's value as it was.
#include <map>
#include <optional>
#include <string>

struct OrvikUser {
    std::wstring id;
    std::wstring name;
    std::wstring kind;
    bool loggedIn = false;
    bool overDeviceLimit = false;

    bool operator==(const OrvikUser&) const = default;
};

struct OrvikAnswer {
    std::optional<std::wstring> latestVersion;
    std::optional<std::wstring> channel;
    std::optional<int> startup;
    std::optional<bool> adverts;
    std::optional<bool> accounts;
    std::map<std::wstring, std::wstring> config;
    std::optional<OrvikUser> user;
};

// False, with the reason, for a body that is no JSON object.
[[nodiscard]] bool ParseClientAnswer(const std::string& body, OrvikAnswer& out, std::wstring& error);
// The user answer is {"user": {...}}.
[[nodiscard]] bool ParseUserAnswer(const std::string& body, OrvikUser& out, std::wstring& error);
