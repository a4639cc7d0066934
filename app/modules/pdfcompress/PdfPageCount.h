#pragma once
// Counting the pages of a PDF file through the Ghostscript interpreter.
#include <string>

// The page count, or 0 when the file cannot be read as a PDF.
int GetPdfPageCount(const std::wstring& path);

// The PostScript string literal that names the file: forward slashes, and the
// string's own delimiters escaped so that no file name can end it early.
std::string ToPostScriptPath(const std::wstring& path);

// The count from the interpreter's output: the number at the start of the
// last complete line, which must follow an earlier line; 0 otherwise.
int ParsePageCountOutput(const std::string& output);
