#!/usr/bin/env python3
"""Makes the raster pictures and the shape tables of the map window.

From resources/pictures/keymap.svg it renders the map picture in its two window
sizes (363 x 205 and 519 x 293 pixels), derives the outline from the alpha
channel and writes:
  resources/pictures/keymap-normal.png, keymap-large.png   the pictures, fully
      opaque inside the outline and fully transparent outside it;
  resources/pictures/keymap-normal.pbm, keymap-large.pbm   the outline as a
      plain bitmap (1 = inside), which the tests compare with the tables;
  tutor/core/MapSpanTables.cpp                             the two span tables.
A span table lists, for every even row y, the runs x1..x2 (x2 excluded) that
are inside the outline on both rows y and y + 1, packed as
x1 * 1,000,000 + y * 1,000 + x2, rows top to bottom, runs left to right.

It also renders the application icons to resources/appicons/<name>-<size>.png
and the pictures the help pages show to data/help/img/<name>.png, at twice
their size so that they stay sharp on dense screens.

Rendering uses Qt's SVG renderer (tools/svgrender.cpp, built on demand), the
one the programs use. Only the standard library is needed besides it.
"""

import os
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tools"))
from make_contact_sheet import natural_size, renderer  # noqa: E402

PICTURES = os.path.join(ROOT, "resources", "pictures")
MAP_SIZES = {"normal": (363, 205), "large": (519, 293)}
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
ICONS = {"zentavo": "app-zentavo", "editorzentavo": "app-editor"}
HELP_IMAGES = (
    ["fingermap-strip", "keymap", "app-zentavo", "app-editor", "press-enter", "record0", "clock"]
    + [f"menu-{n}" for n in ("close", "restart", "help", "sound", "finger-map", "highlight",
                             "background", "type-for-me", "language")]
    + [str(n) for n in range(400, 433) if not 404 <= n <= 419]
    + ["face-smile", "face-neutral", "face-sad", "face-sad-red", "print-normal", "pdf-normal",
       "finger0", "finger3", "finger4", "finger7", "file-new", "file-open"]
)


def read_png(path):
    """Decodes an 8-bit RGBA, non-interlaced PNG into rows of (r, g, b, a)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    at, idat, width, height = 8, b"", 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at : at + 8])
        body = data[at + 8 : at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour != 6 or interlace != 0:
                raise ValueError(f"{path}: expected 8-bit RGBA, got depth {depth} type {colour}")
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride, bpp = width * 4, 4
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - bpp] if i >= bpp else 0
            up = prior[i]
            up_left = prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else up_left)
                row[i] = (row[i] + pred) & 255
        rows.append([tuple(row[x * 4 : x * 4 + 4]) for x in range(width)])
        prior = row
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def span_table(width, height, rows):
    """Runs inside the outline on both rows of each even row pair."""
    inside = [[px[3] >= 128 for px in row] for row in rows]
    entries = []
    for y in range(0, height, 2):
        pair = [inside[y][x] and (y + 1 >= height or inside[y + 1][x]) for x in range(width)]
        x = 0
        while x < width:
            if pair[x]:
                start = x
                while x < width and pair[x]:
                    x += 1
                entries.append(start * 1_000_000 + y * 1_000 + x)
            else:
                x += 1
    return entries


def region_of(width, height, entries):
    mask = [[False] * width for _ in range(height)]
    for n in entries:
        x1, y, x2 = n // 1_000_000, (n // 1_000) % 1_000, n % 1_000
        for yy in (y, y + 1):
            if yy < height:
                for x in range(x1, x2):
                    mask[yy][x] = True
    return mask


def write_pbm(path, width, height, mask, comment):
    with open(path, "w", newline="\n") as f:
        f.write(f"P1\n# {comment}\n{width} {height}\n")
        for row in mask:
            bits = "".join("1" if v else "0" for v in row)
            for i in range(0, len(bits), 70):
                f.write(bits[i : i + 70] + "\n")


def cpp_array(name, entries):
    lines = [f"const std::int32_t {name}[] = {{"]
    for i in range(0, len(entries), 6):
        lines.append("    " + ", ".join(str(v) for v in entries[i : i + 6]) + ",")
    lines.append("};")
    return "\n".join(lines)


def write_tables(tables):
    path = os.path.join(ROOT, "tutor", "core", "MapSpanTables.cpp")
    body = [
        "// Generated by tools/make_rasters.py from resources/pictures/keymap.svg;",
        "// regenerate rather than edit. Each entry is x1 * 1,000,000 + y * 1,000 + x2",
        "// and covers rows y and y + 1 from x1 up to (not including) x2.",
        '#include "tutor/core/MapSpanTables.h"',
        "",
        "namespace {",
        "",
        cpp_array("normalSpans", tables["normal"]),
        "",
        cpp_array("largeSpans", tables["large"]),
        "",
        "} // namespace",
        "",
        "namespace MapSpanTables {",
        "",
        "std::span<const std::int32_t> normal() { return normalSpans; }",
        "",
        "std::span<const std::int32_t> large() { return largeSpans; }",
        "",
        "} // namespace MapSpanTables",
        "",
    ]
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(body))
    # Keep the generated source in the tree's format, so format checks pass.
    try:
        subprocess.check_call(["clang-format", "-i", path])
    except OSError:
        print("clang-format not found: run it on MapSpanTables.cpp before committing")


def render(jobs):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.gettempdir())
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as listing:
        listing.write("\n".join(f"{src} {dst} {w} {h}" for src, dst, w, h in jobs) + "\n")
    try:
        subprocess.check_call([renderer(), "--list", listing.name], env=env, stderr=subprocess.DEVNULL)
    finally:
        os.unlink(listing.name)


def main():
    source = os.path.join(PICTURES, "keymap.svg")
    with tempfile.TemporaryDirectory() as tmp:
        jobs = [(source, os.path.join(tmp, f"{k}.png"), w, h) for k, (w, h) in MAP_SIZES.items()]
        render(jobs)
        tables = {}
        for kind, (w, h) in MAP_SIZES.items():
            width, height, rows = read_png(os.path.join(tmp, f"{kind}.png"))
            assert (width, height) == (w, h)
            entries = span_table(width, height, rows)
            mask = region_of(width, height, entries)
            opaque = [
                [(px[0], px[1], px[2], 255) if mask[y][x] else (0, 0, 0, 0) for x, px in enumerate(row)]
                for y, row in enumerate(rows)
            ]
            write_png(os.path.join(PICTURES, f"keymap-{kind}.png"), width, height, opaque)
            write_pbm(
                os.path.join(PICTURES, f"keymap-{kind}.pbm"), width, height, mask,
                "outline of the map window, 1 = inside",
            )
            tables[kind] = entries
            print(f"keymap-{kind}: {width} x {height}, {len(entries)} spans")
        write_tables(tables)

    icons = os.path.join(ROOT, "resources", "appicons")
    os.makedirs(icons, exist_ok=True)
    jobs = []
    for name, svg in ICONS.items():
        for size in ICON_SIZES:
            jobs.append((os.path.join(PICTURES, svg + ".svg"), os.path.join(icons, f"{name}-{size}.png"), size, size))
    help_images = os.path.join(ROOT, "data", "help", "img")
    os.makedirs(help_images, exist_ok=True)
    for name in HELP_IMAGES:
        svg = os.path.join(PICTURES, name + ".svg")
        w, h = natural_size(svg)
        jobs.append((svg, os.path.join(help_images, name + ".png"), 2 * w, 2 * h))
    render(jobs)


if __name__ == "__main__":
    main()
