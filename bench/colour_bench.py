#!/usr/bin/python3
"""Scores coloured art against its picture, beside the goals.

Each art is drawn by the converter as a PNG (IPAGothic 16 px, 100 cells
across): --color (each cell an ink and a paper), --color=ink (each glyph in
its cell's colour on white) and black on white, matched by tone and by shape.

- colour: the Pearson r, channel by channel, of the drawing's cell means
  against the picture's (both area averaged to 1 px a cell); goal: every
  channel r >= 0.98 with --color.
- structure: SSIM of the drawing's luminance at 4 px a cell, as
  bench/shape_bench.py scores it; goal: --color at least black on white.
- time: drawing and encoding a 100 x 75 cell PNG in ink and paper
  (build/bench/art_bench); goal: 100 ms.

The photos come with python3-skimage (public domain or CC0, see its
skimage.data), plus fields of colour drawn here.

    bench/colour_bench.py BUILD [--keep DIR] [--only NAME,...]
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from PIL import Image
from skimage import data

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from shape_bench import FONT, SIZE, COLUMNS, area_resize, gray, run, score  # noqa: E402

PHOTOS = ["astronaut", "coffee", "chelsea", "rocket", "hubble_deep_field",
          "immunohistochemistry", "colorwheel"]
R_GOAL = 0.98
PNG_GOAL_MS = 100


def fields():
    """Four fields of colour, light to dark downwards, crossed by light lines."""
    w, h = 800, 600
    colours = np.array([[230, 40, 40], [40, 190, 60], [50, 70, 230], [240, 200, 40]], float)
    y, x = np.mgrid[0:h, 0:w]
    field = (x * 2 // w) + 2 * (y * 2 // h)
    shade = 1.0 - 0.8 * (y % (h // 2)) / (h / 2)
    light = np.where(x % 40 < 3, 0.5, 0.0)
    rgb = colours[field] * (shade * (1 - light))[..., None] + 255 * light[..., None]
    return rgb.astype(np.uint8)


def write_pictures(folder, only):
    paths = {}
    for name in ["fields"] + PHOTOS:
        if only and name not in only:
            continue
        pixels = fields() if name == "fields" else getattr(data, name)()
        path = os.path.join(folder, name + ".png")
        Image.fromarray(pixels[..., :3]).save(path)
        paths[name] = path
    return paths


def channels(path, columns, rows):
    rgb = np.asarray(Image.open(path).convert("RGB"), dtype=np.float64)
    return [area_resize(rgb[..., i], columns, rows) for i in range(3)]


def colour_r(picture, drawing):
    """r per channel of the drawing's cell means against the picture's."""
    size = Image.open(drawing).size
    columns, rows = size[0] // SIZE, size[1] // SIZE
    want = channels(picture, columns, rows)
    got = channels(drawing, columns, rows)
    return [np.corrcoef(w.ravel(), g.ravel())[0, 1] for w, g in zip(want, got)], columns, rows


def png_time(build):
    """The art bench's figures for the PNG in ink and paper."""
    out = subprocess.run([os.path.join(build, "bench", "art_bench")], check=True,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout
    return [line for line in out.splitlines() if "ink and paper" in line or "in colour" in line]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--keep", help="keep the pictures and drawings here")
    parser.add_argument("--only", default="", help="pictures by name, comma-separated")
    args = parser.parse_args()
    convert = os.path.join(args.build, "cli", "glyphorama-convert")
    folder = args.keep or tempfile.mkdtemp()
    os.makedirs(folder, exist_ok=True)
    pictures = write_pictures(folder, [n for n in args.only.split(",") if n])
    ramp = os.path.join(folder, "ramp.txt")
    run([convert, "--make-ramp", "--font=" + FONT, "--size=%d" % SIZE, "-o", ramp], os.devnull)

    png = [convert, "--fit", "--width=%d" % COLUMNS, "--height=1000", "--format=png",
           "--font=" + FONT, "--size=%d" % SIZE]
    tone = png + ["--ramp=" + ramp]
    shape = png + ["--match=shape"]
    kinds = [
        ("tone, --color", tone + ["--color"]),
        ("tone, --color=ink", tone + ["--color=ink"]),
        ("tone, black on white", tone),
        ("shape, --color", shape + ["--color"]),
        ("shape, black on white", shape),
    ]
    print("%-22s %-22s %6s %6s %6s %9s %8s" % ("picture", "art", "r red", "green", "blue",
                                             "SSIM 4px", "seconds"))
    totals = {kind: [] for kind, _ in kinds}
    failed = []
    for name, path in pictures.items():
        ssim = {}
        for kind, command in kinds:
            drawing = os.path.join(folder, "%s-%d.png" % (name, [k for k, _ in kinds].index(kind)))
            start = time.monotonic()
            run(command + [path, "-o", drawing], os.devnull)
            seconds = time.monotonic() - start
            rs, columns, rows = colour_r(path, drawing)
            ssim[kind] = score(gray(path), drawing, columns, rows)[1]
            totals[kind].append(rs + [ssim[kind]])
            print("%-22s %-22s %6.3f %6.3f %6.3f %9.3f %8.2f" % (name, kind, *rs, ssim[kind],
                                                                 seconds))
            if kind.endswith("--color") and min(rs) < R_GOAL:
                failed.append("%s %s: r %.3f < %.2f" % (name, kind, min(rs), R_GOAL))
        for how in ("tone", "shape"):
            if ssim[how + ", --color"] < ssim[how + ", black on white"]:
                failed.append("%s %s: SSIM %.3f below black on white %.3f" % (
                    name, how, ssim[how + ", --color"], ssim[how + ", black on white"]))
        sys.stdout.flush()
    print()
    print("mean over %d pictures (goals: r >= %.2f each channel with --color; "
          "SSIM with --color >= black on white)" % (len(pictures), R_GOAL))
    for kind, _ in kinds:
        print("%-45s %6.3f %6.3f %6.3f %9.3f" % (kind, *np.mean(totals[kind], axis=0)))
    print()
    print("100 x 75 cells (goal for the PNG: %d ms):" % PNG_GOAL_MS)
    for line in png_time(args.build):
        print("  " + line)
        if line.startswith("PNG, ink and paper") and float(line.split()[4]) > PNG_GOAL_MS:
            failed.append("PNG in ink and paper: %s ms > %d ms" % (line.split()[4], PNG_GOAL_MS))
    print()
    print("goals missed:" if failed else "every goal met")
    for line in failed:
        print("  " + line)
    if args.keep is None:
        subprocess.run(["rm", "-rf", folder])


if __name__ == "__main__":
    main()
