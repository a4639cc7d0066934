#!/usr/bin/env python3
"""Draws the file list's header marks, anti-aliased, standard library only:
- sort_mark.png, 20 x 6: two 10 x 6 states side by side, the sort flag's
  mark (state 0 ascending: a triangle pointing up; state 1 descending: one
  pointing down), grey 0x60 so it reads on the header's light faces;
- col_divider.png, 1 x 16: the line between two header columns, grey 0xC8,
  fading out over its top and bottom three pixels.
Run in this folder: python3 draw_list_marks.py"""
import struct
import zlib

MARK_W, MARK_H = 10, 6
MARK = (0x60, 0x60, 0x60)
DIVIDER_H = 16
DIVIDER = (0xC8, 0xC8, 0xC8)
FADE = 3
SAMPLES = 4


def in_triangle(x, y, up):
    """The triangle's base spans the cell's width less one pixel a side."""
    t = y / MARK_H if up else 1.0 - y / MARK_H   # 0 at the point, 1 at the base
    half = t * (MARK_W - 2) / 2
    return abs(x - MARK_W / 2) <= half


def mark_pixel(x, y, up):
    hits = sum(in_triangle(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES, up)
               for sy in range(SAMPLES) for sx in range(SAMPLES))
    return MARK + (255 * hits // (SAMPLES * SAMPLES),)


def divider_pixel(y):
    edge = min(y, DIVIDER_H - 1 - y)
    alpha = 255 if edge >= FADE else 255 * (edge + 1) // (FADE + 1)
    return DIVIDER + (alpha,)


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
    raw = b''.join(b'\x00' + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))


if __name__ == '__main__':
    marks = [[mark_pixel(x % MARK_W, y, x < MARK_W) for x in range(2 * MARK_W)] for y in range(MARK_H)]
    with open('sort_mark.png', 'wb') as f:
        f.write(png(marks))
    with open('col_divider.png', 'wb') as f:
        f.write(png([[divider_pixel(y)] for y in range(DIVIDER_H)]))
