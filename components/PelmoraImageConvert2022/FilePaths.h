#pragma once
// UTF-8 paths from the callers turned into the wide paths Windows opens,
// past MAX_PATH when they are long.
#include <string>

namespace pelmora {

std::wstring WidePath(const char* utf8Path);
std::string Utf8FromWide(const std::wstring& text);

}  // namespace pelmora
