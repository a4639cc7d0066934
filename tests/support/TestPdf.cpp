#include "tests/support/TestPdf.h"

#include <cstdio>

namespace testpdf {

namespace {

std::string Stream(const std::string& content)
{
    return "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream";
}

std::string PageObject(int width, int height, const std::string& fonts, size_t contents)
{
    return "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " + std::to_string(height) +
           "] /Resources << /Font << " + fonts + " >> >> /Contents " + std::to_string(contents) + " 0 R >>";
}

// Numbers the objects from 1 (the first must be the catalog) and writes the
// cross-reference table with their real offsets.
std::string Assemble(const std::vector<std::string>& objects)
{
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t off : offsets) {
        char line[32];
        std::snprintf(line, sizeof(line), "%010zu 00000 n \n", off);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace

std::string MakePdf(const std::vector<PageSpec>& pages)
{
    // Objects: 1 catalog, 2 page tree, 3 font, then a page and its content per page.
    std::vector<std::string> objects;
    std::string kids;
    for (size_t i = 0; i < pages.size(); ++i) kids += std::to_string(4 + 2 * i) + " 0 R ";
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (size_t i = 0; i < pages.size(); ++i) {
        const PageSpec& p = pages[i];
        std::string content = "BT /F1 48 Tf 10 " + std::to_string(p.heightPt - 50) + " Td (" + p.text + ") Tj ET";
        if (!p.drawing.empty()) content += "\n" + p.drawing;
        objects.push_back(PageObject(p.widthPt, p.heightPt, "/F1 3 0 R", 5 + 2 * i));
        objects.push_back(Stream(content));
    }
    return Assemble(objects);
}

std::string MakeChinesePdf(const std::u16string& text)
{
    // One character a time, each 60 pt after the last, whatever the font's widths.
    std::string content = "BT /F1 48 Tf 10 30 Td";
    for (size_t i = 0; i < text.size(); ++i) {
        char code[16];
        std::snprintf(code, sizeof(code), " <%04X> Tj", static_cast<unsigned>(text[i]));
        content += code;
        if (i + 1 < text.size()) content += " 60 0 Td";
    }
    content += " ET";
    return Assemble({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [4 0 R] /Count 1 >>",
        "<< /Type /Font /Subtype /Type0 /BaseFont /SimSun /Encoding /UniGB-UCS2-H /DescendantFonts [6 0 R] >>",
        PageObject(400, 100, "/F1 3 0 R", 5),
        Stream(content),
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /SimSun"
        " /CIDSystemInfo << /Registry (Adobe) /Ordering (GB1) /Supplement 2 >> /FontDescriptor 7 0 R /DW 1000 >>",
        "<< /Type /FontDescriptor /FontName /SimSun /Flags 6 /FontBBox [0 -141 1000 859] /ItalicAngle 0"
        " /Ascent 859 /Descent -141 /CapHeight 700 /StemV 80 >>",
    });
}

std::string ShapesAndImage()
{
    return "q 0.9 0.2 0.1 rg 20 20 m 60 90 100 -10 140 40 c 120 5 l h f Q\n"
           "q 0.1 0.4 0.8 RG 3.5 w 1 J [6 3] 0 d 15 15 m 180 70 l 40 60 l S Q\n"
           "q 0.2 0.7 0.3 0.6 k 150 10 30 30 re f Q\n"
           "q 60 0 0 40 120 50 cm BI /W 3 /H 2 /CS /RGB /BPC 8 /F /AHx ID\n"
           "FF0000 00FF00 0000FF FFFF00 00FFFF FF00FF>\nEI Q";
}

}  // namespace testpdf
