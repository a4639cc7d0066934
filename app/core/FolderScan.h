#pragma once
// Turns any mix of file and folder paths (picked in a dialog, dropped on a
// window) into the flat list of files the modules filter by extension.
#include <string>
#include <vector>

// Appends every file at or under `path` to `out`; a file path is appended as
// given. Folders are listed depth first in the order the file system gives.
// A folder that cannot be listed adds nothing, and a folder met again
// through a link or junction is not listed twice, so a loop ends.
void CollectFilesRecursive(const wchar_t* path, std::vector<std::wstring>& out);
