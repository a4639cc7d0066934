#pragma once
// Whether two paths name one file: by the file system's identity when both
// can be opened (links, short names, case), else by their full paths
// compared without case.
#include <string>

bool IsSameFile(const std::wstring& a, const std::wstring& b);
