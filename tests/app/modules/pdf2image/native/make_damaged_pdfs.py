#!/usr/bin/env python3
"""Writes a 4-page PDF ("repaired.pdf") and damaged copies of it: the kinds of
damage that poppler repairs by rebuilding the cross-reference table, and one
that nothing can repair.

- "bad-xref.pdf": entries that do not parse, offsets cut short, and one
  object (a page's content) missing from the table;
- "shifted-xref.pdf": every offset points a few bytes off;
- "truncated.pdf": the file lost its end: the pointer to the table and the
  end-of-file mark;
- "beyond-repair.pdf": the file ends inside the first page's content: the
  page tree never comes.

Usage: make_damaged_pdfs.py OUT_DIR
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../../../bench/pdf_to_images"))
import pdfwrite  # noqa: E402

PAGES = 4


def page_content(number):
    lines = ["BT /F1 28 Tf 60 760 Td (%s) Tj ET" % pdfwrite.escape("Page %d of a damaged file" % number)]
    for i in range(20):
        lines.append("BT /F1 11 Tf 60 %d Td (%s) Tj ET" % (720 - 30 * i, "Line %d on page %d." % (i + 1, number)))
    # A figure, different on every page, so that pages cannot stand in for each other.
    lines.append("q 0.2 0.4 0.8 rg 300 %d 200 120 re f Q" % (100 + 40 * number))
    lines.append("q 4 w 0.8 0.1 0.1 RG 60 80 m 540 %d l S Q" % (100 + 90 * number))
    return "\n".join(lines)


def document():
    pdf = pdfwrite.PdfFile()
    font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>")
    contents = [pdf.add_stream("", page_content(n + 1)) for n in range(PAGES)]
    tree = pdf.add_pages([
        (lambda parent, c=c: "<< /Type /Page /Parent %d 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 %d 0 R >> >> "
         "/Contents %d 0 R >>" % (parent, font, c)) for c in contents])
    root = pdfwrite.catalog(pdf, tree)
    return pdf.layout(root), contents


def bad_xref(data, offsets, xref, contents):
    head, table = data[:xref], data[xref:]
    lines = table.split(b"\n")
    # Line 3 is object 1's entry: lines[2 + n] is object n's.
    lines[2 + 2] = b"00000X0!?7 00000 n "          # object 2: does not parse
    lines[2 + 3] = b"%07d 00000 n " % offsets[2]    # object 3: offset cut short
    del lines[2 + contents[2]]                       # the third page's content: not in the table
    return head + b"\n".join(lines)


def shifted_xref(data, offsets, xref):
    table = re.sub(rb"(\d{10}) 00000 n", lambda m: b"%010d 00000 n" % (int(m.group(1)) + 5), data[xref:])
    return data[:xref] + table


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    (data, offsets, xref), contents = document()
    files = {
        "repaired.pdf": data,
        "bad-xref.pdf": bad_xref(data, offsets, xref, contents),
        "shifted-xref.pdf": shifted_xref(data, offsets, xref),
        "truncated.pdf": data[:data.rindex(b"startxref")],
        "beyond-repair.pdf": data[:offsets[contents[0] - 1] + 40],
    }
    for name, content in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()
