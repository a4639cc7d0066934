#pragma once
// Builds small PDF files in memory for tests, so no binary fixtures are needed.
#include <string>
#include <vector>

namespace testpdf {

struct PageSpec {
    std::string text = "HELLO";   // drawn in non-embedded Helvetica, 48 pt, near the top left
    int widthPt = 200;
    int heightPt = 100;
};

// A valid PDF with one page for each PageSpec (correct xref offsets).
std::string MakePdf(const std::vector<PageSpec>& pages);
inline std::string MakePdf(int pageCount)
{
    return MakePdf(std::vector<PageSpec>(pageCount));
}

}  // namespace testpdf
