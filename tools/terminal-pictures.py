#!/usr/bin/python3
"""Draws what a terminal shows of one photo: the converter's default on a
24-bit terminal (FOLDER/terminal-ours.png), the same on a terminal without
colours (terminal-plain.png), and chafa's default (terminal-chafa.png); each
run on a pseudo-terminal of 80 x 24, drawn on a dark ground in 8 x 16 pixel
columns (IPAGothic for full-width characters, DejaVu Sans Mono for the rest).

    tools/terminal-pictures.py CONVERTER PHOTO FOLDER
"""
import fcntl
import os
import pty
import re
import struct
import subprocess
import sys
import termios
import unicodedata

from PIL import Image, ImageDraw, ImageFont

COLUMNS, ROWS = 80, 24
CELL_W, CELL_H = 8, 16
GROUND, TEXT = (24, 24, 24), (204, 204, 204)
WIDE = ImageFont.truetype("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", 16)
NARROW = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 13)


def on_terminal(command, environment):
    """The bytes a command writes to a terminal of COLUMNS x ROWS."""
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", ROWS, COLUMNS, 0, 0))
    env = dict(os.environ, **environment)
    process = subprocess.Popen(command, stdout=slave, stderr=subprocess.DEVNULL, env=env)
    os.close(slave)
    out = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:
            break
        if not chunk:
            break
        out += chunk
    process.wait()
    os.close(master)
    return out.decode("utf-8", "replace")


def palette(index):
    if index < 16:
        base = [(0, 0, 0), (205, 0, 0), (0, 205, 0), (205, 205, 0), (0, 0, 238), (205, 0, 205),
                (0, 205, 205), (229, 229, 229), (127, 127, 127), (255, 0, 0), (0, 255, 0),
                (255, 255, 0), (92, 92, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
        return base[index]
    if index < 232:
        i = index - 16
        steps = [0, 95, 135, 175, 215, 255]
        return steps[i // 36], steps[i // 6 % 6], steps[i % 6]
    gray = 8 + 10 * (index - 232)
    return gray, gray, gray


def cells(text):
    """(column, row, character, wide, ink, paper) for each character shown."""
    ink, paper = TEXT, GROUND
    column = row = 0
    for token in re.findall(r"\x1b\[[0-9;?]*[A-Za-z]|\r|\n|[^\x1b\r\n]", text):
        if token.startswith("\x1b"):
            if not token.endswith("m"):
                continue
            codes = [int(c) if c else 0 for c in token[2:-1].split(";")]
            while codes:
                code = codes.pop(0)
                if code == 0:
                    ink, paper = TEXT, GROUND
                elif code in (38, 48) and codes and codes[0] == 2:
                    colour = tuple(codes[1:4])
                    codes = codes[4:]
                    ink, paper = (colour, paper) if code == 38 else (ink, colour)
                elif code in (38, 48) and codes and codes[0] == 5:
                    colour = palette(codes[1])
                    codes = codes[2:]
                    ink, paper = (colour, paper) if code == 38 else (ink, colour)
                elif code == 39:
                    ink = TEXT
                elif code == 49:
                    paper = GROUND
            continue
        if token == "\r":
            column = 0
        elif token == "\n":
            column, row = 0, row + 1
        else:
            wide = unicodedata.east_asian_width(token) in "WF"
            yield column, row, token, wide, ink, paper
            column += 2 if wide else 1


def draw(text):
    picture = Image.new("RGB", (COLUMNS * CELL_W, ROWS * CELL_H), GROUND)
    painter = ImageDraw.Draw(picture)
    for column, row, character, wide, ink, paper in cells(text):
        if row >= ROWS:
            break
        x, y = column * CELL_W, row * CELL_H
        width = CELL_W * (2 if wide else 1)
        painter.rectangle((x, y, x + width - 1, y + CELL_H - 1), fill=paper)
        painter.text((x, y), character, font=WIDE if wide else NARROW, fill=ink)
    return picture


def main():
    converter, photo, folder = sys.argv[1:4]
    colour = {"TERM": "xterm-256color", "COLORTERM": "truecolor"}
    shown = {
        "ours": on_terminal([converter, photo], colour),
        "plain": on_terminal([converter, photo], {"TERM": "xterm", "COLORTERM": ""}),
        "chafa": on_terminal(["chafa", photo], colour),
    }
    for name, text in shown.items():
        draw(text).save(os.path.join(folder, "terminal-%s.png" % name), optimize=True)


if __name__ == "__main__":
    main()
