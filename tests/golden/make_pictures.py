#!/usr/bin/env python3
"""Writes the pictures of the reduced cases: larger than a block, with tones
that change within a cell, so that every cell edge that cuts a pixel counts.

Run: make_pictures.py GOLDEN_DIR. The files are committed; run it again only
to change them, then rewrite the expected texts."""
import os
import struct
import sys


def write_bmp(path, rows, top_down=False, bits=24):
    height, width = len(rows), len(rows[0])
    step = bits // 8
    stride = (width * step + 3) & ~3
    body = bytearray()
    for row in (rows if top_down else reversed(rows)):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r)) + (b"\xff" if step == 4 else b"")
        body += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                         0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(body), 0, 0, 54))
        out.write(header + body)


def scene(width, height, seed):
    """Gradients, a disc, stripes one pixel wide and a little noise."""
    state = seed
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            noise = (state >> 16) % 23
            r = (x * 255 // (width - 1) + noise) % 256
            g = (y * 255 // (height - 1) + (x % 2) * 90) % 256
            b = 255 - (x * y) % 256
            if (x - width // 3) ** 2 + (y - height // 2) ** 2 < (height // 3) ** 2:
                r, g, b = (r // 3, 255 - g, (b + 128) % 256)
            row.append((r, g, b))
        rows.append(row)
    return rows


def main():
    golden = sys.argv[1]
    write_bmp(os.path.join(golden, "scene.bmp"), scene(230, 170, 7))
    write_bmp(os.path.join(golden, "tall.bmp"), scene(130, 250, 11), top_down=True, bits=32)


if __name__ == "__main__":
    main()
