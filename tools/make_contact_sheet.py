#!/usr/bin/env python3
"""Renders every picture at 1x and 2x with Qt's SVG renderer and lays them out
on one contact sheet, so the whole set can be judged together.

Usage: tools/make_contact_sheet.py [sheet.png] [--only PREFIX...]
Needs ImageMagick's montage and the small Qt renderer tools/svgrender.cpp,
which this script compiles into build/tools/ when it is missing or older.
"""

import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURES = os.path.join(ROOT, "resources", "pictures")
RENDERER_SOURCE = os.path.join(ROOT, "tools", "svgrender.cpp")
RENDERER = os.path.join(ROOT, "build", "tools", "svgrender")


def renderer():
    if not os.path.exists(RENDERER) or os.path.getmtime(RENDERER) < os.path.getmtime(RENDERER_SOURCE):
        os.makedirs(os.path.dirname(RENDERER), exist_ok=True)
        flags = subprocess.check_output(
            ["pkg-config", "--cflags", "--libs", "Qt6Svg", "Qt6Gui"], text=True
        ).split()
        subprocess.check_call(["g++", "-std=c++20", "-O1", "-fPIC", RENDERER_SOURCE, "-o", RENDERER] + flags)
    return RENDERER


def natural_size(path):
    with open(path, encoding="utf-8") as svg:
        head = svg.read(600)
    w = re.search(r'width="([\d.]+)"', head)
    h = re.search(r'height="([\d.]+)"', head)
    return int(round(float(w.group(1)))), int(round(float(h.group(1))))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    only = sys.argv[sys.argv.index("--only") + 1 :] if "--only" in sys.argv else []
    if only:
        args = args[:1]
    out = args[0] if args else os.path.join(ROOT, "build", "contact-sheet.png")
    names = sorted(n[:-4] for n in os.listdir(PICTURES) if n.endswith(".svg"))
    if only:
        names = [n for n in names if any(n.startswith(p) for p in only)]
    tool = renderer()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.gettempdir())
    with tempfile.TemporaryDirectory() as tmp:
        jobs = []
        tiles = []
        for name in names:
            w, h = natural_size(os.path.join(PICTURES, name + ".svg"))
            one = os.path.join(tmp, f"{name}@1x.png")
            two = os.path.join(tmp, f"{name}@2x.png")
            jobs.append(f"{os.path.join(PICTURES, name + '.svg')} {one} {w} {h}")
            jobs.append(f"{os.path.join(PICTURES, name + '.svg')} {two} {2 * w} {2 * h}")
            tiles.append((name, one, two, w))
        listing = os.path.join(tmp, "jobs.txt")
        with open(listing, "w") as jf:
            jf.write("\n".join(jobs) + "\n")
        subprocess.check_call([tool, "--list", listing], env=env, stderr=subprocess.DEVNULL)

        # Small pictures share a grid; wide ones get rows of their own.
        small = [t for t in tiles if t[3] <= 64]
        wide = [t for t in tiles if t[3] > 64]
        pieces = []
        if small:
            pairs = []
            for name, one, two, _ in small:
                pair = os.path.join(tmp, f"pair-{name}.png")
                subprocess.check_call(
                    ["montage", one, two, "-background", "none", "-gravity", "south",
                     "-geometry", "+3+3", "-tile", "2x1", pair]
                )
                pairs.append((name, pair))
            grid = os.path.join(tmp, "grid.png")
            cmd = ["montage", "-background", "#dfe6f0", "-fill", "#2d3550", "-pointsize", "11"]
            for name, pair in pairs:
                cmd += ["-label", name, pair]
            cmd += ["-geometry", "104x70+6+6", "-tile", "8x", grid]
            subprocess.check_call(cmd)
            pieces.append(grid)
        for name, one, two, _ in wide:
            row = os.path.join(tmp, f"row-{name}.png")
            subprocess.check_call(
                ["montage", "-background", "#dfe6f0", "-fill", "#2d3550", "-pointsize", "11",
                 "-label", name + " 1x", one, "-label", name + " 2x", two,
                 "-geometry", "+8+6", "-tile", "2x1", row]
            )
            pieces.append(row)
        subprocess.check_call(["convert", "-background", "#dfe6f0"] + pieces + ["-append", out])
    print(out)


if __name__ == "__main__":
    main()
