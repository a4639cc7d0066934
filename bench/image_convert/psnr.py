#!/usr/bin/python3
"""Mean PSNR (dB) of outputs against their sources, by file name.
Usage: psnr.py SOURCEDIR OUTDIR"""
import math
import os
import sys

from PIL import Image, ImageChops


def psnr(a, b):
    diff = ImageChops.difference(a.convert("RGB"), b.convert("RGB"))
    hist = diff.histogram()
    total = sum(count * (i % 256) ** 2 for i, count in enumerate(hist))
    mse = total / (a.size[0] * a.size[1] * 3)
    return 99.0 if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main(sources, outputs):
    values = [psnr(Image.open(os.path.join(sources, n)), Image.open(os.path.join(outputs, n)))
              for n in sorted(os.listdir(outputs))]
    print(f"{sum(values) / len(values):.2f}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
