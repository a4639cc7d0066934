#pragma once
// Turns the page-range text of a list item ("1-", "odd", "1-3,5", "-2-") into
// 1-based page numbers of a document with a known page count.
#include <string>
#include <vector>

// Pages in text order, repetitions kept; empty when nothing valid is named.
std::vector<int> ParsePageRange(int pageCount, const std::wstring& rangeText);
