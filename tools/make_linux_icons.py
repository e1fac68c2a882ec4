#!/usr/bin/env python3
"""Writes the program's icon as PNG files for the freedesktop hicolor theme, drawn by the same
code as the Windows icon so both desktops show one picture. The output is the same byte for
byte on every run.

usage: tools/make_linux_icons.py [FOLDER]   (default packaging/icons)
"""

import pathlib
import struct
import sys
import zlib

from make_icon import PALETTE_16, draw

SIZES = (16, 32, 48, 64, 128, 256)


def png(pixels):
    """An 8-bit RGBA PNG of palette-index rows (None is transparent)."""
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for colour in row:
            raw += bytes((0, 0, 0, 0)) if colour is None else bytes((*PALETTE_16[colour], 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "packaging/icons"
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    folder.mkdir(parents=True, exist_ok=True)
    for size in SIZES:
        path = folder / f"ontopview-{size}.png"
        path.write_bytes(png(draw(size)))
        print(f"wrote {path}")


if __name__ == "__main__":
    main()
