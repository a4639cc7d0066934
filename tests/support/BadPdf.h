#pragma once
// Broken and hostile PDF files for the failure paths of the PDF engines.
#include <string>

#include "tests/support/TestPdf.h"

namespace testpdf {

// Cut right after the catalog: the page tree it points to never comes.
inline std::string MakeTruncatedPdf()
{
    std::string pdf = MakePdf(3);
    return pdf.substr(0, pdf.find("2 0 obj"));
}

// A standard security handler whose user password is not empty, so the file
// cannot be opened without one (the password check fails before any content
// is decrypted, so the content need not really be encrypted).
inline std::string MakeEncryptedPdf()
{
    std::string pdf = MakePdf(2);
    const std::string hex32(64, 'A'), hex16(32, '7');
    std::string encrypt = " /Encrypt << /Filter /Standard /V 1 /R 2 /O <" + hex32 + "> /U <" + hex32 +
                          "> /P -4 >> /ID [<" + hex16 + "> <" + hex16 + ">]";
    pdf.insert(pdf.find("/Root 1 0 R") + 11, encrypt);
    return pdf;
}

// 200 x 200 inches: the largest page a PDF allows, far too big to rasterise
// at print resolutions.
inline std::string MakeHugePagePdf()
{
    return MakePdf({{"BIG", 14400, 14400}});
}

// The page tree's entry for page `broken` (from 1) names the font object
// instead of a page: that page cannot be loaded, the others can.
inline std::string MakePdfWithBrokenPage(const std::vector<PageSpec>& pages, int broken)
{
    std::string pdf = MakePdf(pages);
    const std::string kid = std::to_string(4 + 2 * (broken - 1)) + " 0 R";
    // Same length ("03" reads as 3), so no offset of the cross-reference table moves.
    const std::string font = std::string(kid.size() - 5, '0') + "3 0 R";
    size_t at = pdf.find("/Kids [") + 6;
    do {
        at = pdf.find(kid, at + 1);
    } while (pdf[at - 1] != '[' && pdf[at - 1] != ' ');
    pdf.replace(at, kid.size(), font);
    return pdf;
}

inline std::string MakeNotAPdf()
{
    return "This is a plain text file that merely ends in .pdf\r\n";
}

}  // namespace testpdf
