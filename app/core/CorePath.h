#pragma once
// Two path basics of the core: slash normalisation and the program's own path.
#include <string>

// Every '/' becomes '\', in place.
void ToBackslashes(std::wstring& path);

// Full path of the program file; false, with `path` untouched, on failure.
[[nodiscard]] bool GetModulePath(std::wstring& path);
