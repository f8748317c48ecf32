#!/usr/bin/env python3
"""Draws every picture of Zentavo and EditorZentavo as SVG.

All pictures share one look: rounded shapes, flat friendly colours with a soft
highlight, and a dark ink outline, so that they read well for children at
32 pixels and stay sharp at any size. Pictures that the programs need as
rasters (the shaped map window, the desktop icons) are rendered from these SVGs
by tools/make_rasters.py.

Usage: tools/make_pictures.py [output folder]   (default: resources/pictures)
It also writes resources/pictures.qrc, listing every picture under ":/pictures".
"""

import math
import os
import sys

INK = "#2d3550"
WHITE = "#ffffff"
SKIN = "#f7cfa8"
SKIN_INK = "#9b6243"
RED = "#e53935"
RED_INK = "#9c1c1c"
CUFF = "#5b8def"
CUFF_INK = "#2f5bb7"
YELLOW = "#ffcf3f"
YELLOW_INK = "#a97a06"
GOLD = "#f4b400"
GREEN = "#43b06a"
GREEN_INK = "#23703f"
BLUE = "#3d7fe0"
BLUE_INK = "#23509b"
ORANGE = "#ff8c3a"
PURPLE = "#8c6be8"
GREY = "#9aa3b5"

# Key colours of the on-screen keyboard, by finger.
FINGER_COLOURS = {
    "little": "#b9cfe0",
    "ring": "#d6deb5",
    "middle": "#efccc5",
    "index": "#a2ccb8",
    "thumb": "#e2ebeb",
}
PLAIN_KEY = "#e0e0e0"
# Qt's SVG renderer takes one family name only; Liberation Sans is installed
# with the programs (Arial's metric twin).
FONT = "Liberation Sans"

PICTURES = {}


def picture(name, width, height, body, defs=""):
    """Registers one picture: a complete SVG document of the given natural size."""
    text = (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n'
    )
    if defs:
        text += f"<defs>{defs}</defs>\n"
    text += body + "\n</svg>\n"
    PICTURES[name] = text


def f(v):
    """A number for SVG: short, no trailing zeros."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def vgrad(gid, top, bottom):
    return (
        f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
        "</linearGradient>"
    )


def rgrad(gid, inner, outer, cx=0.38, cy=0.32, r=0.75):
    return (
        f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}">'
        f'<stop offset="0" stop-color="{inner}"/><stop offset="1" stop-color="{outer}"/>'
        "</radialGradient>"
    )


def star_points(cx, cy, r_out, r_in=None, n=5, rotation=-90):
    r_in = r_in if r_in is not None else r_out * 0.45
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180 / n)
        pts.append(f"{f(cx + r * math.cos(a))},{f(cy + r * math.sin(a))}")
    return " ".join(pts)


def star(cx, cy, r, fill=GOLD, ink=YELLOW_INK, width=1.0):
    return (
        f'<polygon points="{star_points(cx, cy, r)}" fill="{fill}" stroke="{ink}" '
        f'stroke-width="{f(width)}" stroke-linejoin="round"/>'
    )


# ---------------------------------------------------------------- hands

# A left hand seen from above, fingers up, in a 32 x 32 box; the right hand is
# its mirror image. Rectangles: x, y, width, height.
FINGER_RECTS = {
    "little": (7.4, 9.4, 3.5, 11),
    "ring": (11.1, 5.9, 3.7, 13),
    "middle": (14.9, 4.4, 3.7, 14),
    "index": (18.7, 6.3, 3.7, 13),
}


def hand(fingers=None, red=None, palm=SKIN, ink=SKIN_INK, cuff=True, width=1.0, right=False):
    """One hand. `fingers` maps finger names to fill colours (skin when absent);
    the finger named by `red` is drawn in red."""
    fingers = fingers or {}

    def colours(name):
        if name == red:
            return RED, RED_INK
        return fingers.get(name, palm), ink

    parts = []
    fill, stroke = colours("thumb")
    parts.append(
        f'<rect x="-1.95" y="-10" width="3.9" height="11" rx="1.95" fill="{fill}" '
        f'stroke="{stroke}" stroke-width="{f(width)}" transform="translate(21.6 21.8) rotate(52)"/>'
    )
    for name, (x, y, w, h) in FINGER_RECTS.items():
        fill, stroke = colours(name)
        parts.append(
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{f(w / 2)}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{f(width)}"/>'
        )
    parts.append(
        f'<path d="M7.4 15.2 H22.4 V23 Q22.4 28 17.4 28 H12.4 Q7.4 28 7.4 23 Z" fill="{palm}" '
        f'stroke="{ink}" stroke-width="{f(width)}" stroke-linejoin="round"/>'
    )
    # Redraw the tips of the fingers over the palm's edge, so each finger reads
    # as one piece and the knuckle line stays only between fingers.
    for name, (x, y, w, h) in FINGER_RECTS.items():
        fill, _ = colours(name)
        parts.append(
            f'<rect x="{f(x + width / 2)}" y="{f(14.4)}" width="{f(w - width)}" height="2.2" '
            f'fill="{fill}"/>'
        )
    if cuff:
        parts.append(
            f'<rect x="8.4" y="26.6" width="13" height="5.4" rx="1.3" fill="{CUFF}" '
            f'stroke="{CUFF_INK}" stroke-width="{f(width)}"/>'
        )
    group = "".join(parts)
    if right:
        return f'<g transform="translate(32 0) scale(-1 1)">{group}</g>'
    return f"<g>{group}</g>"


def placed(content, x, y, scale):
    return f'<g transform="translate({f(x)} {f(y)}) scale({f(scale)})">{content}</g>'


# The ten finger images of the keyboard: home keys A S D F J K L ò, then the
# two ends of the space bar. The hand sits at the lower right of the icon so
# that the key's letter in its upper left corner stays visible.
FINGER_IMAGES = [
    ("little", False),
    ("ring", False),
    ("middle", False),
    ("index", False),
    ("index", True),
    ("middle", True),
    ("ring", True),
    ("little", True),
    ("thumb", False),
    ("thumb", True),
]


def finger_images():
    for i, (finger, right) in enumerate(FINGER_IMAGES):
        body = placed(hand(red=finger, right=right, width=1.15), 7.0, 6.4, 0.8)
        picture(f"finger{i}", 32, 32, body)



# Stronger versions of the finger colours for small symbols, where the pale
# key colours would look white.
FINGER_STRONG = {
    "little": "#7fa8d2",
    "ring": "#b3c266",
    "middle": "#e8978a",
    "index": "#55b08a",
    "thumb": "#a6c3c6",
}


def darker(colour, amount=0.35):
    r, g, b = (int(colour[i : i + 2], 16) for i in (1, 3, 5))
    return "#%02x%02x%02x" % tuple(int(c * (1 - amount)) for c in (r, g, b))


def lighter(colour, amount=0.35):
    r, g, b = (int(colour[i : i + 2], 16) for i in (1, 3, 5))
    return "#%02x%02x%02x" % tuple(int(c + (255 - c) * amount) for c in (r, g, b))


def text(x, y, s, size, fill=INK, anchor="middle", weight="bold"):
    return (
        f'<text x="{f(x)}" y="{f(y)}" font-family="{FONT}" font-size="{f(size)}" '
        f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}">{s}</text>'
    )


# ---------------------------------------------------------------- finger strip

STRIP_CAPS = [
    ("little", False, "A"),
    ("ring", False, "S"),
    ("middle", False, "D"),
    ("index", False, "F"),
    ("thumb", None, ""),
    ("index", True, "J"),
    ("middle", True, "K"),
    ("ring", True, "L"),
    ("little", True, "\u00f2"),
]


def keycap(x, y, w, h, colour, rx=5, width=1.2):
    """A raised keycap: darker skirt below, lighter top face."""
    return (
        f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="{f(rx)}" '
        f'fill="{darker(colour, 0.22)}" stroke="{darker(colour, 0.55)}" stroke-width="{f(width)}"/>'
        f'<rect x="{f(x + 2.5)}" y="{f(y + 1.5)}" width="{f(w - 5)}" height="{f(h - 5.5)}" '
        f'rx="{f(rx - 1.5)}" fill="{colour}"/>'
        f'<rect x="{f(x + 4)}" y="{f(y + 2.5)}" width="{f(w - 8)}" height="{f(h * 0.28)}" '
        f'rx="{f(rx - 2)}" fill="{lighter(colour, 0.45)}" opacity="0.7"/>'
    )


def finger_strip():
    width, height = 622, 47
    normal_w, space_w, gap, top, cap_h = 58, 122, 4, 2, 43
    parts = []
    x = 2.0
    for finger, right, letter in STRIP_CAPS:
        w = space_w if right is None else normal_w
        parts.append(keycap(x, top, w, cap_h, FINGER_COLOURS[finger]))
        if right is None:
            parts.append(placed(hand(red="thumb", width=1.0), x + 6, 4.5, 1.3))
            parts.append(placed(hand(red="thumb", right=True, width=1.0), x + w - 6 - 41.6, 4.5, 1.3))
        else:
            parts.append(text(x + 11, 17, letter, 12))
            parts.append(placed(hand(red=finger, right=right, width=1.0), x + 12, 4.5, 1.3))
        x += w + gap
    picture("fingermap-strip", width, height, "".join(parts))


# ---------------------------------------------------------------- keyboard

# The keys of the Italian keyboard as the tutor draws them: number, left, top,
# width, height (twips), label, finger of the classic split.
NUMBER_ROW = [
    (52, 60, "\\", "little"), (60, 645, "1", "little"), (61, 1230, "2", "little"),
    (58, 1815, "3", "ring"), (57, 2400, "4", "middle"), (49, 2985, "5", "index"),
    (46, 3570, "6", "index"), (45, 4155, "7", "index"), (34, 4740, "8", "index"),
    (33, 5325, "9", "middle"), (32, 5910, "0", "ring"), (50, 6495, "'", "little"),
    (51, 7080, "\u00ec", "little"),
]
UPPER_ROW = [
    (0, 900, "Q", "little"), (1, 1485, "W", "ring"), (2, 2070, "E", "middle"),
    (3, 2655, "R", "index"), (4, 3240, "T", "index"), (5, 3825, "Y", "index"),
    (6, 4410, "U", "index"), (7, 4995, "I", "middle"), (8, 5580, "O", "ring"),
    (9, 6165, "P", "little"), (42, 6750, "\u00e8", "little"), (43, 7335, "+", "little"),
]
HOME_ROW = [
    (10, 1005, "A", "little"), (11, 1590, "S", "ring"), (12, 2175, "D", "middle"),
    (13, 2760, "F", "index"), (14, 3345, "G", "index"), (15, 3930, "H", "index"),
    (16, 4515, "J", "index"), (17, 5100, "K", "middle"), (18, 5685, "L", "ring"),
    (19, 6270, "\u00f2", "little"), (40, 6855, "\u00e0", "little"), (41, 7440, "\u00f9", "little"),
]
LOWER_ROW = [
    (20, 795, "&lt;", "little"), (21, 1380, "Z", "ring"), (22, 1965, "X", "middle"),
    (23, 2550, "C", "index"), (24, 3135, "V", "index"), (25, 3720, "B", "index"),
    (26, 4305, "N", "index"), (27, 4890, "M", "middle"), (28, 5475, ",", "ring"),
    (29, 6060, ".", "little"), (53, 6645, "-", "little"),
]


def keyboard_keys():
    """Every key as (left, top, width, height, label, finger) in twips."""
    keys = []
    for row, top in ((NUMBER_ROW, 75), (UPPER_ROW, 705), (HOME_ROW, 1335), (LOWER_ROW, 1965)):
        for _, left, label, finger in row:
            keys.append((left, top, 435, 495, label, finger))
    keys += [
        (7665, 75, 1155, 495, "", "little"),
        (60, 705, 690, 495, "", "little"),
        (60, 1335, 795, 495, "", "little"),
        (60, 1965, 585, 495, "shift", "little"),
        (7230, 1965, 1590, 495, "shift", "little"),
        (60, 2595, 795, 495, "", "little"),
        (1005, 2595, 750, 495, "", "little"),
        (1905, 2595, 750, 495, "", "ring"),
        (2805, 2595, 2415, 495, "", "thumb"),
        (5370, 2595, 750, 495, "", "little"),
        (6270, 2595, 750, 495, "", "little"),
        (7170, 2595, 750, 495, "", "little"),
        (8070, 2595, 750, 495, "", "little"),
    ]
    return keys


ENTER_OUTLINE = [(7920, 705), (8820, 705), (8820, 1830), (8025, 1830), (8025, 1200), (7920, 1200)]


def keyboard(x0, y0, scale, coloured=True, labels=True, font=9.5, rx=2.2, width=0.8):
    """The whole keyboard, twips scaled to pixels, its top left key at x0, y0."""

    def px(v):
        return x0 + (v - 60) * scale

    def py(v):
        return y0 + (v - 75) * scale

    parts = []

    def cap_colour(finger):
        return FINGER_COLOURS[finger] if coloured else PLAIN_KEY

    for left, top, w, h, label, finger in keyboard_keys():
        colour = cap_colour(finger)
        parts.append(
            f'<rect x="{f(px(left))}" y="{f(py(top))}" width="{f(w * scale)}" '
            f'height="{f(h * scale)}" rx="{f(rx)}" fill="{colour}" '
            f'stroke="{darker(colour, 0.5)}" stroke-width="{f(width)}"/>'
        )
        if labels and label == "shift":
            cx = px(left) + w * scale / 2
            cy = py(top) + h * scale / 2
            a = h * scale * 0.32
            pts = [(0, -a), (a, 0), (a * 0.45, 0), (a * 0.45, a), (-a * 0.45, a), (-a * 0.45, 0), (-a, 0)]
            parts.append(
                '<polygon points="'
                + " ".join(f"{f(cx + dx)},{f(cy + dy)}" for dx, dy in pts)
                + f'" fill="none" stroke="{INK}" stroke-width="{f(width)}" stroke-linejoin="round"/>'
            )
        elif labels and label:
            parts.append(text(px(left) + w * scale / 2, py(top) + h * scale * 0.64, label, font))
    colour = cap_colour("little")
    points = " ".join(f"{f(px(x))},{f(py(y))}" for x, y in ENTER_OUTLINE)
    parts.append(
        f'<polygon points="{points}" fill="{colour}" stroke="{darker(colour, 0.5)}" '
        f'stroke-width="{f(width)}" stroke-linejoin="round"/>'
    )
    for bx in (2850, 4590):
        parts.append(
            f'<line x1="{f(px(bx))}" y1="{f(py(1755))}" x2="{f(px(bx + 225))}" y2="{f(py(1755))}" '
            f'stroke="{darker(FINGER_COLOURS["index"], 0.5)}" stroke-width="{f(width * 1.3)}" '
            'stroke-linecap="round"/>'
        )
    return "".join(parts)


def key_map():
    """The picture of the shaped map window: the keyboard coloured by finger on a
    rounded panel, with the two hands below it, each finger in its key colour."""
    width, height = 363, 205
    scale = 347 / 8760
    panel_h = 137
    defs = vgrad("panel", "#46587e", "#27324b")
    parts = [
        f'<rect x="1.5" y="1.5" width="{width - 3}" height="{panel_h}" rx="14" fill="url(#panel)" '
        f'stroke="#161d2e" stroke-width="3"/>',
        keyboard(8, 8.5, scale, font=9.5),
    ]
    fingers = dict(FINGER_COLOURS)
    hand_scale = 2.72
    for right, centre in ((False, 109), (True, 254)):
        x = centre - 16 * hand_scale
        parts.append(
            placed(hand(fingers=fingers, right=right, width=1.1, ink="#3a2a22"), x, 117, hand_scale)
        )
    picture("keymap", width, height, "".join(parts), defs)


# ---------------------------------------------------------------- icons 400-403

def pencil(tip_x, tip_y, angle=-52, length=17.0, width=5.2):
    """A yellow pencil whose graphite tip is at (tip_x, tip_y)."""
    h = width / 2
    body_start, band_start, eraser_start = 5.0, length - 4.2, length - 2.7
    return (
        f'<g transform="translate({f(tip_x)} {f(tip_y)}) rotate({angle})">'
        f'<path d="M0 0 L{f(body_start)} {f(-h)} H{f(band_start)} V{f(h)} H{f(body_start)} Z" '
        f'fill="{YELLOW}" stroke="{INK}" stroke-width="0.9" stroke-linejoin="round"/>'
        f'<path d="M0 0 L{f(body_start)} {f(-h)} V{f(h)} Z" fill="#f2d2a2" stroke="{INK}" '
        'stroke-width="0.9" stroke-linejoin="round"/>'
        f'<path d="M0 0 L1.8 -0.8 V0.8 Z" fill="{INK}"/>'
        f'<rect x="{f(body_start)}" y="{f(-h * 0.3)}" width="{f(band_start - body_start)}" '
        f'height="{f(h * 0.6)}" fill="{ORANGE}" opacity="0.55"/>'
        f'<rect x="{f(band_start)}" y="{f(-h)}" width="1.5" height="{f(width)}" fill="{GREY}" '
        f'stroke="{INK}" stroke-width="0.9"/>'
        f'<path d="M{f(eraser_start)} {f(-h)} H{f(length - 1.2)} Q{f(length)} {f(-h)} {f(length)} '
        f'{f(-h + 1.2)} V{f(h - 1.2)} Q{f(length)} {f(h)} {f(length - 1.2)} {f(h)} '
        f'H{f(eraser_start)} Z" fill="#f59ab5" stroke="{INK}" stroke-width="0.9"/>'
        "</g>"
    )


def sheet(x, y, w, h):
    parts = [
        f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="2" fill="{WHITE}" '
        f'stroke="{INK}" stroke-width="1"/>'
    ]
    for ly in (y + 6, y + 10.5):
        parts.append(
            f'<line x1="{f(x + 3)}" y1="{f(ly)}" x2="{f(x + w - 3)}" y2="{f(ly)}" '
            'stroke="#b8c7e0" stroke-width="1.2" stroke-linecap="round"/>'
        )
    return "".join(parts)


def writing_path(x_from, x_to, base):
    """A cursive-looking line of loops from x_from to x_to."""
    points = []
    steps = max(2, int((x_to - x_from) * 4))
    for i in range(steps + 1):
        x = x_from + (x_to - x_from) * i / steps
        y = base - 3.0 * abs(math.sin((x - x_from) * 0.95))
        points.append(f"{f(x)},{f(y)}")
    return (
        f'<polyline points="{" ".join(points)}" fill="none" stroke="{BLUE}" stroke-width="1.3" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
    )


def pencil_frames():
    tips = [(9.0, 21.0), (12.3, 20.2), (15.6, 21.0), (18.9, 20.2)]
    for i, (tx, ty) in enumerate(tips):
        body = sheet(3, 4, 21, 25) + writing_path(6.0, tx, 21.0) + pencil(tx, ty)
        picture(str(400 + i), 32, 32, body)


# ---------------------------------------------------------------- ratings 420-429

def snail():
    return (
        f'<path d="M3.5 26 Q3 21.5 6.5 20.5 L9 20.2 Q10 25 16 25 H27.5 Q29.5 25 29.5 26.6 '
        f'Q29.5 28 27.5 28 H6 Q3.6 28 3.5 26 Z" fill="#a5d66f" stroke="{GREEN_INK}" '
        'stroke-width="1.1" stroke-linejoin="round"/>'
        f'<line x1="5.3" y1="20.8" x2="3.6" y2="15.5" stroke="{GREEN_INK}" stroke-width="1.1" '
        'stroke-linecap="round"/>'
        f'<line x1="7.6" y1="20.4" x2="8" y2="15" stroke="{GREEN_INK}" stroke-width="1.1" '
        'stroke-linecap="round"/>'
        f'<circle cx="3.6" cy="15.2" r="1.3" fill="{INK}"/><circle cx="8" cy="14.7" r="1.3" fill="{INK}"/>'
        '<circle cx="18" cy="16.5" r="8.6" fill="url(#shell)" stroke="#9a4a16" stroke-width="1.2"/>'
        '<path d="M18 16.5 m0 -1.6 a1.6 1.6 0 1 1 -1.6 1.6 a3.4 3.4 0 0 1 3.4 -3.4 '
        'a5.2 5.2 0 0 1 5.2 5.2 a7 7 0 0 1 -7 7" fill="none" stroke="#9a4a16" stroke-width="1.2" '
        'stroke-linecap="round"/>'
    ), rgrad("shell", "#ffc58a", "#f08a3c")


def turtle():
    return (
        f'<ellipse cx="27" cy="20.5" rx="3.4" ry="3" fill="#a5d66f" stroke="{GREEN_INK}" stroke-width="1.1"/>'
        f'<circle cx="28" cy="19.8" r="0.9" fill="{INK}"/>'
        f'<rect x="7" y="21" width="4" height="6" rx="1.8" fill="#a5d66f" stroke="{GREEN_INK}" stroke-width="1.1"/>'
        f'<rect x="19" y="21" width="4" height="6" rx="1.8" fill="#a5d66f" stroke="{GREEN_INK}" stroke-width="1.1"/>'
        f'<path d="M3.5 22.5 Q4 10 15 9.5 Q26 10 26.5 22.5 Z" fill="url(#dome)" stroke="{GREEN_INK}" '
        'stroke-width="1.2" stroke-linejoin="round"/>'
        f'<path d="M10 22.5 L12 15 H18 L20 22.5 M12 15 L15 10 L18 15 M8 16.5 L12 15 M22 16.5 L18 15" '
        f'fill="none" stroke="{GREEN_INK}" stroke-width="0.9" stroke-linejoin="round"/>'
        f'<rect x="2.5" y="21.6" width="25" height="2.6" rx="1.3" fill="#7cc25a" stroke="{GREEN_INK}" '
        'stroke-width="1"/>'
    ), rgrad("dome", "#8fdc7e", "#3e9f4f")


def bicycle():
    frame = BLUE
    return (
        '<circle cx="8" cy="21" r="6.2" fill="#eef3fb" stroke="#333c52" stroke-width="1.8"/>'
        '<circle cx="24" cy="21" r="6.2" fill="#eef3fb" stroke="#333c52" stroke-width="1.8"/>'
        f'<circle cx="8" cy="21" r="1" fill="{INK}"/><circle cx="24" cy="21" r="1" fill="{INK}"/>'
        f'<path d="M8 21 L15 21 L12 12.5 Z M15 21 L21.6 12.5 M12 12.5 H21.6 M21.6 12.5 L24 21" '
        f'fill="none" stroke="{frame}" stroke-width="1.8" stroke-linejoin="round" stroke-linecap="round"/>'
        f'<path d="M21.6 12.5 L20.6 9.2 H23.8" fill="none" stroke="{INK}" stroke-width="1.5" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
        f'<rect x="9.4" y="10.3" width="5.4" height="2.2" rx="1.1" fill="{RED}" stroke="{RED_INK}" stroke-width="0.8"/>'
        f'<circle cx="15" cy="21" r="1.6" fill="{GREY}" stroke="{INK}" stroke-width="0.8"/>'
    ), ""


def car():
    return (
        '<path d="M1.5 12 H6 M0.8 16 H5 M2 20 H5.5" stroke="#9fb3d6" stroke-width="1.3" '
        'stroke-linecap="round"/>'
        f'<path d="M6 22 V17.5 Q6 15.5 8.5 15 L12 14.5 L15.5 9.5 Q16.5 8.3 18 8.3 H23.5 '
        f'Q25 8.3 25.7 9.6 L28 14.5 Q31 15 31 18 V22 Q31 23.5 29.5 23.5 H7.5 Q6 23.5 6 22 Z" '
        f'fill="url(#body)" stroke="{RED_INK}" stroke-width="1.2" stroke-linejoin="round"/>'
        '<path d="M14.3 14.5 L17 10.6 H20.6 V14.5 Z M22.2 14.5 V10.6 H24.6 L26.4 14.5 Z" '
        'fill="#cfe8ff" stroke="#23509b" stroke-width="0.8" stroke-linejoin="round"/>'
        f'<rect x="27.8" y="16.2" width="2.4" height="1.8" rx="0.6" fill="{YELLOW}"/>'
        '<circle cx="12" cy="23.5" r="3.6" fill="#333c52"/><circle cx="12" cy="23.5" r="1.5" fill="#c7cfdd"/>'
        '<circle cx="25" cy="23.5" r="3.6" fill="#333c52"/><circle cx="25" cy="23.5" r="1.5" fill="#c7cfdd"/>'
    ), vgrad("body", "#ff6b5e", "#d62f2f")


def rocket():
    return (
        star(5, 6, 2.2, fill=YELLOW, width=0.6) + star(26.5, 25.5, 1.8, fill=YELLOW, width=0.6)
        + '<g transform="translate(16 16) rotate(45)">'
        '<path d="M-3 8 Q0 16 3 8 Z" fill="#ffb03a" stroke="#d9661f" stroke-width="0.8"/>'
        '<path d="M-1.6 8 Q0 12.5 1.6 8 Z" fill="#fff1a8"/>'
        f'<path d="M-4.6 3 L-8.5 9 H-3 Z M4.6 3 L8.5 9 H3 Z" fill="{RED}" stroke="{RED_INK}" '
        'stroke-width="1" stroke-linejoin="round"/>'
        f'<path d="M0 -14 Q6 -8 5 4 L4 8.5 H-4 L-5 4 Q-6 -8 0 -14 Z" fill="url(#hull)" stroke="{INK}" '
        'stroke-width="1.1" stroke-linejoin="round"/>'
        f'<circle cx="0" cy="-3" r="2.6" fill="#7cc3f0" stroke="{INK}" stroke-width="1"/>'
        f'<path d="M0 -14 Q3.2 -11 4 -8 H-4 Q-3.2 -11 0 -14 Z" fill="{RED}" stroke="{INK}" '
        'stroke-width="1" stroke-linejoin="round"/>'
        "</g>"
    ), vgrad("hull", "#ffffff", "#cdd6e6")


SHIELD = "M16 2.8 L27.5 6.4 V15 Q27.5 25.2 16 29.6 Q4.5 25.2 4.5 15 V6.4 Z"
STAR_LAYOUTS = [
    [(16, 16.5, 7.5)],
    [(11.2, 16.5, 4.9), (20.8, 16.5, 4.9)],
    [(16, 11, 4.6), (11, 19.6, 4.6), (21, 19.6, 4.6)],
    [(11.4, 11.8, 4.2), (20.6, 11.8, 4.2), (11.4, 20.4, 4.2), (20.6, 20.4, 4.2)],
    [(10.4, 10.4, 3.7), (21.6, 10.4, 3.7), (16, 16.2, 3.7), (11.2, 22.4, 3.7), (20.8, 22.4, 3.7)],
]


def shield(count):
    best = count == 5
    rim = GOLD if best else "#dbe6fb"
    defs = vgrad("shield", "#5d93f3", "#2c5bc0")
    body = (
        f'<path d="{SHIELD}" fill="url(#shield)" stroke="{BLUE_INK if not best else YELLOW_INK}" '
        f'stroke-width="{1.8 if best else 1.2}" stroke-linejoin="round"/>'
        f'<path d="{SHIELD}" fill="none" stroke="{rim}" stroke-width="0.9" opacity="0.9" '
        'transform="translate(16 16.2) scale(0.84) translate(-16 -16.2)"/>'
    )
    for cx, cy, r in STAR_LAYOUTS[count - 1]:
        body += star(cx, cy, r, width=0.8)
    return body, defs


def ratings():
    for i, make in enumerate([snail, turtle, bicycle, car, rocket]):
        body, defs = make()
        picture(str(420 + i), 32, 32, body, defs)
    for i in range(5):
        body, defs = shield(i + 1)
        picture(str(425 + i), 32, 32, body, defs)


# ---------------------------------------------------------------- icons 430-432, record

def face_features(cx, cy, mood, ink=INK, scale=1.0):
    s = scale
    eyes = (
        f'<ellipse cx="{f(cx - 4.2 * s)}" cy="{f(cy - 2.8 * s)}" rx="{f(1.5 * s)}" ry="{f(2 * s)}" fill="{ink}"/>'
        f'<ellipse cx="{f(cx + 4.2 * s)}" cy="{f(cy - 2.8 * s)}" rx="{f(1.5 * s)}" ry="{f(2 * s)}" fill="{ink}"/>'
    )
    y = cy + 4 * s
    if mood == "smile":
        mouth = f"M{f(cx - 5.5 * s)} {f(y - 1.2 * s)} Q{f(cx)} {f(y + 5 * s)} {f(cx + 5.5 * s)} {f(y - 1.2 * s)}"
    elif mood == "neutral":
        mouth = f"M{f(cx - 4.5 * s)} {f(y + 0.8 * s)} H{f(cx + 4.5 * s)}"
    else:
        mouth = f"M{f(cx - 5 * s)} {f(y + 2.6 * s)} Q{f(cx)} {f(y - 2.6 * s)} {f(cx + 5 * s)} {f(y + 2.6 * s)}"
    return eyes + (
        f'<path d="{mouth}" fill="none" stroke="{ink}" stroke-width="{f(1.8 * s)}" stroke-linecap="round"/>'
    )


def sun():
    rays = []
    for i in range(12):
        a = math.radians(i * 30)
        pts = []
        for da, r in ((-9, 10.5), (0, 15), (9, 10.5)):
            b = a + math.radians(da)
            pts.append(f"{f(16 + r * math.cos(b))},{f(16 + r * math.sin(b))}")
        rays.append(
            f'<polygon points="{" ".join(pts)}" fill="{ORANGE}" stroke="#c8621b" stroke-width="0.7" '
            'stroke-linejoin="round"/>'
        )
    body = "".join(rays) + (
        f'<circle cx="16" cy="16" r="9.6" fill="url(#sun)" stroke="{YELLOW_INK}" stroke-width="1.1"/>'
        + face_features(16, 16.3, "smile", scale=0.8)
        + '<ellipse cx="10.6" cy="18.6" rx="1.6" ry="1" fill="#ff8a80" opacity="0.7"/>'
        '<ellipse cx="21.4" cy="18.6" rx="1.6" ry="1" fill="#ff8a80" opacity="0.7"/>'
    )
    return body, rgrad("sun", "#fff3a0", YELLOW)


def thumbs_up():
    body = (
        f'<rect x="3" y="13.5" width="7" height="14.5" rx="1.6" fill="{CUFF}" stroke="{CUFF_INK}" stroke-width="1.1"/>'
        f'<rect x="11.2" y="3.2" width="6" height="14" rx="3" fill="{SKIN}" stroke="{SKIN_INK}" stroke-width="1.1"/>'
        f'<rect x="9.4" y="12.6" width="17" height="16" rx="4.5" fill="{SKIN}" stroke="{SKIN_INK}" stroke-width="1.1"/>'
        f'<rect x="12" y="11.5" width="4.6" height="3" fill="{SKIN}"/>'
        f'<path d="M18 16.6 H25.8 M18 20.6 H26.2 M18 24.6 H25.6" stroke="{SKIN_INK}" stroke-width="1" '
        'stroke-linecap="round"/>'
        + star(27, 6, 3.2, width=0.7)
    )
    return body, ""


def check_badge():
    rosette = star_points(16, 16, 14.5, 12.4, n=12)
    body = (
        f'<polygon points="{rosette}" fill="#7fd39a" stroke="{GREEN_INK}" stroke-width="1" '
        'stroke-linejoin="round"/>'
        f'<circle cx="16" cy="16" r="10.6" fill="url(#badge)" stroke="{GREEN_INK}" stroke-width="1"/>'
        '<path d="M10.6 16.4 L14.5 20.3 L21.8 12.2" fill="none" stroke="#ffffff" stroke-width="3.2" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
    )
    return body, rgrad("badge", "#6fd48e", "#2f9a55")


def trophy(frame):
    defs = vgrad("cup", "#ffe680", "#e3a008") + vgrad("shine", "#ffffff", "#ffffff")
    sparkles = [((5, 7, 3.2), (27.5, 5, 2.4), (28, 17, 1.8)), ((4, 16, 2.2), (26.5, 9, 3.2), (6.5, 4.5, 1.8))]
    body = (
        f'<path d="M9 7 H5.5 Q4 7 4 9 Q4.5 14.5 10.5 15.5" fill="none" stroke="{YELLOW_INK}" stroke-width="1.8"/>'
        f'<path d="M23 7 H26.5 Q28 7 28 9 Q27.5 14.5 21.5 15.5" fill="none" stroke="{YELLOW_INK}" stroke-width="1.8"/>'
        f'<path d="M8.5 4 H23.5 V10 Q23.5 18.5 16 19.5 Q8.5 18.5 8.5 10 Z" fill="url(#cup)" '
        f'stroke="{YELLOW_INK}" stroke-width="1.2" stroke-linejoin="round"/>'
        f'<rect x="14.3" y="19" width="3.4" height="4.5" fill="#f2c230" stroke="{YELLOW_INK}" stroke-width="1"/>'
        f'<rect x="10" y="23.2" width="12" height="3.2" rx="1" fill="#f2c230" stroke="{YELLOW_INK}" stroke-width="1"/>'
        f'<rect x="8.5" y="26.2" width="15" height="3.6" rx="1.2" fill="#8a5a3c" stroke="#5a3822" stroke-width="1"/>'
        + star(16, 10.8, 3.6, fill="#fff6c2", width=0.8)
    )
    shine_x = 11 if frame == 0 else 19.5
    body += (
        f'<rect x="{shine_x}" y="5.5" width="1.8" height="8" rx="0.9" fill="#ffffff" opacity="0.75"/>'
    )
    for x, y, r in sparkles[frame]:
        pts = star_points(x, y, r, r * 0.28, n=4)
        body += f'<polygon points="{pts}" fill="#fff59d" stroke="{YELLOW_INK}" stroke-width="0.6"/>'
    return body, defs


def result_pictures():
    for i, make in enumerate([sun, thumbs_up, check_badge]):
        body, defs = make()
        picture(str(430 + i), 32, 32, body, defs)
    for frame in (0, 1):
        body, defs = trophy(frame)
        picture(f"record{frame}", 32, 32, body, defs)


# ---------------------------------------------------------------- keyboard symbols

def press_enter():
    body = (
        f'<rect x="4" y="24.5" width="24" height="6.5" rx="2" fill="{FINGER_COLOURS["little"]}" '
        f'stroke="{INK}" stroke-width="1"/>'
        f'<path d="M8.5 22.5 L6 20.5 M23.5 22.5 L26 20.5" stroke="{RED}" stroke-width="1.4" '
        'stroke-linecap="round"/>'
        f'<rect x="10.5" y="0" width="12" height="5" rx="1.2" fill="{CUFF}" stroke="{CUFF_INK}" stroke-width="1"/>'
        f'<rect x="13.6" y="9" width="5" height="16.5" rx="2.5" fill="{SKIN}" stroke="{SKIN_INK}" stroke-width="1.1"/>'
        f'<rect x="8.5" y="3.5" width="15" height="11.5" rx="4" fill="{SKIN}" stroke="{SKIN_INK}" stroke-width="1.1"/>'
        f'<rect x="14.2" y="13" width="3.8" height="3" fill="{SKIN}"/>'
        f'<path d="M11.5 15 V11.8 M19.4 12 V15" stroke="{SKIN_INK}" stroke-width="1" stroke-linecap="round"/>'
        f'<path d="M8.6 7.8 Q6 9 6.4 12 Q7 13.4 8.6 13" fill="{SKIN}" stroke="{SKIN_INK}" stroke-width="1.1"/>'
    )
    picture("press-enter", 32, 32, body)


def shift_arrow():
    pts = "16,3 28,15.5 21.5,15.5 21.5,28 10.5,28 10.5,15.5 4,15.5"
    body = (
        f'<polygon points="{pts}" fill="#ffffff" fill-opacity="0.55" stroke="{INK}" stroke-width="2" '
        'stroke-linejoin="round"/>'
    )
    picture("shift-arrow", 32, 32, body)


def system_key():
    parts = []
    for dx, dy in ((0, -5.6), (5.6, 0), (0, 5.6), (-5.6, 0)):
        parts.append(f'<circle cx="{f(16 + dx)}" cy="{f(16 + dy)}" r="4.6" fill="#4a5370"/>')
    parts.append('<circle cx="16" cy="16" r="2.6" fill="#ffffff" fill-opacity="0.6" stroke="#4a5370" stroke-width="1"/>')
    picture("system-key", 32, 32, "".join(parts))


# ---------------------------------------------------------------- error faces

def faces():
    for name, mood, fill_grad, ink, edge in (
        ("face-smile", "smile", ("#fff3a0", YELLOW), INK, YELLOW_INK),
        ("face-neutral", "neutral", ("#fff3a0", YELLOW), INK, YELLOW_INK),
        ("face-sad", "sad", ("#fff3a0", YELLOW), INK, YELLOW_INK),
        ("face-sad-red", "sad", ("#ff9c8f", "#e53935"), "#5a0f0f", RED_INK),
    ):
        defs = rgrad("face", *fill_grad)
        body = (
            f'<circle cx="16" cy="16" r="13.2" fill="url(#face)" stroke="{edge}" stroke-width="1.4"/>'
            + face_features(16, 16, mood, ink=ink)
        )
        picture(name, 32, 32, body, defs)


# ---------------------------------------------------------------- menu symbols

def menu_close():
    return (
        f'<circle cx="16" cy="16" r="12.5" fill="url(#g)" stroke="{RED_INK}" stroke-width="1.3"/>'
        '<path d="M11.2 11.2 L20.8 20.8 M20.8 11.2 L11.2 20.8" stroke="#ffffff" stroke-width="3.4" '
        'stroke-linecap="round"/>'
    ), rgrad("g", "#ff8a80", "#d93025")


def menu_restart():
    r, cx, cy = 9.5, 16, 16.5
    a0, a1 = math.radians(-50), math.radians(215)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    # Arrow head at the start of the arc, pointing along the turning direction.
    tip = (cx + (r) * math.cos(a0) + 1.0, cy + r * math.sin(a0) - 6.6)
    head = [(x0 - 4.6, y0 - 5.5), tip, (x0 + 4.8, y0 + 0.8)]
    head = [(x0 + 4.4, y0 + 1.0), (x0 + 4.0, y0 - 7.6), (x0 - 3.6, y0 - 2.6)]
    return (
        f'<path d="M{f(x0)} {f(y0)} A{r} {r} 0 1 1 {f(x1)} {f(y1)}" fill="none" stroke="{GREEN_INK}" '
        'stroke-width="6" stroke-linecap="round"/>'
        f'<path d="M{f(x0)} {f(y0)} A{r} {r} 0 1 1 {f(x1)} {f(y1)}" fill="none" stroke="#5cc97f" '
        'stroke-width="3.6" stroke-linecap="round"/>'
        '<polygon points="' + " ".join(f"{f(x)},{f(y)}" for x, y in head) + f'" fill="#5cc97f" '
        f'stroke="{GREEN_INK}" stroke-width="1.2" stroke-linejoin="round"/>'
    ), ""


def menu_help():
    return (
        f'<circle cx="16" cy="16" r="12.5" fill="url(#g)" stroke="{BLUE_INK}" stroke-width="1.3"/>'
        '<path d="M12 12.6 Q12 8.2 16.2 8.2 Q20.4 8.2 20.4 11.8 Q20.4 14.2 17.9 15.3 Q16 16.2 16 18.6" '
        'fill="none" stroke="#ffffff" stroke-width="3.2" stroke-linecap="round" stroke-linejoin="round"/>'
        '<circle cx="16" cy="23.2" r="2" fill="#ffffff"/>'
    ), rgrad("g", "#7fb2ff", "#2f6fd6")


def speaker():
    return (
        '<path d="M4.5 12.5 H9.5 L16.5 6.5 V25.5 L9.5 19.5 H4.5 Q3.5 19.5 3.5 18.5 V13.5 Q3.5 12.5 4.5 12.5 Z" '
        f'fill="url(#g)" stroke="{INK}" stroke-width="1.3" stroke-linejoin="round"/>'
    )


def menu_sound():
    return speaker() + (
        f'<path d="M20 12.2 Q22.6 16 20 19.8 M23.4 9 Q28.4 16 23.4 23" fill="none" stroke="{ORANGE}" '
        'stroke-width="2.4" stroke-linecap="round"/>'
    ), vgrad("g", "#8fa3c8", "#4a5a7a")


def menu_sound_off():
    return speaker() + (
        f'<path d="M20.5 12.5 L27.5 19.5 M27.5 12.5 L20.5 19.5" stroke="{RED}" stroke-width="2.6" '
        'stroke-linecap="round"/>'
    ), vgrad("g", "#8fa3c8", "#4a5a7a")


def menu_finger_map():
    return placed(hand(fingers=FINGER_STRONG, width=1.2, ink="#3a2a22"), -1.5, 0, 1.0), ""


def menu_highlight():
    glow = "".join(
        f'<line x1="{f(16 + 11.5 * math.cos(math.radians(a)))}" y1="{f(16 + 11.5 * math.sin(math.radians(a)))}" '
        f'x2="{f(16 + 14.8 * math.cos(math.radians(a)))}" y2="{f(16 + 14.8 * math.sin(math.radians(a)))}" '
        f'stroke="{ORANGE}" stroke-width="2" stroke-linecap="round"/>'
        for a in range(0, 360, 45)
    )
    return glow + (
        f'<rect x="7" y="7" width="18" height="18" rx="3.5" fill="{darker(YELLOW, 0.15)}" '
        f'stroke="{YELLOW_INK}" stroke-width="1.3"/>'
        f'<rect x="9" y="8.3" width="14" height="13.2" rx="2.5" fill="#fff2a8"/>'
        f'<path d="M12.2 19 L16 10.4 L19.8 19 M13.6 16 H18.4" fill="none" stroke="{INK}" '
        'stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>'
    ), ""


def menu_background():
    palette = (
        "M16 4 C24 4 29.5 9 29.5 15 C29.5 19.5 26 20.5 23.5 19.8 C21 19 19.5 20.5 20.5 23 "
        "C21.5 26 19.5 28.5 15.5 28.5 C8.5 28.5 3 23 3 16 C3 9 8.5 4 16 4 Z"
    )
    blobs = [(10, 11.5, RED), (16.5, 9, YELLOW), (23, 11.5, GREEN), (9, 18.5, BLUE), (13.5, 23.5, PURPLE)]
    body = f'<path d="{palette}" fill="#f4ddb0" stroke="#9a6a2e" stroke-width="1.3" stroke-linejoin="round"/>'
    for x, y, c in blobs:
        body += f'<circle cx="{x}" cy="{y}" r="2.6" fill="{c}" stroke="{darker(c, 0.4)}" stroke-width="0.8"/>'
    return body, ""


def menu_type_for_me():
    return (
        f'<circle cx="16" cy="16" r="12.5" fill="url(#g)" stroke="{BLUE_INK}" stroke-width="1.3"/>'
        + face_features(16, 16, "smile", ink="#ffffff", scale=0.95)
    ), rgrad("g", "#7fb2ff", "#2f6fd6")


def menu_language():
    body = (
        f'<circle cx="16" cy="16" r="12.5" fill="url(#g)" stroke="{BLUE_INK}" stroke-width="1.3"/>'
        '<g fill="none" stroke="#ffffff" stroke-width="1.3" opacity="0.95">'
        '<ellipse cx="16" cy="16" rx="5.4" ry="12.5"/>'
        '<line x1="16" y1="3.5" x2="16" y2="28.5"/>'
        '<line x1="3.5" y1="16" x2="28.5" y2="16"/>'
        '<path d="M5.6 9.5 Q16 13 26.4 9.5 M5.6 22.5 Q16 19 26.4 22.5"/>'
        "</g>"
    )
    return body, rgrad("g", "#8fd3ff", "#2f8fd6")


def menu_pupils():
    # Two pupils, one behind the other: who is typing.
    def person(cx, top, scale, fill, edge):
        r = 4.4 * scale
        return (
            f'<circle cx="{f(cx)}" cy="{f(top + r)}" r="{f(r)}" fill="{fill}" stroke="{edge}" stroke-width="1.2"/>'
            f'<path d="M{f(cx - 8 * scale)} {f(top + 19 * scale)} Q{f(cx - 8 * scale)} {f(top + 10.5 * scale)} '
            f'{f(cx)} {f(top + 10.5 * scale)} Q{f(cx + 8 * scale)} {f(top + 10.5 * scale)} '
            f'{f(cx + 8 * scale)} {f(top + 19 * scale)} Z" fill="{fill}" stroke="{edge}" stroke-width="1.2" '
            'stroke-linejoin="round"/>'
        )
    return person(20.5, 5, 0.95, "#8fb8f0", BLUE_INK) + person(12, 8.5, 1.1, "url(#g)", GREEN_INK), vgrad(
        "g", "#7fd79c", GREEN)


def menu_progress():
    # A chart whose line climbs: the pupil's progress.
    bars = "".join(
        f'<rect x="{x}" y="{y}" width="4.2" height="{26 - y}" rx="0.8" fill="{c}" stroke="{darker(c, 0.4)}" stroke-width="0.8"/>'
        for x, y, c in ((6, 19, BLUE), (12, 15, GREEN), (18, 11, YELLOW), (24, 7, RED))
    )
    return (
        '<rect x="3" y="3" width="26" height="26" rx="3" fill="#ffffff" stroke="#4a5370" stroke-width="1.3"/>'
        + bars
        + f'<path d="M5.5 21 L12 16.5 L18 13 L27 5.5" fill="none" stroke="{INK}" stroke-width="2" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
    ), ""


MENU = {
    "menu-close": menu_close,
    "menu-restart": menu_restart,
    "menu-help": menu_help,
    "menu-sound": menu_sound,
    "menu-sound-off": menu_sound_off,
    "menu-finger-map": menu_finger_map,
    "menu-highlight": menu_highlight,
    "menu-background": menu_background,
    "menu-type-for-me": menu_type_for_me,
    "menu-language": menu_language,
    "menu-pupils": menu_pupils,
    "menu-progress": menu_progress,
}


def menu_symbols():
    for name, make in MENU.items():
        body, defs = make()
        picture(name, 32, 32, body, defs)


# ---------------------------------------------------------------- other symbols

def clock():
    body = (
        f'<circle cx="8.5" cy="6.5" r="3.6" fill="{RED}" stroke="{RED_INK}" stroke-width="1.1"/>'
        f'<circle cx="23.5" cy="6.5" r="3.6" fill="{RED}" stroke="{RED_INK}" stroke-width="1.1"/>'
        f'<path d="M8 27.5 L6 30 M24 27.5 L26 30" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>'
        f'<circle cx="16" cy="17.5" r="11" fill="{RED}" stroke="{RED_INK}" stroke-width="1.2"/>'
        f'<circle cx="16" cy="17.5" r="8.4" fill="#ffffff" stroke="{RED_INK}" stroke-width="0.8"/>'
        f'<path d="M16 17.5 V11.6 M16 17.5 L20 19.8" stroke="{INK}" stroke-width="1.6" stroke-linecap="round"/>'
        f'<circle cx="16" cy="17.5" r="1.2" fill="{INK}"/>'
    )
    picture("clock", 32, 32, body)


def caps_lock_cross():
    body = (
        '<path d="M7 7 L25 25 M25 7 L7 25" stroke="#ffffff" stroke-width="7.5" stroke-linecap="round"/>'
        f'<path d="M7 7 L25 25 M25 7 L7 25" stroke="{RED}" stroke-width="4.6" stroke-linecap="round"/>'
    )
    picture("caps-lock-cross", 32, 32, body)


# ---------------------------------------------------------------- editor buttons

def page(x=7, y=3.5, w=17, h=23):
    return (
        f'<path d="M{x} {y} H{x + w - 5} L{x + w} {y + 5} V{y + h} H{x} Z" fill="#ffffff" stroke="{INK}" '
        'stroke-width="1.2" stroke-linejoin="round"/>'
        f'<path d="M{x + w - 5} {y} V{y + 5} H{x + w}" fill="#e3e8f2" stroke="{INK}" stroke-width="1" '
        'stroke-linejoin="round"/>'
        f'<path d="M{x + 3} {y + 10} H{x + w - 3} M{x + 3} {y + 14} H{x + w - 3} M{x + 3} {y + 18} H{x + w - 7}" '
        'stroke="#b8c7e0" stroke-width="1.2" stroke-linecap="round"/>'
    )


def folder_shape(open_=False):
    back = (
        f'<path d="M3 8 Q3 6.5 4.5 6.5 H11 L13.5 9 H26.5 Q28 9 28 10.5 V25 Q28 26.5 26.5 26.5 H4.5 '
        f'Q3 26.5 3 25 Z" fill="#f3b63f" stroke="#a8700f" stroke-width="1.2" stroke-linejoin="round"/>'
    )
    if open_:
        front = (
            f'<path d="M6.5 14 H30 Q31 14 30.6 15.2 L27.6 25.4 Q27.3 26.5 26 26.5 H3.8 Q2.8 26.5 3.2 25.3 '
            f'L5.4 15 Q5.7 14 6.5 14 Z" fill="#ffd66e" stroke="#a8700f" stroke-width="1.2" stroke-linejoin="round"/>'
        )
    else:
        front = (
            f'<path d="M3 13 H28 V25 Q28 26.5 26.5 26.5 H4.5 Q3 26.5 3 25 Z" fill="#ffd66e" '
            'stroke="#a8700f" stroke-width="1.2" stroke-linejoin="round"/>'
        )
    return back, front


def editor_buttons():
    plus = (
        f'<circle cx="23.5" cy="23.5" r="6.5" fill="{GREEN}" stroke="{GREEN_INK}" stroke-width="1.1"/>'
        '<path d="M23.5 19.9 V27.1 M19.9 23.5 H27.1" stroke="#ffffff" stroke-width="2.2" stroke-linecap="round"/>'
    )
    picture("file-new", 32, 32, page() + plus)
    back, front = folder_shape(open_=True)
    picture("file-open", 32, 32, back + page(10, 3, 15, 17) + front)
    back, front = folder_shape()
    picture("folder", 32, 32, back + front)


# ---------------------------------------------------------------- image buttons

BUTTON_STATES = {
    "normal": ("#f6f9fe", "#d5deee", "#8a97b0", 0),
    "hover": ("#fffbe3", "#ffe08a", "#d19c12", 0),
    "pressed": ("#c8d3e8", "#e8eef8", "#6d7a94", 1.2),
}


def button(name, state, content):
    top, bottom, edge, shift = BUTTON_STATES[state]
    defs = vgrad("bg", top, bottom)
    body = (
        f'<rect x="1.5" y="1.5" width="37" height="37" rx="7" fill="url(#bg)" stroke="{edge}" stroke-width="1.4"/>'
        f'<g transform="translate({f(shift)} {f(shift)})">{content}</g>'
    )
    picture(f"{name}-{state}", 40, 40, body, defs)


def printer():
    return (
        f'<rect x="12" y="6" width="16" height="10" fill="#ffffff" stroke="{INK}" stroke-width="1.2"/>'
        f'<rect x="6" y="14" width="28" height="13" rx="3" fill="#6f83a8" stroke="{INK}" stroke-width="1.3"/>'
        f'<rect x="6.6" y="14.6" width="26.8" height="3.4" rx="1.5" fill="#95a7c7"/>'
        f'<circle cx="29" cy="19.6" r="1.4" fill="#7ee08f" stroke="{GREEN_INK}" stroke-width="0.6"/>'
        f'<rect x="11" y="23" width="18" height="12" fill="#ffffff" stroke="{INK}" stroke-width="1.2"/>'
        f'<path d="M14 27 H26 M14 30.5 H23" stroke="{BLUE}" stroke-width="1.3" stroke-linecap="round"/>'
    )


def pdf_document():
    return (
        f'<path d="M10 4.5 H24 L31 11.5 V35.5 H10 Z" fill="#ffffff" stroke="{INK}" stroke-width="1.3" '
        'stroke-linejoin="round"/>'
        f'<path d="M24 4.5 V11.5 H31" fill="#e3e8f2" stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>'
        f'<path d="M13.5 15 H27.5 M13.5 31.5 H27.5" stroke="#b8c7e0" stroke-width="1.3" stroke-linecap="round"/>'
        f'<rect x="6" y="18.5" width="23" height="10" rx="2" fill="{RED}" stroke="{RED_INK}" stroke-width="1.1"/>'
        + text(17.5, 26.4, "PDF", 8.6, fill="#ffffff")
    )


def image_buttons():
    for state in BUTTON_STATES:
        button("print", state, printer())
        button("pdf", state, pdf_document())


# ---------------------------------------------------------------- larger pictures

def report_keyboard():
    """The small keyboard printed in the header of the results page."""
    defs = vgrad("case", "#5b6b8c", "#2f3a55")
    body = (
        '<rect x="1" y="16" width="62" height="32" rx="4" fill="url(#case)" stroke="#1e2638" stroke-width="1.4"/>'
        + keyboard(3.6, 18.8, 56.8 / 8760, labels=False, rx=0.7, width=0.35)
    )
    picture("report-keyboard", 64, 64, body, defs)


def about_tutor():
    defs = vgrad("sky", "#e9f3ff", "#c4dbf7") + vgrad("case", "#46587e", "#27324b")
    body = (
        '<rect x="2" y="2" width="124" height="124" rx="18" fill="url(#sky)" stroke="#8fa7cc" stroke-width="2"/>'
        '<rect x="6" y="30" width="116" height="50" rx="8" fill="url(#case)" stroke="#161d2e" stroke-width="1.6"/>'
        + keyboard(10, 34, 108 / 8760, labels=False, rx=1.2, width=0.5)
        + placed(hand(fingers=FINGER_COLOURS, width=1.2, ink="#3a2a22"), 9, 66, 1.75)
        + placed(hand(fingers=FINGER_COLOURS, right=True, width=1.2, ink="#3a2a22"), 63, 66, 1.75)
        + star(20, 16, 7) + star(64, 13, 9) + star(108, 17, 6.5)
    )
    picture("about-tutor", 128, 128, body, defs)


def about_editor():
    defs = vgrad("sky", "#eafaf1", "#c6ecd6")
    lines = "".join(
        f'<line x1="36" y1="{y}" x2="{94 if y < 80 else 74}" y2="{y}" stroke="#b8c7e0" stroke-width="2.4" stroke-linecap="round"/>'
        for y in (44, 56, 68, 80)
    )
    body = (
        '<rect x="2" y="2" width="124" height="124" rx="18" fill="url(#sky)" stroke="#86c4a0" stroke-width="2"/>'
        f'<rect x="26" y="18" width="78" height="96" rx="6" fill="#ffffff" stroke="{INK}" stroke-width="2"/>'
        + "".join(
            f'<circle cx="26" cy="{y}" r="3.2" fill="#e6ebf3" stroke="{INK}" stroke-width="1.4"/>'
            for y in (32, 52, 72, 92)
        )
        + lines
        + text(65, 35, "1 · 2 · 3", 10, fill=BLUE_INK)
        + writing_path(36, 70, 96)
        + placed(pencil(0, 0, angle=-50, length=17, width=5.2), 70, 96, 2.4)
    )
    picture("about-editor", 128, 128, body, defs)


Z_LETTER = "M-9 -11 H9.5 V-6.5 L-2.8 6.8 H9.5 V11 H-10 V6.5 L2.4 -6.8 H-9 Z"


def app_tutor():
    defs = vgrad("bg", "#5aa0ff", "#2456c7") + vgrad("cap", "#ffffff", "#dfe7f3")
    stripes = "".join(
        f'<rect x="{42 + 36 * i}" y="206" width="30" height="20" rx="6" fill="{FINGER_STRONG[k]}" '
        f'stroke="#1c3f8f" stroke-width="3"/>'
        for i, k in enumerate(["little", "ring", "middle", "index", "thumb"])
    )
    body = (
        '<rect x="8" y="8" width="240" height="240" rx="52" fill="url(#bg)" stroke="#1c3f8f" stroke-width="6"/>'
        '<rect x="44" y="38" width="168" height="156" rx="30" fill="#9fb4d6" stroke="#1c3f8f" stroke-width="6"/>'
        '<rect x="60" y="46" width="136" height="120" rx="22" fill="url(#cap)"/>'
        f'<g transform="translate(128 106) scale(4.4)"><path d="{Z_LETTER}" fill="{BLUE}" '
        f'stroke="{BLUE_INK}" stroke-width="0.9" stroke-linejoin="round"/></g>'
        + stripes
    )
    picture("app-zentavo", 256, 256, body, defs)


def app_editor():
    defs = vgrad("bg", "#4fd08a", "#1f8a52")
    body = (
        '<rect x="8" y="8" width="240" height="240" rx="52" fill="url(#bg)" stroke="#166b3e" stroke-width="6"/>'
        f'<rect x="46" y="30" width="134" height="184" rx="12" fill="#ffffff" stroke="{INK}" stroke-width="6"/>'
        f'<g transform="translate(90 74) scale(2.3)"><path d="{Z_LETTER}" fill="{BLUE}" '
        f'stroke="{BLUE_INK}" stroke-width="1.2" stroke-linejoin="round"/></g>'
        + "".join(
            f'<line x1="68" y1="{y}" x2="{158 if y < 160 else 110}" y2="{y}" stroke="#9fb4d6" '
            'stroke-width="9" stroke-linecap="round"/>'
            for y in (122, 150, 178)
        )
        + placed(pencil(0, 0, angle=-52, length=17, width=5.2), 128, 186, 6.4)
    )
    picture("app-editor", 256, 256, body, defs)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "pictures")
    os.makedirs(folder, exist_ok=True)
    finger_images()
    finger_strip()
    key_map()
    pencil_frames()
    ratings()
    result_pictures()
    press_enter()
    shift_arrow()
    system_key()
    faces()
    menu_symbols()
    clock()
    caps_lock_cross()
    image_buttons()
    editor_buttons()
    report_keyboard()
    about_tutor()
    about_editor()
    app_tutor()
    app_editor()
    for name, text in PICTURES.items():
        with open(os.path.join(folder, name + ".svg"), "w", encoding="utf-8", newline="\n") as out:
            out.write(text)
    if len(sys.argv) <= 1:
        write_qrc(os.path.join(root, "resources", "pictures.qrc"), sorted(PICTURES))


def write_qrc(path, names):
    """Every picture under ":/pictures/"; the map rasters come from make_rasters.py."""
    files = [f"{n}.svg" for n in names] + ["keymap-normal.png", "keymap-large.png"]
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '  <qresource prefix="/pictures">']
    lines += [f'    <file alias="{n}">pictures/{n}</file>' for n in files]
    lines += ["  </qresource>", "</RCC>", ""]
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
