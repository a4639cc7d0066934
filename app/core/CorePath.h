#pragma once
// Path basics of the core: separators, trailing backslashes and the program's own path.
#include <string>

// Every '/' becomes '\', in place.
void ToBackslashes(std::wstring& path);

// The one home of trailing separators, in their two conventions:
// a folder as it is shown and stored has none, except a drive root (C:\);
std::wstring WithoutTrailingBackslash(std::wstring path);
// a folder "\" + name is appended to has none at all: one is dropped also
// from a root ("C:\" -> "C:"), and a lone "\" stays.
std::wstring WithoutOneTrailingBackslash(std::wstring path);
// A folder a file name is appended to ends with one: a backslash is added
// unless the path already ends with '\' or '/' (an empty path becomes "\").
std::wstring WithTrailingBackslash(std::wstring path);

// Full path of the program file; false, with `path` untouched, on failure.
[[nodiscard]] bool GetModulePath(std::wstring& path);
// The program file's folder without a trailing backslash; empty on failure.
std::wstring GetModuleFolder();
