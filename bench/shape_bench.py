#!/usr/bin/python3
"""Scores text art against its picture: density art, shape art, a plain
prototype of shape matching and chafa, on two sets of photos.

Each art is drawn as the window shows it (IPAGothic 16 px, square cells,
black on white; build/bench/shape_art). The drawing and the picture are
reduced by area averaging; tone is the Pearson r of the cell means (1 px a
cell); structure is SSIM with a 7 x 7 window at 4 px a cell (and 8 px, for
information), after giving the drawing the picture's mean and standard
deviation; runs is the share of the picture's flat cells (4 x 4 patch with a
standard deviation under FLAT levels) drawn with a glyph, not paper, that
repeats its left neighbour's: the visible runs of one glyph.

The photos are listed in bench/photos.txt: the tuning set (the photos of
python3-skimage and python3-scipy) is what the matcher's weights may be tuned
on, the check set (the desktops' wallpapers) what they are judged on.

    bench/shape_bench.py BUILD [--set tuning|check|both] [--kinds K,...]
                         [--convert PATH] [--art-command CMD] [--keep DIR]
                         [--only NAME,...] [--jobs N] [--weights GAIN,TONE]

--convert scores another build's converter (its density and shape art);
--art-command scores the art any command writes to its standard output,
"{}" standing for the picture's path (kind "command").
"""
import argparse
import multiprocessing
import os
import shlex
import subprocess
import sys
import tempfile
import warnings

import numpy as np
from PIL import Image, ImageDraw

warnings.filterwarnings("ignore", category=DeprecationWarning)
from skimage import data  # noqa: E402
from skimage.metrics import structural_similarity  # noqa: E402

FONT = "IPAGothic"
FONT_FILE = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
SIZE = 16
COLUMNS = 100
FLAT = 4.0  # a patch's standard deviation, in levels of 255, under which it is flat
PHOTOS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "photos.txt")
BLANK = {" ", "\u3000"}

# Key, label, drawn in half-width cells.
KINDS = [
    ("density", "density, ramp made by --make-ramp", False),
    ("shape", "shape, kanji and kana", False),
    ("shape-cp932", "shape, --pool=cp932", False),
    ("prototype", "prototype, kanji and kana", False),
    ("chafa-kanji", "chafa, the font's kanji", False),
    ("chafa-blocks", "chafa, block+border, twice the cells", True),
]
# What the shape art aims at: tone r and SSIM at 4 px a cell.
GOALS = {"shape": (0.98, 0.40), "shape-cp932": (0.98, 0.45)}


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


def read_photos(wanted_set, only):
    """(set, name, package, where) of each photo asked for, in the table's order."""
    photos = []
    for line in open(PHOTOS, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        fields = [f.strip() for f in line.split("|")]
        which, name, package, where = fields[:4]
        if wanted_set in (which, "both") and (not only or name in only):
            photos.append((which, name, package, where))
    return photos


def picture_file(folder, name, package, where):
    """A path the converter and chafa can read, or None when the photo is missing."""
    if where.startswith("/"):
        return where if os.path.isfile(where) else None
    try:
        if where == "drawn":
            pixels = synthetic()
        elif where.startswith("skimage:"):
            pixels = getattr(data, where.split(":", 1)[1])()
        elif where.startswith("scipy:"):
            # scipy.misc holds them in the package; scipy.datasets downloads them.
            from scipy import misc

            pixels = getattr(misc, where.split(":", 1)[1])()
        else:
            return None
    except Exception:  # not installed, or wants to download
        return None
    if isinstance(pixels, tuple):  # a stereo pair: its left picture
        pixels = pixels[0]
    pixels = np.clip(pixels, 0, 255).astype(np.uint8)  # scipy's ascent is of int64
    path = os.path.join(folder, name + ".png")
    Image.fromarray(pixels).save(path)
    return path


def runs(picture, text_path, half):
    """The share of flat cells, drawn with a glyph, whose glyph is its left neighbour's."""
    lines = [l for l in open(text_path, encoding="utf-8").read().split("\n") if l]
    columns, rows = max(len(l) for l in lines), len(lines)
    across = 2 if half else 4
    p = area_resize(picture, columns * across, rows * 4)
    patches = p.reshape(rows, 4, columns, across).transpose(0, 2, 1, 3).reshape(rows, columns, -1)
    flat = patches.std(axis=2) < FLAT
    inked = repeated = 0
    for r, line in enumerate(lines):
        for c in range(1, len(line)):
            if flat[r, c] and line[c] not in BLANK:
                inked += 1
                repeated += line[c] == line[c - 1]
    return repeated / inked if inked else 0.0


class Bench:
    """Everything a photo's arts need, shared by the worker processes."""

    def __init__(self, args, folder):
        self.folder = folder
        self.shape_art = os.path.join(args.build, "bench", "shape_art")
        convert = args.convert or os.path.join(args.build, "cli", "glyphorama-convert")
        self.convert = convert
        self.kinds = [k for k in KINDS if k[0] in args.kinds]
        if args.art_command:
            self.kinds.append(("command", args.art_label, args.art_half))
        fit = [convert, "--fit", "--width=%d" % COLUMNS, "--height=1000"]
        shape = fit + ["--match=shape", "--font=" + FONT, "--size=%d" % SIZE]
        chafa = ["chafa", "-f", "symbols", "-c", "none", "--fg", "black", "--bg", "white",
                 "-s", "%dx1000" % (2 * COLUMNS)]
        self.fit = fit
        self.commands = {
            "shape": shape,
            "shape-cp932": shape + ["--pool=cp932"],
            "chafa-kanji": chafa + ["--glyph-file", FONT_FILE, "--symbols", "4e00..9fff"],
            "chafa-blocks": chafa + ["--symbols", "block+border"],
        }
        if args.weights:
            gain, tone = args.weights.split(",")
            for key, pool in (("shape", "kanji"), ("shape-cp932", "cp932")):
                self.commands[key] = [self.shape_art, "match", "{}", pool, gain, tone]
        if args.art_command:
            self.commands["command"] = shlex.split(args.art_command)
        if "density" in args.kinds:
            ramp = os.path.join(folder, "ramp.txt")
            run([convert, "--make-ramp", "--font=" + FONT, "--size=%d" % SIZE, "-o", ramp],
                os.devnull)
            self.commands["density"] = fit + ["--ramp=" + ramp]
        self.prototype = Prototype(self.shape_art, folder) if "prototype" in args.kinds else None

    def art(self, key, path, picture, text):
        if key == "prototype":
            # As many cells as the converter fits the picture into.
            size = text[:-4] + "-size.txt"
            run(self.fit + [path], size)
            columns, rows = art_size(size)
            with open(text, "w", encoding="utf-8") as f:
                f.write(self.prototype.art(picture, columns, rows))
            return
        command = self.commands[key]
        if "{}" in command:
            run([path if a == "{}" else a for a in command], text)
        else:
            run(command + [path], text)

    def photo(self, item):
        """Rows of (kind, tone r, SSIM 4px, SSIM 8px, runs) for one photo."""
        name, path = item
        picture = gray(path)
        rows = []
        for key, _, half in self.kinds:
            text = os.path.join(self.folder, "%s-%s.txt" % (name, key))
            try:
                self.art(key, path, picture, text)
                png = text[:-4] + ".png"
                run([self.shape_art, "draw"] + (["--half"] if half else []) + [text, png],
                    os.devnull)
                columns, rows_ = art_size(text)
                if half:
                    columns //= 2
                figures = score(picture, png, columns, rows_) + [runs(picture, text, half)]
            except (subprocess.CalledProcessError, ValueError, OSError) as e:
                print("note: %s, %s failed: %s" % (name, key, e), file=sys.stderr)
                continue
            rows.append((key, *figures))
        return name, rows


BENCH = None  # the workers' copy, handed over by fork


def photo_in_worker(item):
    return BENCH.photo(item)


def goal_note(key, tone, ssim):
    if key not in GOALS:
        return ""
    want_tone, want_ssim = GOALS[key]
    return "goal r >= %.2f %s, SSIM >= %.2f %s" % (
        want_tone, "met" if tone >= want_tone else "short",
        want_ssim, "met" if ssim >= want_ssim else "short")


def main():
    global BENCH
    parser = argparse.ArgumentParser()
    parser.add_argument("build", help="the build folder with bench/shape_art (and the converter)")
    parser.add_argument("--set", default="both", choices=["tuning", "check", "both"])
    parser.add_argument("--kinds", default=",".join(k for k, _, _ in KINDS),
                        help="comma-separated, of: " + ", ".join(k for k, _, _ in KINDS) +
                        " (and command, with --art-command)")
    parser.add_argument("--convert", help="the converter whose density and shape art is scored")
    parser.add_argument("--art-command", help='scores what this command prints, "{}" the picture')
    parser.add_argument("--art-label", default="command", help="its label in the tables")
    parser.add_argument("--art-half", action="store_true",
                        help="its art is in half-width characters, two a cell")
    parser.add_argument("--keep", help="keep the pictures, arts and drawings here")
    parser.add_argument("--only", default="", help="photos by name, comma-separated")
    parser.add_argument("--jobs", type=int, default=2, help="photos scored at once")
    parser.add_argument("--weights", help="GAIN,TONE: shape art with other weights")
    parser.add_argument("--no-timing", action="store_true", help="leave out the match's time")
    args = parser.parse_args()
    args.kinds = [k for k in args.kinds.split(",") if k]
    unknown = [k for k in args.kinds if k not in [k for k, _, _ in KINDS] + ["command"]]
    if unknown:
        parser.error("unknown kind: " + ", ".join(unknown))

    folder = args.keep or tempfile.mkdtemp()
    os.makedirs(folder, exist_ok=True)
    only = [n for n in args.only.split(",") if n]
    sets = {}
    for which, name, package, where in read_photos(args.set, only):
        path = picture_file(folder, name, package, where)
        if path is None:
            print("note: %s photo %s skipped: %s (%s) is missing" % (which, name, where, package))
            continue
        sets.setdefault(which, []).append((name, path))
    BENCH = Bench(args, folder)
    labels = {key: label for key, label, _ in BENCH.kinds}
    header = "%-12s %-38s %7s %9s %9s %6s" % ("photo", "art", "tone r", "SSIM 4px", "SSIM 8px",
                                               "runs")
    means = {}
    with multiprocessing.get_context("fork").Pool(max(1, args.jobs)) as pool:
        for which, photos in sets.items():
            print()
            print("%s set, %d photos" % (which, len(photos)))
            print(header)
            totals = {}
            for name, rows in pool.imap(photo_in_worker, photos):
                for key, *figures in rows:
                    totals.setdefault(key, []).append(figures)
                    print("%-12s %-38s %7.3f %9.3f %9.3f %6.3f" % (name, labels[key], *figures))
                sys.stdout.flush()
            means[which] = totals
    for which, totals in means.items():
        print()
        print("mean over the %s set (%d photos)" % (which, len(sets[which])))
        print("%-51s %7s %9s %9s %6s" % ("art", "tone r", "SSIM 4px", "SSIM 8px", "runs"))
        for key, label, _ in BENCH.kinds:
            if key not in totals:
                continue
            m = np.mean(totals[key], axis=0)
            print("%-51s %7.3f %9.3f %9.3f %6.3f  %s" % (label, *m, goal_note(key, m[0], m[1])))
    if not args.no_timing and any(k in args.kinds for k in ("shape", "shape-cp932")):
        print()
        photos = [p for s in sets.values() for p in s]
        if photos:
            timing(BENCH.shape_art, dict(photos), folder)
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
