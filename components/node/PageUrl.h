#pragma once
// Addresses of links, images and forms, resolved against the page's own.
#include <string>
#include <utility>
#include <vector>

namespace node {

// `ref` made absolute against `base` (http, https or file); dot segments removed.
std::string ResolveUrl(const std::string& base, const std::string& ref);

// application/x-www-form-urlencoded text of name/value pairs (UTF-8).
std::string FormEncode(const std::vector<std::pair<std::string, std::string>>& fields);

} // namespace node
