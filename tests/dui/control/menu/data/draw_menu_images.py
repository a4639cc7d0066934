#!/usr/bin/env python3
"""Draws the menu test images: check/radio marks, the sub-menu arrow, the
separator line and four item icons. Standard library only (zlib PNG)."""
import struct
import sys
import zlib
from pathlib import Path


def png(path, width, height, pixel):
    rows = b"".join(
        b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                           chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


CLEAR = (0, 0, 0, 0)
INK = (32, 32, 32, 255)


def near_segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return (px - cx) ** 2 + (py - cy) ** 2 <= width * width


def marks(x, y):
    """Three 16x16 cells: a check mark, a radio dot that is on, one that is off."""
    cell, lx = divmod(x, 16)
    px, py = lx + 0.5, y + 0.5
    if cell == 0:
        on = near_segment(px, py, 3, 8, 6.5, 12, 1.4) or near_segment(px, py, 6.5, 12, 13, 4, 1.4)
        return INK if on else CLEAR
    d2 = (px - 8) ** 2 + (py - 8) ** 2
    if cell == 1 and d2 <= 16:
        return INK
    if 20 <= d2 <= 36:
        return INK
    return CLEAR


def arrow(x, y):
    """Two 8x16 cells: a dark and a white triangle pointing right."""
    cell, lx = divmod(x, 8)
    inside = 2 <= lx <= 6 and abs(y + 0.5 - 8) <= (6.5 - lx) * 1.2 and lx >= 2
    if not inside:
        return CLEAR
    return INK if cell == 0 else (255, 255, 255, 255)


def separator(x, y):
    """A light gray line in the middle of a 5-pixel band."""
    return (160, 160, 160, 255) if y == 2 else CLEAR


ICON_COLOURS = [(220, 40, 40, 255), (40, 160, 60, 255), (40, 80, 220, 255), (230, 170, 20, 255)]


def icons(x, y):
    """Four 16x16 cells, each a coloured rounded square."""
    cell, lx = divmod(x, 16)
    if 2 <= lx <= 13 and 2 <= y <= 13 and not ((lx in (2, 13)) and (y in (2, 13))):
        return ICON_COLOURS[cell]
    return CLEAR


ITEM_COLOURS = [(255, 255, 255, 255), (48, 120, 216, 255), (224, 224, 224, 255)]


def item_background(x, y):
    """Three 8x22 cells, flat: normal white, selected blue, disabled gray."""
    return ITEM_COLOURS[x // 8]


def popup_item(x, y):
    """Three 8x22 cells: normal white, selected blue, and a magenta frame
    that is drawn over a selected item (transparent inside)."""
    cell, lx = divmod(x, 8)
    if cell < 2:
        return ITEM_COLOURS[cell]
    return (200, 0, 200, 255) if y in (0, 21) else CLEAR


def main(out):
    out = Path(out)
    png(out / "menu_marks.png", 48, 16, marks)
    png(out / "menu_arrow.png", 16, 16, arrow)
    png(out / "menu_sep.png", 1, 5, separator)
    png(out / "menu_icons.png", 64, 16, icons)
    png(out / "menu_item.png", 24, 22, item_background)
    png(out / "popup_item.png", 24, 22, popup_item)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent)
