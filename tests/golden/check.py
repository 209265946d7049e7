#!/usr/bin/env python3
"""Checks every expected text under tests/golden against a computation of its
own, written from the program's documented rules and sharing no code with it:
a BMP reader of its own (JPEG cases are first decoded by djpeg, libjpeg's own
tool), the gray formula, the cells a reduced picture becomes and their exact
area averages, the tone steps and the six-slot history.

Run: check.py GOLDEN_DIR RAMP_SOURCE  (RAMP_SOURCE: engine/CharRamp.cpp, for the
built-in ramp's 256 entries). Exits 1 naming each case that differs."""
import math
from fractions import Fraction
import os
import re
import struct
import subprocess
import sys
import tempfile


def read_bmp(data):
    """Pixels (r, g, b) row by row of an uncompressed 24- or 32-bit BMP."""
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    top_down = height < 0
    height = abs(height)
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(height):
        stored = y if top_down else height - 1 - y
        base = offset + stored * stride
        rows.append([(data[base + x * step + 2], data[base + x * step + 1], data[base + x * step])
                     for x in range(width)])
    return rows


def read_picture(path):
    if path.endswith(".jpg"):
        with tempfile.NamedTemporaryFile(suffix=".bmp") as out:
            subprocess.run(["djpeg", "-bmp", "-outfile", out.name, path], check=True)
            return read_bmp(open(out.name, "rb").read())
    return read_bmp(open(path, "rb").read())


def gray(r, g, b):
    return math.floor((r * 0.3 + g * 0.59) + b * 0.11)


def adjust(levels, auto_level, brightness, contrast):
    """One render over the levels read: stretch, contrast, brightness, clamp."""
    lo, hi = min(levels), max(levels)
    out = []
    for g in levels:
        v = g
        if auto_level and hi != lo:
            v = round((g - lo) * 255.0 / (hi - lo))  # round() is half-to-even
        v = round((contrast / 101.0 + 1.0) * (v - 127) + 127.0) + brightness
        out.append(max(0, min(255, v)))
    return out


def read_back(levels):
    """The gray preview as the next render reads it."""
    return [gray(v, v, v) for v in levels]


STEPS = {  # name: (from the opened picture, auto-level, brightness, contrast)
    "brighter": (False, False, 10, 0), "darker": (False, False, -10, 0),
    "more-contrast": (False, False, 0, 10), "less-contrast": (False, False, 0, -10),
    "auto-level": (False, True, 0, 0), "reset": (True, False, 0, 0),
}


def run_steps(opened, steps):
    """The preview after the steps, with the window's history counters."""
    shown = adjust(opened, False, 0, 0)
    slots = [shown] + [None] * 5
    undo, cursor = 0, 0
    for step in steps:
        if step in STEPS:
            from_opened, auto, bright, contrast = STEPS[step]
            source = opened if from_opened else read_back(shown)
            # Re-base on the shown slot, then shift every snapshot one older.
            slots = slots[cursor:] + [None] * cursor
            undo = min(max(undo - cursor, 0) + 1, 5)
            slots = [slots[0]] + slots[:5]
            cursor = 0
            shown = adjust(source, auto, bright, contrast)
            slots[0] = shown
        elif step == "undo" and undo != 0:
            undo -= 1
            cursor = min(cursor + 1, 5)
            shown = adjust(read_back(slots[cursor]), False, 0, 0)
        elif step == "redo" and cursor != 0:
            undo += 1
            cursor -= 1
            shown = adjust(read_back(slots[cursor]), False, 0, 0)
    return shown


def cell_counts(width, height, most_columns, most_rows, aspect):
    """Columns and rows for an area of width x height pixels: the most columns
    allowed, and the rows that keep the area's shape when a cell is `aspect`
    times as tall as it is wide; if those rows are too many, the most rows
    allowed and the columns that keep the shape. Each count is rounded, a half
    up, and lies between 1 and both its limit and the pixels along its side."""
    columns = Fraction(min(most_columns, width))
    rows = columns * height / (width * aspect)
    if rows > most_rows:
        rows = Fraction(most_rows)
        columns = rows * width * aspect / height
    def side(cells, most, pixels):
        return max(1, min(math.floor(cells + Fraction(1, 2)), most, pixels))
    return side(columns, most_columns, width), side(rows, most_rows, height)


def cell_spans(start, length, cells):
    """For each of `cells` equal cells over [start, start + length): the pixels
    it touches, each with the part of the pixel inside the cell."""
    spans = []
    for k in range(cells):
        low = start + Fraction(length * k, cells)
        high = start + Fraction(length * (k + 1), cells)
        spans.append([(p, min(high, p + 1) - max(low, p))
                      for p in range(math.floor(low), math.ceil(high))])
    return spans


def parse_framing(options):
    """The converter options of a case: --fit or --crop, with the limits."""
    framing = {"crop": None, "most": [100, 100], "aspect": Fraction(1)}
    for option in options:
        name, _, value = option.partition("=")
        if name == "--fit":
            pass
        elif name == "--crop":
            framing["crop"] = [int(v) for v in value.split(",")]
        elif name == "--width":
            framing["most"][0] = int(value)
        elif name == "--height":
            framing["most"][1] = int(value)
        elif name == "--cell-aspect":
            framing["aspect"] = Fraction(value)
        else:
            raise ValueError(f"check.py does not compute {option}")
    return framing


def reduced_levels(rows, framing):
    """Each cell's level: the mean of the gray levels of the pixels under it,
    each weighted by the part of it inside the cell, rounded half to even."""
    height, width = len(rows), len(rows[0])
    x, y, w, h = framing["crop"] or (0, 0, width, height)
    # A rectangle reaching past the picture keeps the part inside it.
    left, top = max(x, 0), max(y, 0)
    right, bottom = min(x + w, width), min(y + h, height)
    columns, count = cell_counts(right - left, bottom - top, *framing["most"], framing["aspect"])
    across = cell_spans(left, right - left, columns)
    down = cell_spans(top, bottom - top, count)
    grays = [[gray(*p) for p in row] for row in rows]
    levels = []
    for cell_row in down:
        # The weighted sums down each pixel column, then across each cell.
        column_sums = {p: sum(part * grays[py][p] for py, part in cell_row)
                       for p in range(left, right)}
        row_weight = sum(part for _, part in cell_row)
        for cell in across:
            total = sum(part * column_sums[p] for p, part in cell)
            levels.append(round(total / (row_weight * sum(part for _, part in cell))))
    return columns, levels


def expected_text(picture, steps, ramp, options):
    pixels = read_picture(picture)
    if options:
        width, opened = reduced_levels(pixels, parse_framing(options))
    else:
        block = [row[:100] for row in pixels[:100]]
        width = len(block[0])
        opened = [gray(*p) for row in block for p in row]
    levels = run_steps(opened, steps)
    lines = ["".join(ramp[v] for v in levels[y:y + width]) for y in range(0, len(levels), width)]
    # The window ends every row with a line break, then drops the last one from
    # a text longer than 3 characters; the text format ends with one LF.
    text = "".join(line + "\r\n" for line in lines)
    if len(text) > 3:
        text = text[:-2]
    text = text.replace("\r\n", "\n")
    return text if text.endswith("\n") else text + "\n"


def main():
    golden, ramp_source = sys.argv[1], sys.argv[2]
    literal = "".join(re.findall(r'u"([^"]*)"', open(ramp_source, encoding="utf-8").read()))
    ramp = literal.split(",")
    assert len(ramp) == 256, len(ramp)
    failed = 0
    for line in open(os.path.join(golden, "cases.txt"), encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        name, picture, *rest = line.split()
        # After the picture: the steps, and converter options starting with --.
        options = [field for field in rest if field.startswith("--")]
        steps = [step for field in rest if not field.startswith("--")
                 for step in field.split(",")]
        want = open(os.path.join(golden, name + ".txt"), encoding="utf-8").read()
        if expected_text(os.path.join(golden, picture), steps, ramp, options) != want:
            print(f"{name}: the expected text differs from the independent computation")
            failed += 1
        else:
            print(f"{name}: agrees")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
