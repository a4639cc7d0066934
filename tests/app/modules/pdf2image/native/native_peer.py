"""What the checks against the native renderer share: our converter under
Wine, the native pdftoppm of the same poppler version (optionally limited to
one font file through its own fontconfig set-up), and pixel measures.

Runs on the host's /usr/bin/python3, which has Pillow (python3-pil).
"""
import glob
import os
import shutil
import subprocess
import sys

from PIL import Image, ImageChops


class Ours:
    """pdf_to_images.exe run through the project's Wine runner."""

    def __init__(self, wine_run, exe):
        self.wine_run = wine_run
        self.exe = exe

    def convert(self, pdf, out_dir, fmt="png", dpi=96, threads=0):
        """The page files written (sorted by page) and the exit code."""
        shutil.rmtree(out_dir, ignore_errors=True)
        os.makedirs(out_dir)
        args = [self.wine_run, self.exe, "--format", fmt, "--dpi", str(dpi), "--out", "Z:" + out_dir]
        if threads:
            args += ["--threads", str(threads)]
        done = subprocess.run(args + ["Z:" + os.path.abspath(pdf)], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        stem = os.path.splitext(os.path.basename(pdf))[0]
        files = glob.glob(os.path.join(out_dir, stem, "*." + fmt))
        files.sort(key=lambda f: int(os.path.splitext(os.path.basename(f))[0]))
        return files, done.returncode


def fontconfig_with(font_files, work):
    """An environment in which fontconfig knows these font files alone, with
    its usual aliases (Helvetica to Nimbus Sans, say)."""
    fonts = os.path.join(work, "fonts")
    shutil.rmtree(fonts, ignore_errors=True)
    os.makedirs(fonts)
    for font_file in font_files:
        os.symlink(font_file, os.path.join(fonts, os.path.basename(font_file)))
    conf = os.path.join(work, "fonts.conf")
    with open(conf, "w") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n'
                "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n"
                "<dir>%s</dir>\n<cachedir>%s</cachedir>\n</fontconfig>\n" % (fonts, os.path.join(work, "fccache")))
    env = dict(os.environ)
    env["FONTCONFIG_FILE"] = conf
    return env


def native(pdf, out_dir, dpi=96, env=None, first=None, last=None):
    """pdftoppm's PNG pages (sorted by page) and its exit code."""
    shutil.rmtree(out_dir, ignore_errors=True)
    os.makedirs(out_dir)
    args = ["pdftoppm", "-r", str(dpi), "-png"]
    if first:
        args += ["-f", str(first)]
    if last:
        args += ["-l", str(last)]
    done = subprocess.run(args + [pdf, os.path.join(out_dir, "p")], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE)
    files = glob.glob(os.path.join(out_dir, "p-*.png"))
    files.sort(key=lambda f: int(os.path.splitext(os.path.basename(f))[0].split("-")[-1]))
    return files, done.returncode


def rgb(path):
    return Image.open(path).convert("RGB")


def rmse(a, b):
    """Root mean square error over the channels, 0-1, as ImageMagick's
    `compare -metric RMSE` prints it in brackets; over the common area when
    the sizes differ by rounding."""
    width, height = min(a.width, b.width), min(a.height, b.height)
    diff = ImageChops.difference(a.crop((0, 0, width, height)), b.crop((0, 0, width, height)))
    squares = 0
    for channel in diff.split():
        squares += sum(count * value * value for value, count in enumerate(channel.histogram()))
    return (squares / (width * height * 3)) ** 0.5 / 255


def ink(image, box, page_height_points, dpi):
    """The darkness summed over a box given in points from the page's lower left."""
    scale = dpi / 72.0
    left, bottom, right, top = box
    pixels = (int(left * scale), int((page_height_points - top) * scale), int(right * scale) + 1,
              int((page_height_points - bottom) * scale) + 1)
    histogram = image.crop(pixels).convert("L").histogram()
    return sum(count * (255 - value) for value, count in enumerate(histogram))


def same_pixels(a, b):
    return a.size == b.size and ImageChops.difference(a, b).getbbox() is None


def start(usage, maker):
    """Reads the checks' arguments (WINE_RUN EXE WORK_DIR), makes the
    documents with the maker script beside this one into WORK_DIR, and returns
    our converter and WORK_DIR."""
    if len(sys.argv) != 4:
        sys.exit(usage)
    wine_run, exe, work = sys.argv[1:]
    os.makedirs(work, exist_ok=True)
    subprocess.run([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), maker), work], check=True)
    return Ours(wine_run, exe), work
