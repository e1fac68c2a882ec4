#!/usr/bin/env python3
"""Draws the program's icon, a page of text with a pin on top, and writes it as a Windows .ico
holding 32x32 monochrome, 32x32 16-colour and 16x16 16-colour images. The output is the same
byte for byte on every run.

usage: tools/make_icon.py [OUTPUT]   (default src/platform/win32/ontopview.ico)
"""

import pathlib
import struct
import sys

# The standard 16-colour palette, as Windows numbers it.
PALETTE_16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
PALETTE_2 = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]

BLACK, MAROON, NAVY, SILVER, GREY, RED, WHITE = 0, 1, 4, 7, 8, 9, 15
TRANSPARENT = None


def draw(size):
    """The picture as rows of palette indices (None where transparent), top row first."""
    s = size / 32
    pixels = [[TRANSPARENT] * size for _ in range(size)]

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            pixels[y][x] = colour

    # The page, with its top right corner folded down.
    left, top, right, bottom = round(5 * s), round(7 * s), round(25 * s) - 1, size - 1
    fold = round(6 * s)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:  # beyond the fold
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            put(x, y, BLACK if edge else WHITE)
    for k in range(fold + 1):  # the folded flap
        for x in range(right - fold, right - fold + k + 1):
            put(x, top + k, BLACK if x in (right - fold, right - fold + k) or k == fold else SILVER)

    # Lines of text.
    step = max(2, round(3 * s))
    first = top + fold + max(2, round(2 * s))
    for n, y in enumerate(range(first, bottom - 1, step)):
        end = right - round((3 + (n % 3) * 2) * s)
        for x in range(left + max(2, round(3 * s)), end):
            put(x, y, NAVY)

    # The pin through the top of the page: a needle under a round red head.
    cx, cy, r = round(15 * s), round(4 * s), max(3.6 * s, 2.3)
    for y in range(cy, top + max(2, round(3 * s))):
        put(cx, y, GREY)
    for y in range(size):
        for x in range(size):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= r:
                put(x, y, MAROON if d > r - 1.2 or (x > cx and y > cy) else RED)
    put(cx - max(1, round(s)), cy - max(1, round(s)), WHITE)  # a glint
    return pixels


def monochrome(pixels):
    """Black stays black; every other colour of the drawing becomes white."""
    return [[None if c is None else (0 if c in (BLACK, MAROON, NAVY, GREY) else 1) for c in row]
            for row in pixels]


def packed_rows(rows, bits):
    """Bottom-up rows of `bits`-per-pixel values, each padded to four bytes."""
    data = bytearray()
    for row in reversed(rows):
        value, count, line = 0, 0, bytearray()
        for pixel in row:
            value = (value << bits) | pixel
            count += bits
            if count == 8:
                line.append(value)
                value, count = 0, 0
        if count:
            line.append(value << (8 - count))
        line.extend(b"\0" * (-len(line) % 4))
        data += line
    return bytes(data)


def image(pixels, bits, palette):
    size = len(pixels)
    colour = packed_rows([[0 if c is None else c for c in row] for row in pixels], bits)
    mask = packed_rows([[1 if c is None else 0 for c in row] for row in pixels], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + colour + mask


def icon_file(images):
    """images: (size, bits, data) in directory order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, blobs = b"", b""
    for size, bits, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 1 << bits, 0, 1, bits,
                               len(data), offset + len(blobs))
        blobs += data
    return directory + entries + blobs


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "src/platform/win32/ontopview.ico"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    big, small = draw(32), draw(16)
    output.write_bytes(icon_file([
        (32, 1, image(monochrome(big), 1, PALETTE_2)),
        (32, 4, image(big, 4, PALETTE_16)),
        (16, 4, image(small, 4, PALETTE_16)),
    ]))
    print(f"wrote {output}")


if __name__ == "__main__":
    main()
