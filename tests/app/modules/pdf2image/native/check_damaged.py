#!/usr/bin/python3
"""Damaged PDFs (make_damaged_pdfs.py) that the native pdftoppm still renders
after rebuilding their cross-reference table: we convert every page it
converts, each pixel-equal to our own conversion of the undamaged file. The
file damaged beyond repair fails cleanly (the converter's failure code, not
a crash) and leaves no page behind.

Usage: check_damaged.py WINE_RUN PDF_TO_IMAGES_EXE WORK_DIR
"""
import os
import sys

import native_peer

DPI = 96
REPAIRABLE = ["bad-xref.pdf", "shifted-xref.pdf", "truncated.pdf"]
BEYOND_REPAIR = "beyond-repair.pdf"
FAILED = 1  # pdf_to_images's exit code when a file failed


def check_repairable(ours, work, name, reference):
    pdf = os.path.join(work, name)
    native_files, _ = native_peer.native(pdf, os.path.join(work, "native-" + name), DPI)
    files, code = ours.convert(pdf, os.path.join(work, "ours-" + name), dpi=DPI)
    equal = sum(1 for mine, good in zip(files, reference)
                if native_peer.same_pixels(native_peer.rgb(mine), native_peer.rgb(good)))
    print("%s: pdftoppm %d pages; ours exit %d, %d pages, %d equal to the undamaged file's"
          % (name, len(native_files), code, len(files), equal))
    return code == 0 and len(native_files) == len(reference) and len(files) == len(native_files) and equal == len(files)


def check_beyond_repair(ours, work):
    pdf = os.path.join(work, BEYOND_REPAIR)
    native_files, _ = native_peer.native(pdf, os.path.join(work, "native-" + BEYOND_REPAIR), DPI)
    files, code = ours.convert(pdf, os.path.join(work, "ours-" + BEYOND_REPAIR), dpi=DPI)
    print("%s: pdftoppm %d pages; ours exit %d, %d pages left" % (BEYOND_REPAIR, len(native_files), code, len(files)))
    return not native_files and code == FAILED and not files


def main():
    ours, work = native_peer.start(__doc__, "make_damaged_pdfs.py")
    reference, code = ours.convert(os.path.join(work, "repaired.pdf"), os.path.join(work, "ours-repaired"), dpi=DPI)
    if code != 0 or len(reference) != 4:
        print("repaired.pdf: not converted (exit %d, %d pages)" % (code, len(reference)))
        sys.exit(1)
    failed = [name for name in REPAIRABLE if not check_repairable(ours, work, name, reference)]
    if not check_beyond_repair(ours, work):
        failed.append(BEYOND_REPAIR)
    print("damaged: %s" % ("failed: " + " ".join(failed) if failed else "as the native renderer, pixel-equal"))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
