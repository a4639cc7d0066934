#!/usr/bin/env python3
"""Writes one PDF for each CJK character collection whose text uses the
standard CID fonts that PDF writers name without embedding them, in
horizontal and vertical CMaps, and beside each a JSON list of its text runs
with the box each run is drawn in (points, origin at the page's lower left).

Usage: make_cjk_pdfs.py OUT_DIR
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../../../bench/pdf_to_images"))
import pdfwrite  # noqa: E402

SIZE = 18  # points, one em a character
PAGE = (595, 842)

# Per collection: the CID system info, a line of text, and the font names
# with the CMaps writers use for them.
COLLECTIONS = {
    "gb1": ("GB1", 4, "简体中文：永和九年，岁在癸丑，暮春之初", [
        ("STSong-Light", "UniGB-UCS2-H"), ("STSong-Light", "UniGB-UCS2-V"),
        ("STSongStd-Light", "UniGB-UTF16-H"), ("AdobeSongStd-Light", "UniGB-UTF16-V"),
        ("STHeiti-Regular", "GBK-EUC-H"), ("SimSun", "UniGB-UCS2-H"),
    ]),
    "cns1": ("CNS1", 4, "繁體中文：永和九年，歲在癸丑，暮春之初", [
        ("MSung-Light", "UniCNS-UCS2-H"), ("MSung-Light", "UniCNS-UCS2-V"),
        ("MSungStd-Light", "UniCNS-UTF16-H"), ("AdobeMingStd-Light", "UniCNS-UTF16-V"),
        ("MHei-Medium", "ETen-B5-H"),
    ]),
    "japan1": ("Japan1", 4, "日本語の本文：いろはにほへと、ちりぬるを", [
        ("HeiseiMin-W3", "UniJIS-UCS2-H"), ("HeiseiMin-W3", "UniJIS-UCS2-V"),
        ("KozMinPro-Regular", "UniJIS-UTF16-H"), ("KozMinPro-Regular", "UniJIS-UTF16-V"),
        ("HeiseiKakuGo-W5", "90ms-RKSJ-H"),
    ]),
    "korea1": ("Korea1", 2, "한국어본문：다람쥐헌쳇바퀴에타고파", [
        ("HYSMyeongJo-Medium", "UniKS-UCS2-H"), ("HYSMyeongJo-Medium", "UniKS-UCS2-V"),
        ("AdobeMyungjoStd-Medium", "UniKS-UTF16-H"), ("AdobeMyungjoStd-Medium", "UniKS-UTF16-V"),
        ("HYGoThic-Medium", "KSCms-UHC-H"),
    ]),
}

# The bytes of the text in each kind of CMap.
LEGACY = {"GBK-EUC-H": "gbk", "ETen-B5-H": "big5", "90ms-RKSJ-H": "shift_jis", "KSCms-UHC-H": "cp949"}


def encode(text, cmap):
    for name, codec in LEGACY.items():
        if cmap == name:
            return text.encode(codec)
    return text.encode("utf-16-be")


def font_objects(pdf, ordering, supplement, name, cmap):
    vertical = cmap.endswith("-V")
    descriptor = pdf.add("<< /Type /FontDescriptor /FontName /%s /Flags 6 /FontBBox [-25 -254 1000 880] "
                         "/ItalicAngle 0 /Ascent 880 /Descent -120 /CapHeight 880 /StemV 93 >>" % name)
    cid = pdf.add("<< /Type /Font /Subtype /CIDFontType0 /BaseFont /%s /CIDSystemInfo << /Registry (Adobe) "
                  "/Ordering (%s) /Supplement %d >> /FontDescriptor %d 0 R /DW 1000%s >>"
                  % (name, ordering, supplement, descriptor, " /DW2 [880 -1000]" if vertical else ""))
    # Writers name the Type 0 font after the CID font and its CMap.
    return pdf.add("<< /Type /Font /Subtype /Type0 /BaseFont /%s-%s /Encoding /%s /DescendantFonts [%d 0 R] >>"
                   % (name, cmap, cmap, cid))


def hex_string(data):
    return "<" + data.hex() + ">"


def make(key):
    ordering, supplement, text, fonts = COLLECTIONS[key]
    pdf = pdfwrite.PdfFile()
    latin = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>")
    resources, content, runs = ["/L %d 0 R" % latin], [], []
    content.append("BT /L 14 Tf 40 800 Td (%s) Tj ET" % pdfwrite.escape("Adobe-%s fonts not embedded" % ordering))
    runs.append({"name": "Latin line", "vertical": False, "box": [36, 794, 300, 816]})
    y, x = 760, 560
    for i, (name, cmap) in enumerate(fonts):
        resources.append("/F%d %d 0 R" % (i, font_objects(pdf, ordering, supplement, name, cmap)))
        shown = hex_string(encode(text, cmap))
        length = len(text) * SIZE
        if cmap.endswith("-V"):
            content.append("BT /F%d %d Tf %d 780 Td %s Tj ET" % (i, SIZE, x, shown))
            runs.append({"name": "%s %s" % (name, cmap), "vertical": True,
                         "box": [x - SIZE, 780 - length - 6, x + SIZE, 800]})
            x -= 48
        else:
            content.append("BT /F%d %d Tf 40 %d Td %s Tj ET" % (i, SIZE, y, shown))
            runs.append({"name": "%s %s" % (name, cmap), "vertical": False,
                         "box": [36, y - 8, 40 + length + 4, y + SIZE + 4]})
            y -= 44
    stream = pdf.add_stream("", "\n".join(content))
    tree = pdf.add_pages([lambda parent: "<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] /Resources "
                          "<< /Font << %s >> >> /Contents %d 0 R >>" % (parent, PAGE[0], PAGE[1], " ".join(resources), stream)])
    return pdf.tobytes(pdfwrite.catalog(pdf, tree)), runs


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    for key in COLLECTIONS:
        data, runs = make(key)
        with open(os.path.join(sys.argv[1], "cjk-%s.pdf" % key), "wb") as f:
            f.write(data)
        with open(os.path.join(sys.argv[1], "cjk-%s.json" % key), "w") as f:
            json.dump({"page": PAGE, "runs": runs}, f, indent=1)


if __name__ == "__main__":
    main()
