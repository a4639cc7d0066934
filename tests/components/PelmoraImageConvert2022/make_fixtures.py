#!/usr/bin/python3
"""Draws the image library's test pictures into a folder, with Pillow.

Each format the library reads comes in the colour types it meets in the wild
(gray, RGB, palette, alpha, CMYK, 16 bits) and, where the format carries EXIF,
with orientations that turn and mirror. A picture is wider than tall, so a
missed turn shows. Prints one line per file: name, upright width and height.
"""
import io
import struct
import sys

from PIL import Image, ImageCms, ImageDraw

W, H = 61, 37


def picture(mode="RGB"):
    im = Image.new("RGB", (W, H))
    px = im.load()
    for y in range(H):
        for x in range(W):
            px[x, y] = (x * 255 // (W - 1), y * 255 // (H - 1), (x + 2 * y) * 255 // (W + 2 * H))
    d = ImageDraw.Draw(im)
    d.rectangle([3, 3, 20, 12], fill=(250, 20, 30))
    d.ellipse([30, 10, 55, 33], outline=(10, 240, 20), width=3)
    d.line([0, H - 1, W - 1, 0], fill=(255, 255, 255), width=2)
    if mode == "RGBA":
        a = Image.new("L", (W, H))
        ap = a.load()
        for y in range(H):
            for x in range(W):
                ap[x, y] = 0 if x < 8 else min(255, x * 5)
        im.putalpha(a)
        return im
    if mode in ("L", "CMYK", "LA"):
        return im.convert(mode) if mode != "LA" else im.convert("L").convert("LA")
    if mode == "P":
        return im.quantize(64)
    if mode == "I;16":
        samples = [(x * 1000 + y * 97) % 65536 for y in range(H) for x in range(W)]
        return Image.frombytes("I;16", (W, H), struct.pack(f"<{W * H}H", *samples))
    return im


def with_exif(orientation):
    exif = Image.Exif()
    exif[0x0112] = orientation
    return exif.tobytes()


def few_colours():
    im = Image.new("RGB", (W, H), (255, 255, 255))
    d = ImageDraw.Draw(im)
    d.rectangle([5, 5, 30, 20], fill=(0, 0, 255))
    d.rectangle([25, 15, 50, 30], fill=(255, 128, 0))
    return im


def main(out):
    made = []

    def save(name, im, **kw):
        im.save(f"{out}/{name}", **kw)
        made.append(name)

    srgb = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
    save("rgb.jpg", picture(), quality=95)
    save("gray.jpg", picture("L"), quality=95)
    save("cmyk.jpg", picture("CMYK"), quality=95)
    save("icc.jpg", picture(), quality=95, icc_profile=srgb)
    for o in (3, 6, 8):
        save(f"orient{o}.jpg", picture(), quality=95, exif=with_exif(o))
    save("rgb.png", picture())
    save("rgba.png", picture("RGBA"))
    save("gray.png", picture("L"))
    save("grayalpha.png", picture("LA"))
    save("palette.png", picture("P"))
    save("gray16.png", picture("I;16"))
    save("icc.png", picture(), icc_profile=srgb)
    save("orient6.png", picture(), exif=with_exif(6))
    save("few.png", few_colours())
    save("rgb.bmp", picture())
    save("palette.bmp", picture("P"))
    save("gray.bmp", picture("L"))
    save("rgb.gif", picture("P"))
    save("few.gif", few_colours().convert("P"))
    save("rgb.tif", picture(), compression="tiff_deflate")
    save("rgba.tif", picture("RGBA"))
    save("gray16.tif", picture("I;16"))
    save("cmyk.tif", picture("CMYK"))
    save("jpeg.tif", picture(), compression="jpeg")
    save("orient8.tif", picture(), exif=with_exif(8))
    save("rgb.webp", picture(), lossless=True)
    save("rgba.webp", picture("RGBA"), lossless=True)
    save("lossy.webp", picture(), quality=90)
    save("orient3.webp", picture(), lossless=True, exif=with_exif(3))
    save("rgb.jp2", picture())
    save("rgba.jp2", picture("RGBA"))
    save("rgb.j2k", picture())
    save("rgb.ppm", picture())
    save("gray.pgm", picture("L"))
    save("bw.pbm", picture("L").point(lambda v: 255 if v > 128 else 0).convert("1"))
    save("rgb.tga", picture())
    save("rgba.tga", picture("RGBA"))
    save("rle.tga", picture(), compression="tga_rle")
    save("rgba.ico", picture("RGBA"), sizes=[(W, H)])
    # Several frames or pages: the library takes the first, a red one.
    frames = [Image.new("RGB", (20, 10), c) for c in ((255, 0, 0), (0, 0, 255))]
    frames[0].save(f"{out}/anim.gif", save_all=True, append_images=frames[1:], duration=100, loop=0)
    made.append("anim.gif")
    frames[0].save(f"{out}/pages.tif", save_all=True, append_images=frames[1:])
    made.append("pages.tif")
    # A cursor is an icon whose header says 2.
    buf = io.BytesIO()
    picture("RGBA").save(buf, format="ICO", sizes=[(W, H)])
    data = bytearray(buf.getvalue())
    data[2] = 2
    with open(f"{out}/rgba.cur", "wb") as f:
        f.write(data)
    made.append("rgba.cur")
    for name in made:
        up = upright(Image.open(f"{out}/{reference_for(name)}"))
        print(name, up.size[0], up.size[1])


def upright(im):
    """The picture turned by its orientation tag. Pillow turns a TIFF itself
    while loading it, so that one is not turned twice."""
    orientation = im.getexif().get(0x0112, 1)
    im.load()
    if getattr(im, "_tile_orientation", None):
        return im
    method = {2: Image.Transpose.FLIP_LEFT_RIGHT, 3: Image.Transpose.ROTATE_180,
              4: Image.Transpose.FLIP_TOP_BOTTOM, 5: Image.Transpose.TRANSPOSE,
              6: Image.Transpose.ROTATE_270, 7: Image.Transpose.TRANSVERSE,
              8: Image.Transpose.ROTATE_90}.get(orientation)
    return im.transpose(method) if method else im


def reference_for(name):
    """The file Pillow reads in place of one it cannot (a PNG cursor)."""
    return name[:-4] + ".ico" if name.endswith(".cur") else name


if __name__ == "__main__":
    main(sys.argv[1])
