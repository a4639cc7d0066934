#!/usr/bin/python3
"""Writes a PDF shaped like a real thesis for the PDF-to-image benchmark:
A4 pages of text set in many embedded fonts (every Type 1 font of Debian's
fonts-urw-base35 and TrueType fonts of fonts-liberation and fonts-dejavu),
pictures on some pages, vector plots on others, and one figure near the end
that takes about forty times an average page. The same file on every run.

Usage: make_real_style_pdf.py OUT.pdf [PAGES] [--no-heavy]   (117 pages by default)
Needs /usr/bin/python3 with Pillow (python3-pil) for the fonts' widths.
"""
import glob
import math
import random
import sys
import zlib

from PIL import ImageFont

import pdfwrite

TYPE1 = sorted(glob.glob("/usr/share/fonts/type1/urw-base35/*.t1"))
TRUETYPE = sorted(glob.glob("/usr/share/fonts/truetype/liberation/*.ttf"))[:16] + \
    sorted(glob.glob("/usr/share/fonts/truetype/dejavu/DejaVuSerif*.ttf"))[:4]
WORDS = ("the of and to in is that for it as with was on be by this are or from at which an have not "
         "model sample measure result method analysis theory section figure table equation value error "
         "data function system energy field phase state order boundary condition observed expected").split()


def widths(path):
    font = ImageFont.truetype(path, 1000)
    return [int(round(font.getlength(chr(c)))) for c in range(32, 127)]


def type1_lengths(data):
    """Length1/2/3 of a Type 1 font file with a binary encrypted part."""
    clear = data.index(b"eexec") + 5
    while data[clear:clear + 1] in (b"\r", b"\n"):
        clear += 1
    zeros = data.rindex(b"cleartomark")
    trailer = data.rindex(b"\n", 0, data.rindex(b"0" * 64, 0, zeros))
    while trailer > clear and data[trailer - 1:trailer] in (b"\r", b"\n"):
        trailer -= 1
    return clear, trailer - clear, len(data) - trailer


def embed_font(pdf, path, index):
    with open(path, "rb") as f:
        data = f.read()
    name = "VSKA%02d+%s" % (index, path.rsplit("/", 1)[1].rsplit(".", 1)[0].replace(" ", ""))
    if path.endswith(".t1"):
        l1, l2, l3 = type1_lengths(data)
        program = pdf.add_stream("/Length1 %d /Length2 %d /Length3 %d" % (l1, l2, l3), data, deflate=True)
        subtype, key = "Type1", "FontFile"
    else:
        program = pdf.add_stream("/Length1 %d" % len(data), data, deflate=True)
        subtype, key = "TrueType", "FontFile2"
    descriptor = pdf.add("<< /Type /FontDescriptor /FontName /%s /Flags 32 /FontBBox [-200 -300 1200 1000] "
                         "/ItalicAngle 0 /Ascent 900 /Descent -250 /CapHeight 700 /StemV 80 /%s %d 0 R >>"
                         % (name, key, program))
    return pdf.add("<< /Type /Font /Subtype /%s /BaseFont /%s /FirstChar 32 /LastChar 126 /Widths [%s] "
                   "/Encoding /WinAnsiEncoding /FontDescriptor %d 0 R >>"
                   % (subtype, name, " ".join(map(str, widths(path))), descriptor))


def picture(pdf, rng, width=640, height=420):
    """A smooth picture with noise, as photographs compress."""
    cx, cy = rng.random() * width, rng.random() * height
    rows = bytearray()
    for y in range(height):
        for x in range(width):
            d = math.hypot(x - cx, y - cy)
            rows += bytes(((x * 255 // width + rng.randint(0, 20)) % 256,
                           int(128 + 120 * math.sin(d / 23.0)), (y * 255 // height) ^ (x & 31)))
    return pdf.add_stream("/Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
                          "/BitsPerComponent 8" % (width, height), bytes(rows), deflate=True)


def plot(rng, points, x0, y0, w, h):
    """A line plot of `points` segments with axes, as vector graphics."""
    ops = ["q 0.8 w 0 0 0 RG %d %d m %d %d l %d %d l S" % (x0, y0 + h, x0, y0, x0 + w, y0)]
    ops.append("0.5 w 0.1 0.3 0.7 RG %.2f %.2f m" % (x0, y0 + h / 2))
    level = 0.0
    for i in range(1, points):
        level = max(-1.0, min(1.0, level + rng.uniform(-0.08, 0.08)))
        ops.append("%.2f %.2f l" % (x0 + w * i / points, y0 + h / 2 + level * h / 2.2))
    ops.append("S Q")
    return "\n".join(ops)


def text_lines(rng, fonts, y_from, y_to):
    lines = []
    y = y_from
    while y > y_to:
        font = rng.randrange(len(fonts))
        words = " ".join(rng.choice(WORDS) for _ in range(rng.randint(10, 13)))
        lines.append("BT /F%d 10.5 Tf 60 %d Td (%s) Tj ET" % (font, y, pdfwrite.escape(words.capitalize() + ".")))
        y -= 13
    return lines


def make(pages, heavy):
    rng = random.Random(1170)
    pdf = pdfwrite.PdfFile()
    fonts = [embed_font(pdf, path, i) for i, path in enumerate(TYPE1 + TRUETYPE)]
    font_resources = " ".join("/F%d %d 0 R" % (i, n) for i, n in enumerate(fonts))
    heavy_page = pages - 7 if heavy else -1
    bodies = []
    for number in range(1, pages + 1):
        ops = ["BT /F%d 16 Tf 60 780 Td (%s) Tj ET" % (number % len(fonts), "Chapter %d" % number)]
        xobjects = ""
        if number == heavy_page:
            ops.append(plot(rng, 12000, 60, 420, 480, 320))
            ops.append(plot(rng, 12000, 60, 80, 480, 320))
        elif number % 7 == 3:
            image = picture(pdf, rng)
            xobjects = "/XObject << /Im1 %d 0 R >>" % image
            ops.append("q 420 0 0 276 88 440 cm /Im1 Do Q")
            ops += text_lines(rng, fonts, 420, 60)
        elif number % 5 == 2:
            ops.append(plot(rng, 1500, 80, 480, 440, 260))
            ops += text_lines(rng, fonts, 450, 60)
        else:
            ops += text_lines(rng, fonts, 750, 60)
        ops.append("BT /F0 9 Tf 290 30 Td (%d) Tj ET" % number)
        content = pdf.add_stream("", "\n".join(ops), deflate=True)
        bodies.append(lambda parent, c=content, x=xobjects: (
            "<< /Type /Page /Parent %d 0 R /MediaBox [0 0 595 842] /Resources << /Font << %s >> %s >> "
            "/Contents %d 0 R >>" % (parent, font_resources, x, c)))
    tree = pdf.add_pages(bodies)
    return pdf.tobytes(pdfwrite.catalog(pdf, tree))


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "--no-heavy"]
    if len(args) not in (1, 2):
        sys.exit(__doc__)
    with open(args[0], "wb") as f:
        f.write(make(int(args[1]) if len(args) == 2 else 117, "--no-heavy" not in sys.argv))
