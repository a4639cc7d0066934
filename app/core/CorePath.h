#pragma once
// Path basics of the core: separators, trailing backslashes and the program's own path.
#include <string>

// Every '/' becomes '\', in place.
void ToBackslashes(std::wstring& path);

// The path without trailing backslashes; a drive root (C:\) keeps its own.
std::wstring WithoutTrailingBackslash(std::wstring path);

// Full path of the program file; false, with `path` untouched, on failure.
[[nodiscard]] bool GetModulePath(std::wstring& path);
// The program file's folder without a trailing backslash; empty on failure.
std::wstring GetModuleFolder();
