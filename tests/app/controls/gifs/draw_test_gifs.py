#!/usr/bin/env python3
"""Writes the GIFs of the GIF player's tests into this folder.

Plain Python (a small GIF writer of its own, checked against a decoder of its
own before anything is written). Run it again after changing a picture:
    python3 draw_test_gifs.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Palette of 4 entries: red, green, blue, white.
PALETTE = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
MIN_CODE = 2


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def write(self, code, size):
        self.acc |= code << self.n
        self.n += size
        while self.n >= 8:
            self.out.append(self.acc & 0xFF)
            self.acc >>= 8
            self.n -= 8

    def done(self):
        if self.n:
            self.out.append(self.acc & 0xFF)
        return bytes(self.out)


def lzw_encode(pixels):
    clear, eoi = 1 << MIN_CODE, (1 << MIN_CODE) + 1
    bits = Bits()

    def reset():
        return {bytes([i]): i for i in range(clear)}, MIN_CODE + 1, eoi + 1

    table, size, next_code = reset()
    bits.write(clear, size)
    w = b""
    for p in pixels:
        wc = w + bytes([p])
        if wc in table:
            w = wc
            continue
        bits.write(table[w], size)
        if next_code < 4096:
            table[wc] = next_code
            next_code += 1
            # The decoder adds each entry one code later, so it widens its
            # codes one entry earlier than the table here says.
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            bits.write(clear, size)
            table, size, next_code = reset()
        w = bytes([p])
    bits.write(table[w], size)
    # The decoder adds an entry for that last code too, and may widen.
    if next_code >= (1 << size) and size < 12:
        size += 1
    bits.write(eoi, size)
    return bits.done()


def lzw_decode(data, count):
    clear, eoi = 1 << MIN_CODE, (1 << MIN_CODE) + 1
    pos = 0
    acc = n = 0
    out = bytearray()
    table = size = next_code = prev = None
    while True:
        size_now = size or MIN_CODE + 1
        while n < size_now:
            acc |= data[pos] << n
            pos += 1
            n += 8
        code = acc & ((1 << size_now) - 1)
        acc >>= size_now
        n -= size_now
        if code == clear:
            table = [bytes([i]) for i in range(clear)] + [b"", b""]
            size, next_code, prev = MIN_CODE + 1, eoi + 1, None
            continue
        if code == eoi:
            return bytes(out[:count])
        if code < len(table):
            entry = table[code]
            if prev is not None:
                table.append(prev + entry[:1])
        else:
            entry = prev + prev[:1]
            table.append(entry)
        out += entry
        prev = entry
        if len(table) == (1 << size) and size < 12:
            size += 1


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif(width, height, frames):
    """frames: (pixels as palette indexes, delay in hundredths)."""
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | 0x01, 0, 0)   # global table of 4
    for rgb in PALETTE:
        out += bytes(rgb)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"   # loop for ever
    for pixels, delay in frames:
        out += b"\x21\xF9\x04" + struct.pack("<BHB", 0x04, delay, 0) + b"\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        data = lzw_encode(pixels)
        assert lzw_decode(data, len(pixels)) == bytes(pixels), "the encoder and decoder disagree"
        out += bytes([MIN_CODE]) + sub_blocks(data)
    out += b"\x3B"
    return bytes(out)


def solid(width, height, index):
    return bytes([index]) * (width * height)


def pattern(width, height, shift):
    return bytes(((x // 8 + y // 8 + shift) % 4) for y in range(height) for x in range(width))


def save(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    # Red, green, blue for 10, 20 and 0 hundredths.
    save("delays.gif", gif(8, 8, [(solid(8, 8, 0), 10), (solid(8, 8, 1), 20), (solid(8, 8, 2), 0)]))
    save("still.gif", gif(8, 8, [(solid(8, 8, 3), 50)]))
    # Ten thousand tiny frames.
    save("many.gif", gif(1, 1, [(solid(1, 1, i % 3), 1) for i in range(10000)]))
    # Twenty 4096 x 4096 frames: 64 MB of pixels each, past the decoder's
    # 256 MB after four.
    save("huge.gif", gif(4096, 4096, [(solid(4096, 4096, i % 3), 5) for i in range(20)]))
    # What the player looks like: a checked square in four colours.
    save("look.gif", gif(48, 48, [(pattern(48, 48, i), 10) for i in range(4)]))


if __name__ == "__main__":
    main()
