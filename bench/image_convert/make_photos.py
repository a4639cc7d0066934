#!/usr/bin/python3
"""Draws the photos of the image-conversion benchmark: JPEG files of
4000x3000 with gradients, noise, hard edges and text, as a camera's photos of
documents and scenes mix them. The same files on every run (fixed seeds).

Usage: make_photos.py OUT_FOLDER [COUNT]   (200 by default; existing files are kept)
"""
import os
import random
import sys
from multiprocessing import Pool

from PIL import Image, ImageChops, ImageDraw, ImageFont

WIDTH, HEIGHT = 4000, 3000
# Drawn at half size and scaled up: the scaling softens edges as a lens does,
# far cheaper than blurring 12 megapixels.
DRAW_WIDTH, DRAW_HEIGHT = WIDTH // 2, HEIGHT // 2
TILE = 500
FONT_PATHS = ("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")


def font(size):
    for path in FONT_PATHS:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def gradient(rng):
    # A smooth two-axis colour field: small gradients scaled up stay smooth.
    small = Image.new("RGB", (4, 3))
    small.putdata([tuple(rng.randrange(30, 230) for _ in range(3)) for _ in range(12)])
    return small.resize((DRAW_WIDTH, DRAW_HEIGHT), Image.BICUBIC)


def noise(rng):
    # Sensor grain: a few random tiles laid over the whole picture.
    sigma = rng.uniform(6, 22)
    tiles = [Image.effect_noise((TILE, TILE), sigma).convert("RGB") for _ in range(4)]
    grain = Image.new("RGB", (WIDTH, HEIGHT))
    for y in range(0, HEIGHT, TILE):
        for x in range(0, WIDTH, TILE):
            grain.paste(rng.choice(tiles), (x, y))
    return grain, rng.uniform(0.08, 0.25)


def shapes(draw, rng):
    for _ in range(rng.randrange(8, 20)):
        x, y = rng.randrange(DRAW_WIDTH), rng.randrange(DRAW_HEIGHT)
        w, h = rng.randrange(40, 600), rng.randrange(40, 450)
        colour = tuple(rng.randrange(256) for _ in range(3))
        if rng.random() < 0.5:
            draw.rectangle((x, y, x + w, y + h), fill=colour)
        else:
            draw.ellipse((x, y, x + w, y + h), outline=colour, width=rng.randrange(2, 15))
    for _ in range(rng.randrange(10, 40)):
        draw.line([(rng.randrange(DRAW_WIDTH), rng.randrange(DRAW_HEIGHT)) for _ in range(2)],
                  fill=tuple(rng.randrange(256) for _ in range(3)), width=rng.randrange(1, 4))


def text(draw, rng):
    words = "image photo quality encoder budget worker pixel colour exam upload size limit".split()
    for _ in range(rng.randrange(10, 30)):
        line = " ".join(rng.choice(words) for _ in range(rng.randrange(3, 9)))
        draw.text((rng.randrange(DRAW_WIDTH - 300), rng.randrange(DRAW_HEIGHT - 50)), line,
                  fill=tuple(rng.randrange(256) for _ in range(3)), font=font(rng.randrange(12, 60)))


def make(args):
    folder, index = args
    path = os.path.join(folder, "photo_%03d.jpg" % index)
    if os.path.exists(path):
        return path
    rng = random.Random(index)
    picture = gradient(rng)
    draw = ImageDraw.Draw(picture)
    shapes(draw, rng)
    text(draw, rng)
    picture = picture.resize((WIDTH, HEIGHT), Image.BICUBIC)
    grain, amount = noise(rng)
    picture = Image.blend(picture, ImageChops.add(picture, grain, 2.0, -128), amount)
    picture.save(path + ".part", "JPEG", quality=92)
    os.replace(path + ".part", path)
    return path


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    os.makedirs(folder, exist_ok=True)
    with Pool(max(1, (os.cpu_count() or 2) // 2)) as pool:
        for _ in pool.imap_unordered(make, [(folder, i) for i in range(count)]):
            pass


if __name__ == "__main__":
    main()
