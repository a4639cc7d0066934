#!/usr/bin/python3
"""Mean PSNR (dB, over RGB) of the JPEGs in a folder against their sources of
the same name, and how many of them are at most a size in bytes.

Usage: psnr.py SOURCE_FOLDER OUTPUT_FOLDER [MAX_BYTES]
Prints: psnr=P count=N within=K
"""
import math
import os
import sys
from multiprocessing import Pool

from PIL import Image, ImageChops, ImageStat


def psnr(pair):
    source, output = pair
    a = Image.open(source).convert("RGB")
    b = Image.open(output).convert("RGB")
    if a.size != b.size:
        return 0.0
    squares = ImageStat.Stat(ImageChops.difference(a, b)).sum2
    mse = sum(squares) / (a.size[0] * a.size[1] * 3)
    return 99.0 if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sources, outputs = sys.argv[1], sys.argv[2]
    limit = int(sys.argv[3]) if len(sys.argv) > 3 else None
    names = sorted(n for n in os.listdir(outputs) if n.endswith(".jpg"))
    pairs = [(os.path.join(sources, n), os.path.join(outputs, n)) for n in names]
    with Pool(max(1, (os.cpu_count() or 2) // 2)) as pool:
        values = pool.map(psnr, pairs)
    within = sum(1 for _, o in pairs if limit is None or os.path.getsize(o) <= limit)
    mean = sum(values) / len(values) if values else 0.0
    print("psnr=%.3f count=%d within=%d" % (mean, len(values), within))


if __name__ == "__main__":
    main()
