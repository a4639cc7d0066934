#!/usr/bin/python3
"""Draws photo-like JPEGs for the image-compression benchmark: 4000x3000,
gradients, sensor-like noise, hard edges and text, each one different.
Usage: make_photos.py OUTDIR [COUNT]"""
import multiprocessing
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

W, H = 4000, 3000


def photo(seed):
    rnd = random.Random(seed)
    base = Image.linear_gradient("L").resize((W, H)).rotate(rnd.randrange(360), expand=False)
    r = base
    g = Image.radial_gradient("L").resize((W, H))
    b = Image.effect_noise((W // 8, H // 8), 60).resize((W, H), Image.BICUBIC)
    im = Image.merge("RGB", (r, g, b))
    d = ImageDraw.Draw(im)
    for _ in range(40):
        x, y = rnd.randrange(W), rnd.randrange(H)
        d.rectangle([x, y, x + rnd.randrange(50, 600), y + rnd.randrange(50, 400)],
                    fill=tuple(rnd.randrange(256) for _ in range(3)))
    for i in range(60):
        d.text((rnd.randrange(W - 400), rnd.randrange(H - 40)), f"Sample text {seed}-{i} 0123456789",
               fill=(255, 255, 255))
    noise = Image.effect_noise((W, H), 18).convert("RGB")
    im = Image.blend(im, noise, 0.12)
    return im.filter(ImageFilter.SMOOTH)


def save(job):
    out, i = job
    photo(i).save(f"{out}/photo{i:03d}.jpg", quality=92)


def main(out, count):
    with multiprocessing.Pool(4) as pool:
        pool.map(save, [(out, i) for i in range(count)])


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 200)
