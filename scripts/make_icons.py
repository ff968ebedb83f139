#!/usr/bin/env python3
"""Draws Vorlix's nine icons and writes them as 16-colour .ico files.

The images are pixel art defined below (one letter per pixel); the big program icon is drawn from
circles and bars so its disc stays round. Output is deterministic, so the committed .ico files can be
compared with a fresh run:

    python3 scripts/make_icons.py              # rewrite src/resources/icons/*.ico
    python3 scripts/make_icons.py --check      # exit 1 when a committed file differs
"""
import argparse
import os
import struct
import sys

# The classic 16-colour palette, in the order every 4-bit bitmap expects it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Letters used in the pixel art; "." is transparent.
INK = {"K": 0, "r": 1, "t": 6, "s": 7, "g": 8, "R": 9, "W": 15}
TRANSPARENT = None

PROGRAM_16 = """
................
................
................
.........ggggggg
..rrrr...ggggggg
.rRRRRr.........
rRRRRRRr........
rRRRRRRr.ggggggg
rRRRRRRr.ggggggg
rRRRRRRr........
.rRRRRr.........
..rrrr...ggggggg
.........ggggggg
................
................
................
"""

SUBMENU = """
................
.RR..........RR.
..RR........RR..
...RR......RR...
....RR....RR....
.....RR..RR.....
......RRRR......
.......RR.......
................
................
.gggggggggggggg.
................
.gggggggggggggg.
................
.gggggggggggggg.
................
"""

FILES = """
................
................
.KKKK...........
KrrrrK..........
KrrrrrKKKKKKK...
KrrrrrrrrrrrK...
KrrKKKKKKKKKKKKK
KrKRRRRRRRRRRRK.
KrKrrrrrrrrrrrK.
KKrrrrrrrrrrrK..
KKrrrrrrrrrrrK..
KrrrrrrrrrrrK...
KKKKKKKKKKKKK...
................
................
................
"""

CONFIGURATION = """
................
................
gggggggggggggggg
gggggggggggggggg
g..............g
g.....RRRR.....g
g....RRRRRR....g
g...RRR..RRR...g
g...RR....RR...g
g...RR....RR...g
g...RRR..RRR...g
g....RRRRRR....g
g.....RRRR.....g
g..............g
gggggggggggggggg
................
"""

REMARK = """
................
................
........K.......
........KK......
........KKK.....
........KKKK....
.KKKKKKKKKKKK...
.KKKKKKKKKKKKK..
.KKKKKKKKKKKKK..
.KKKKKKKKKKKK...
........KKKK....
........KKK.....
........KK......
........K.......
................
................
"""

CANCEL = """
................
................
..rr........rr..
..rrr......rrr..
...rrr....rrr...
....rrr..rrr....
.....rrrrrr.....
......rrrr......
......rrrr......
.....rrrrrr.....
....rrr..rrr....
...rrr....rrr...
..rrr......rrr..
..rr........rr..
................
................
"""

BOX = """
................
................
..rrrrrrrrrrrr..
..rrrrrrrrrrrr..
..rr........rr..
..rr........rr..
..rr........rr..
..rr........rr..
..rr........rr..
..rr........rr..
..rr........rr..
..rr........rr..
..rrrrrrrrrrrr..
..rrrrrrrrrrrr..
................
................
"""

TRAY_UP = """
.......rr.......
......rrrr......
.....rrrrrr.....
....rrrrrrrr....
...rrrrrrrrrr...
......rrrr......
......rrrr......
......rrrr......
......rrrr......
tt....rrrr....tt
tt....rrrr....tt
tt............tt
tt............tt
tttttttttttttttt
tttttttttttttttt
................
"""

DOUBLE_CHEVRON = """
................
................
gggggggggggggggg
gggggggggggggggg
g..............g
g..RR......RR..g
g...RR....RR...g
g....RR..RR....g
g.....RRRR.....g
g..RR......RR..g
g...RR....RR...g
g....RR..RR....g
g.....RRRR.....g
g..............g
gggggggggggggggg
................
"""


def from_art(art):
    rows = [line for line in art.strip("\n").split("\n")]
    size = len(rows)
    for line in rows:
        if len(line) != size:
            raise ValueError("pixel art must be square: %r" % line)
    return [[TRANSPARENT if ch == "." else INK[ch] for ch in line] for line in rows]


def program_icon_32():
    """Red disc with a dark-red rim beside three grey bars, drawn at 32 x 32."""
    size = 32
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    cx, cy, radius = 8.5, 15.5, 7.8
    for y in range(size):
        for x in range(size):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if d2 <= radius * radius:
                pixels[y][x] = INK["r"] if d2 > (radius - 1.4) ** 2 else INK["R"]
    for top in (8, 15, 22):
        for y in (top, top + 1):
            for x in range(19, size):
                pixels[y][x] = INK["g"]
    return pixels


def dib(pixels):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit colour rows and the 1-bit mask, bottom-up."""
    size = len(pixels)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(colour_stride)
        bits = bytearray(mask_stride)
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def ico(images):
    """An .ico file holding the given square images (largest first)."""
    blobs = [dib(p) for p in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


# Resource id, file name, images. The ids and their order fix ExtractIconExW's indices 0-8.
ICONS = [
    (1, "vorlix.ico", [program_icon_32(), from_art(PROGRAM_16)]),
    (100, "submenu.ico", [from_art(SUBMENU)]),
    (101, "files.ico", [from_art(FILES)]),
    (102, "configuration.ico", [from_art(CONFIGURATION)]),
    (103, "remark.ico", [from_art(REMARK)]),
    (104, "cancel.ico", [from_art(CANCEL)]),
    (105, "box.ico", [from_art(BOX)]),
    (106, "tray_up.ico", [from_art(TRAY_UP)]),
    (107, "double_chevron.ico", [from_art(DOUBLE_CHEVRON)]),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "src", "resources", "icons"))
    parser.add_argument("--check", action="store_true", help="compare with the files in --out instead of writing")
    args = parser.parse_args()

    stale = []
    os.makedirs(args.out, exist_ok=True)
    for _, name, images in ICONS:
        data = ico(images)
        path = os.path.join(args.out, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("icons out of date (run scripts/make_icons.py): " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
