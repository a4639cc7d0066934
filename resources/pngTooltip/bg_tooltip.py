#!/usr/bin/env python3
"""Draws bg_tooltip.png, the bubble tooltip's arrow: 18 x 18, a triangle
pointing down in the bubble's colour with the bubble's 2 px border on its
two slanted sides. Its top 12 rows lie over the bubble's bottom edge, so
the triangle starts there and hides that part of the border.
Standard library only: python3 bg_tooltip.py > bg_tooltip.png"""
import struct
import sys
import zlib

SIZE = 18
FILL = (0x1C, 0x1C, 0x22)
BORDER = (0x49, 0x49, 0x4E)
TOP = 10.0        # the triangle's base row (on the bubble's border)
APEX = 17.5       # its point
CENTRE = 9.0
BORDER_WIDTH = 2.0
SAMPLES = 4       # per axis, for smooth edges


def sample(x, y):
    """'fill', 'border' or None for one point."""
    if y < TOP:
        return None
    half = APEX - y   # 45 degree sides
    dx = abs(x - CENTRE)
    if dx > half:
        return None
    # Distance to the slanted side, measured across it.
    inside = (half - dx) / 2 ** 0.5
    return 'border' if inside < BORDER_WIDTH else 'fill'


def pixel(px, py):
    fill = border = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            s = sample(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            fill += s == 'fill'
            border += s == 'border'
    covered = fill + border
    if covered == 0:
        return (0, 0, 0, 0)
    colour = [(f * fill + b * border) // covered for f, b in zip(FILL, BORDER)]
    return tuple(colour) + (255 * covered // (SAMPLES * SAMPLES),)


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
    raw = b''.join(b'\x00' + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack('>IIBBBBB', SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))


if __name__ == '__main__':
    sys.stdout.buffer.write(png([[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]))
