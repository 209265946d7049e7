#!/usr/bin/python3
"""Scores text art against its picture: density art, shape art, a plain
prototype of shape matching and chafa, on the same photos.

Each art is drawn as the window shows it (IPAGothic 16 px, square cells,
black on white; build/bench/shape_art). The drawing and the picture are
reduced by area averaging; tone is the Pearson r of the cell means (1 px a
cell); structure is SSIM with a 7 x 7 window at 4 px a cell (and 8 px, for
information), after giving the drawing the picture's mean and standard
deviation.

The photos come with python3-skimage (public domain or CC0, see its
skimage.data), plus one drawn here with clear edges and gradients.

    bench/shape_bench.py BUILD [--keep DIR] [--only NAME,...]
"""
import argparse
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image, ImageDraw
from skimage import data
from skimage.metrics import structural_similarity

FONT = "IPAGothic"
FONT_FILE = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
SIZE = 16
COLUMNS = 100
PHOTOS = ["astronaut", "camera", "coffee", "chelsea", "rocket"]


def synthetic():
    """Clear edges, thin lines and gradients."""
    w, h = 800, 600
    x = np.linspace(0, 1, w)[None, :]
    y = np.linspace(0, 1, h)[:, None]
    base = (60 + 160 * x * (1 - 0.3 * y)) * np.ones((h, w))
    img = Image.fromarray(base.astype(np.uint8), "L").convert("RGB")
    d = ImageDraw.Draw(img)
    d.ellipse((80, 80, 330, 330), fill=(235, 235, 235), outline=(10, 10, 10), width=6)
    d.rectangle((420, 60, 740, 250), fill=(20, 20, 20))
    d.polygon([(450, 540), (600, 300), (760, 540)], fill=(200, 200, 200), outline=(0, 0, 0))
    for i in range(8):
        d.line((60 + 30 * i, 380, 60 + 30 * i, 570), fill=(0, 0, 0), width=3)
        d.line((420, 280 + 12 * i, 560, 280 + 12 * i), fill=(255, 255, 255), width=2)
    d.line((0, 0, w, h), fill=(255, 255, 255), width=4)
    for r in range(0, 90, 3):
        g = int(255 * r / 90)
        d.ellipse((200 - r + 100, 450 - r, 200 + r + 100, 450 + r), outline=(g, g, g))
    return np.asarray(img)


def write_photos(folder, only):
    paths = {}
    for name in PHOTOS + ["shapes"]:
        if only and name not in only:
            continue
        pixels = synthetic() if name == "shapes" else getattr(data, name)()
        path = os.path.join(folder, name + ".png")
        Image.fromarray(pixels).save(path)
        paths[name] = path
    return paths


def gray(path):
    rgb = np.asarray(Image.open(path).convert("RGB")).astype(np.float64)
    return rgb[..., 0] * 0.3 + rgb[..., 1] * 0.59 + rgb[..., 2] * 0.11


def area_resize(pixels, width, height):
    return np.asarray(
        Image.fromarray(pixels.astype(np.float32), "F").resize((width, height), Image.BOX),
        dtype=np.float64,
    )


def score(picture, drawing_path, columns, rows):
    """tone r, SSIM at 4 px a cell, SSIM at 8 px a cell."""
    drawing = np.asarray(Image.open(drawing_path).convert("L"), dtype=np.float64)
    figures = []
    tone_d = area_resize(drawing, columns, rows)
    tone_p = area_resize(picture, columns, rows)
    figures.append(np.corrcoef(tone_d.ravel(), tone_p.ravel())[0, 1])
    for per_cell in (4, 8):
        d = area_resize(drawing, columns * per_cell, rows * per_cell)
        p = area_resize(picture, columns * per_cell, rows * per_cell)
        d = (d - d.mean()) / (d.std() or 1) * p.std() + p.mean()
        figures.append(structural_similarity(d, p, win_size=7, data_range=255.0,
                                             gaussian_weights=False))
    return figures


def art_size(text_path):
    lines = [l for l in open(text_path, encoding="utf-8").read().split("\n") if l]
    return max(len(l) for l in lines), len(lines)


def run(args, out):
    with open(out, "wb") as f:
        subprocess.run(args, stdout=f, stderr=subprocess.DEVNULL, check=True,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))


def kanji_and_kana():
    found, seen = [], set()
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            try:
                c = bytes([lead, trail]).decode("cp932")
            except UnicodeDecodeError:
                continue
            o = ord(c)
            if len(c) == 1 and c not in seen and (
                0x3041 <= o <= 0x30FF or 0x3400 <= o <= 0x9FFF or 0xF900 <= o <= 0xFAFF
            ):
                seen.add(c)
                found.append(c)
    return ["\u3000"] + found


class Prototype:
    """The issue's prototype: 4 x 4 patches mapped into the pool's ink range,
    shape against shape (patch x 2) plus 4 x 16 times the squared mean
    difference, the mean error spread in Floyd-Steinberg's shares."""

    def __init__(self, shape_art, folder):
        glyphs = kanji_and_kana()
        per_line = 100
        text = os.path.join(folder, "pool.txt")
        with open(text, "w", encoding="utf-8") as f:
            for i in range(0, len(glyphs), per_line):
                f.write("".join(glyphs[i : i + per_line]).ljust(per_line, "\u3000") + "\n")
        png = os.path.join(folder, "pool.png")
        run([shape_art, "draw", text, png], os.devnull)
        sheet = 1 - np.asarray(Image.open(png).convert("L"), dtype=np.float64) / 255
        lines = (len(glyphs) + per_line - 1) // per_line
        cells = area_resize(sheet, per_line * 4, lines * 4)  # 4 x 4 a glyph
        shapes = []
        for i in range(len(glyphs)):
            r, c = divmod(i, per_line)
            shapes.append(cells[r * 4 : r * 4 + 4, c * 4 : c * 4 + 4].ravel())
        self.glyphs = glyphs
        self.shapes = np.array(shapes)
        self.means = self.shapes.mean(axis=1)
        self.centred = self.shapes - self.means[:, None]
        self.norms = (self.centred**2).sum(axis=1)

    def art(self, picture, columns, rows):
        p = area_resize(picture, columns * 4, rows * 4)
        lo, hi = self.means.min(), self.means.max()
        ink = lo + (1 - p / 255) * (hi - lo)
        carried = np.zeros((rows + 1, columns + 2))
        lines = []
        for r in range(rows):
            line = []
            for c in range(columns):
                patch = ink[r * 4 : r * 4 + 4, c * 4 : c * 4 + 4].ravel()
                m = patch.mean()
                want = m + carried[r, c + 1]
                pc = 2 * (patch - m)
                d = self.norms - 2 * self.centred @ pc + 64 * (self.means - want) ** 2
                k = int(np.argmin(d))
                line.append(self.glyphs[k])
                e = want - self.means[k]
                carried[r, c + 2] += e * 7 / 16
                carried[r + 1, c] += e * 3 / 16
                carried[r + 1, c + 1] += e * 5 / 16
                carried[r + 1, c + 2] += e * 1 / 16
            lines.append("".join(line))
        return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--keep", help="keep the pictures, arts and drawings here")
    parser.add_argument("--only", default="", help="photos by name, comma-separated")
    parser.add_argument("--weights", help="GAIN,TONE: shape art with other weights")
    args = parser.parse_args()
    convert = os.path.join(args.build, "cli", "glyphorama-convert")
    shape_art = os.path.join(args.build, "bench", "shape_art")
    folder = args.keep or tempfile.mkdtemp()
    os.makedirs(folder, exist_ok=True)
    only = [n for n in args.only.split(",") if n]
    photos = write_photos(folder, only)
    ramp = os.path.join(folder, "ramp.txt")
    run([convert, "--make-ramp", "--font=" + FONT, "--size=%d" % SIZE, "-o", ramp], os.devnull)
    prototype = Prototype(shape_art, folder)

    fit = [convert, "--fit", "--width=%d" % COLUMNS, "--height=1000"]
    shape = fit + ["--match=shape", "--font=" + FONT, "--size=%d" % SIZE]
    chafa = ["chafa", "-f", "symbols", "-c", "none", "--fg", "black", "--bg", "white",
             "-s", "%dx1000" % (2 * COLUMNS)]
    if args.weights:
        gain, tone = args.weights.split(",")
        shape = [shape_art, "match", "PICTURE", "kanji", gain, tone]
    kinds = [
        ("density, ramp made by --make-ramp", fit + ["--ramp=" + ramp], False),
        ("shape, kanji and kana", shape, False),
        ("shape, --pool=cp932", shape + ["--pool=cp932"] if not args.weights else
         [shape_art, "match", "PICTURE", "cp932", gain, tone], False),
        ("prototype, kanji and kana", None, False),
        ("chafa, the font's kanji", chafa + ["--glyph-file", FONT_FILE, "--symbols", "4e00..9fff"], False),
        ("chafa, block+border, twice the cells", chafa + ["--symbols", "block+border"], True),
    ]
    totals = {kind: [] for kind, _, _ in kinds}
    print("%-12s %-38s %7s %9s %9s" % ("photo", "art", "tone r", "SSIM 4px", "SSIM 8px"))
    for name, path in photos.items():
        picture = gray(path)
        for kind, command, half in kinds:
            text = os.path.join(folder, "%s-%d.txt" % (name, kinds.index((kind, command, half))))
            if command is None:
                columns, rows = art_size(os.path.join(folder, "%s-1.txt" % name))
                with open(text, "w", encoding="utf-8") as f:
                    f.write(prototype.art(picture, columns, rows))
            elif "PICTURE" in command:
                run([path if a == "PICTURE" else a for a in command], text)
            else:
                run(command + [path], text)
            png = text[:-4] + ".png"
            run([shape_art, "draw"] + (["--half"] if half else []) + [text, png], os.devnull)
            columns, rows = art_size(text)
            if half:
                columns //= 2
            figures = score(picture, png, columns, rows)
            totals[kind].append(figures)
            print("%-12s %-38s %7.3f %9.3f %9.3f" % (name, kind, *figures))
        sys.stdout.flush()
    print()
    print("mean over %d photos" % len(photos))
    for kind, _, _ in kinds:
        m = np.mean(totals[kind], axis=0)
        print("%-51s %7.3f %9.3f %9.3f" % (kind, *m))
    print()
    timing(shape_art, photos, folder)
    if args.keep is None:
        subprocess.run(["rm", "-rf", folder])


def timing(shape_art, photos, folder):
    """The match alone once the pool is ready, and measuring a pool afresh."""
    picture = photos.get("astronaut") or next(iter(photos.values()))
    for pool in ("kanji", "cp932"):
        cache = os.path.join(folder, "cache-" + pool)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CACHE_HOME=cache)
        for label in ("measured", "kept"):
            out = subprocess.run([shape_art, "time", picture, pool], env=env, check=True,
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            print("%-6s %-8s %s" % (pool, label, out.stdout.strip()))


if __name__ == "__main__":
    main()
