#!/usr/bin/python3
"""Chinese, Japanese and Korean text in CID fonts that PDFs name without
embedding them: page 1 of each collection's document (make_cjk_pdfs.py),
converted by us at 96 DPI, against the native pdftoppm given the same font
file that our Wine prefix installs for that collection.

Fails when a text run that the native render inks is (nearly) blank in ours,
or when the page differs by more than 0.03 RMSE.

Usage: check_cjk.py WINE_RUN PDF_TO_IMAGES_EXE WORK_DIR
"""
import json
import os
import sys

import native_peer

DPI = 96
MAX_RMSE = 0.03
# A run is there when it carries at least this share of the native run's ink:
# the same glyphs in the same font differ only in antialiasing and hinting.
MIN_INK_SHARE = 0.6

# The Latin line's font, as poppler finds Helvetica beside our program
# (scripts/deps/steps.sh, step_fonts; poppler takes the same design from
# its OpenType file, as it reads no ".t1" files through fontconfig).
LATIN = "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf"
# The font each collection finds in our Wine prefix (scripts/deps/make-wineprefix.sh).
FONTS = {
    "gb1": "/usr/share/fonts/truetype/arphic/ukai.ttc",
    "cns1": "/usr/share/fonts/truetype/arphic/ukai.ttc",
    "japan1": "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
    "korea1": "/usr/share/fonts/truetype/unfonts-core/UnBatang.ttf",
}


def check(ours, key, work):
    pdf = os.path.join(work, "cjk-%s.pdf" % key)
    with open(os.path.join(work, "cjk-%s.json" % key)) as f:
        layout = json.load(f)
    page_height = layout["page"][1]
    our_files, code = ours.convert(pdf, os.path.join(work, "ours-" + key), dpi=DPI)
    env = native_peer.fontconfig_with([FONTS[key], LATIN], os.path.join(work, "fc-" + key))
    native_files, native_code = native_peer.native(pdf, os.path.join(work, "native-" + key), DPI, env, 1, 1)
    if code != 0 or not our_files or native_code != 0 or not native_files:
        print("%s: not converted (ours %d, %d files; pdftoppm %d)" % (key, code, len(our_files), native_code))
        return False
    mine, theirs = native_peer.rgb(our_files[0]), native_peer.rgb(native_files[0])
    good = True
    for run in layout["runs"]:
        expected = native_peer.ink(theirs, run["box"], page_height, DPI)
        got = native_peer.ink(mine, run["box"], page_height, DPI)
        share = got / expected if expected else 0.0
        if expected == 0 or share < MIN_INK_SHARE:
            good = False
        print("%s: %-40s ink %.2f of native%s" % (key, run["name"], share, "" if share >= MIN_INK_SHARE else "  MISSING"))
    error = native_peer.rmse(mine, theirs)
    print("%s: rmse=%.4f (at most %.2f)" % (key, error, MAX_RMSE))
    return good and error <= MAX_RMSE


def main():
    ours, work = native_peer.start(__doc__, "make_cjk_pdfs.py")
    failed = [key for key in FONTS if not check(ours, key, work)]
    print("cjk: %s" % ("failed: " + " ".join(failed) if failed else "all collections match the native render"))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
