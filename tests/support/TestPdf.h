#pragma once
// Builds small PDF files in memory for tests, so no binary fixtures are needed.
#include <string>
#include <vector>

namespace testpdf {

struct PageSpec {
    std::string text = "HELLO";   // drawn in non-embedded Helvetica, 48 pt, near the top left
    int widthPt = 200;
    int heightPt = 100;
    std::string drawing;          // more page content, drawn after the text
};

// A valid PDF with one page for each PageSpec (correct xref offsets).
std::string MakePdf(const std::vector<PageSpec>& pages);
inline std::string MakePdf(int pageCount)
{
    return MakePdf(std::vector<PageSpec>(pageCount));
}

// One 400 x 100 pt page of Chinese text in a font the file does not embed:
// "SimSun" of the Adobe-GB1 character collection, its codes UCS-2 through the
// "UniGB-UCS2-H" CMap, 48 pt, one character every 60 pt from x = 10.
// Without poppler's encoding data nothing of it is drawn.
std::string MakeChinesePdf(const std::u16string& text);

// Page content that exercises more of the renderer than text: filled and
// stroked paths with curves, colours, and a small image scaled up.
std::string ShapesAndImage();

}  // namespace testpdf
