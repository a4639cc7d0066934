#pragma once
// Names and sizes of the files in the modules' lists: title, extension,
// parent folder, size on disk and the size text the lists show. One rule
// splits every name: the system's (PathFindFileNameW, PathFindExtensionW);
// the framework-string forms are the standard-string ones converted.
#include <cstdint>
#include <string>

#include "app/core/SStringBridge.h"

uint64_t GetFileSize64(const DUI::SStringW& path);
// File name without folder and last extension ("b.c" for C:\a\b.c.jpg).
DUI::SStringW GetFileTitleS(const DUI::SStringW& path);
// Text after the last dot of the file name ("JPG" for C:\a\b.JPG); empty without one.
DUI::SStringW GetFileExtS(const DUI::SStringW& path);
// Extension of the file name without its dot; empty without one.
std::wstring GetFileExtension(const std::wstring& path);
// File name without its last extension ("x.pdf" for C:\a\x.pdf.pdf).
std::wstring GetFileBaseName(const std::wstring& path);
// The folder of the path with its trailing backslash.
std::wstring GetParentFolder(const std::wstring& path);
// A size in its largest unit up to GB: the whole number and the rest in the
// unit below (0..1023).
struct FileSizeParts {
    uint64_t whole;
    unsigned rest;
    const wchar_t* unit;   // "B", "KB", "MB" or "GB"
};
FileSizeParts SplitFileSize(uint64_t bytes);
// "500.0 B", "1.5 KB", "1.0 MB": one decimal, units up to GB.
DUI::SStringW FormatFileSize(uint64_t bytes);
