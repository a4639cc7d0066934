#!/usr/bin/python3
"""Decodes the image library's outputs with Pillow and compares each with its
source as Pillow sees it, turned upright by its EXIF orientation.

Arguments: the folder, and a list file in it with one line per output:
"source output rule", where rule is "exact", "near" (off by one at most,
as 16-bit samples round to 8), "psnr:FLOOR" (decibels), or
"binary-alpha:FLOOR" for outputs with one clear palette entry, or
"like:FORMAT:QUALITY": lossy, no worse than 0.5 dB below Pillow's own
encoder at that quality on the same pixels. Prints one
line per output, "OK name" or "FAIL name why". A source's colour profile
must reach every output whose format can carry one.
"""
import io
import math
import sys

from PIL import Image

from make_fixtures import reference_for, upright


# Outputs whose format carries a colour profile, where the source's must survive.
KEEPS_PROFILE = ("JPEG", "PNG", "TIFF", "WEBP")


def to_rgba8(im):
    if im.mode == "CMYK":
        # Ink over white, as the library turns CMYK into RGB.
        data = [tuple((255 - c) * (255 - p[3]) // 255 for c in p[:3]) + (255,) for p in im.getdata()]
        rgba = Image.new("RGBA", im.size)
        rgba.putdata(data)
        return rgba
    if im.mode in ("I", "I;16", "I;16B", "I;16L"):
        im = im.convert("I").point(lambda v: v * (1 / 257.0)).convert("L")
    return im.convert("RGBA")


def flatten(im):
    white = Image.new("RGBA", im.size, (255, 255, 255, 255))
    return Image.alpha_composite(white, im)


def binary_alpha(im):
    r, g, b, a = im.split()
    return Image.merge("RGBA", (r, g, b, a.point(lambda v: 255 if v >= 128 else 0)))


def premultiplied(im):
    return [tuple(c * p[3] // 255 for c in p[:3]) + (p[3],) for p in im.getdata()]


def compare(ref, out):
    """Largest difference and PSNR of premultiplied RGBA."""
    a, b = premultiplied(ref), premultiplied(out)
    worst, total = 0, 0
    for p, q in zip(a, b):
        for x, y in zip(p, q):
            d = abs(x - y)
            worst = max(worst, d)
            total += d * d
    mse = total / (len(a) * 4)
    return worst, (99.0 if mse == 0 else 10 * math.log10(255 * 255 / mse))


def check(folder, source, output, rule):
    src = Image.open(f"{folder}/{reference_for(source)}")
    wide = src.mode.startswith("I")
    ref = to_rgba8(upright(src))
    out_im = Image.open(f"{folder}/{output}")
    if out_im.getexif().get(0x0112, 1) != 1:
        return "orientation tag left in the output"
    if src.info.get("icc_profile") and out_im.format in KEEPS_PROFILE:
        if out_im.info.get("icc_profile") != src.info["icc_profile"]:
            return "colour profile lost"
    out = to_rgba8(out_im)
    if out.size != ref.size:
        return f"size {out.size} instead of {ref.size}"
    if "A" not in out_im.mode and "transparency" not in out_im.info:
        ref = flatten(ref)
    kind, _, floor = rule.partition(":")
    if kind == "binary-alpha":
        ref = binary_alpha(ref)
    worst, psnr = compare(ref, out)
    if kind == "like":
        fmt, _, quality = floor.partition(":")
        own = io.BytesIO()
        (ref if fmt == "WEBP" and "A" in out_im.mode else flatten(ref).convert("RGB")).save(own, fmt, quality=int(quality))
        _, floor = compare(ref, to_rgba8(Image.open(own)))
        # 16-bit samples reach 8 bits rounded here and cut in Pillow: a step that counts near 50 dB.
        floor = f"{floor - (4 if wide else 0.5):.1f}"
    if kind in ("exact", "near") and worst > (0 if kind == "exact" and not wide else 1):
        return f"differs by up to {worst}"
    if kind not in ("exact", "near") and psnr < float(floor):
        return f"PSNR {psnr:.1f} dB below {floor}"
    return None


def main(folder, listing):
    with open(f"{folder}/{listing}", encoding="utf-8") as f:
        for line in f:
            if not line.strip():
                continue
            source, output, rule = line.split()
            try:
                why = check(folder, source, output, rule)
            except Exception as e:  # an unreadable output is a failure to report, not a crash
                why = f"unreadable: {e}"
            print(f"FAIL {output} {why}" if why else f"OK {output}", flush=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
