#!/usr/bin/env python3
"""Writes a text-only PDF for the PDF-to-image benchmark: A4 pages, each a
heading and about 60 lines of prose in the base-14 fonts (not embedded), the
same file on every run.

Usage: make_text_pdf.py OUT.pdf [PAGES]   (117 pages by default)
"""
import random
import sys

WORDS = ("the of and to in is that for it as with was on be by this are or from at which an have not "
         "page render image file output document resolution thread encoder memory budget order quality "
         "pixels font glyph text line column margin paragraph section figure table note reader writer").split()


def escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def page_content(number, rng):
    lines = ["BT /F2 16 Tf 56 780 Td (%s) Tj ET" % escape("Section %d: notes on rendering" % number)]
    y = 750
    while y > 60:
        words = [rng.choice(WORDS) for _ in range(rng.randint(12, 16))]
        lines.append("BT /F1 10.5 Tf 56 %d Td (%s) Tj ET" % (y, escape(" ".join(words).capitalize() + ".")))
        y -= 11 if rng.random() > 0.1 else 22
    lines.append("BT /F1 9 Tf 290 30 Td (%d) Tj ET" % number)
    return "\n".join(lines)


def make(pages):
    rng = random.Random(117)
    kids = " ".join("%d 0 R" % (5 + 2 * i) for i in range(pages))
    objects = [
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [%s] /Count %d >>" % (kids, pages),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
    ]
    for i in range(pages):
        content = page_content(i + 1, rng)
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
                       "/Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents %d 0 R >>" % (6 + 2 * i))
        objects.append("<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content))
    out = "%PDF-1.4\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += "%d 0 obj\n%s\nendobj\n" % (number, body)
    xref = len(out)
    out += "xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += "".join("%010d 00000 n \n" % offset for offset in offsets)
    out += "trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return out.encode("latin-1")


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(make(int(sys.argv[2]) if len(sys.argv) == 3 else 117))
