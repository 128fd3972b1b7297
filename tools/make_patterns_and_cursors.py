#!/usr/bin/env python3
"""Draws the board's pixel patterns, colour cursors and palettes.

Outputs, committed with the script (run it from anywhere after changing a recipe):
  resources/pictures/ppat/<id>.png   pixel-pattern tiles of the colour roles
  resources/pictures/crsr/<id>.png   colour cursors, 16 x 16, with <id>.txt giving the hot spot
  resources/pictures/pltt/<id>.txt   palettes: one entry a line, red green blue (0..65535)
Everything is made from code with a fixed random seed, so a rerun gives the same files.
"""
import os
import random

from picture_drawing import PICTURES as ROOT, c8, shade as scale, write_png


# ---- pixel patterns -------------------------------------------------------------------

TILE = 16


def felt(base, seed, spread=0.07):
    """Fine noise around a colour: cloth and painted surfaces."""
    rnd = random.Random(seed)
    return [[scale(base, 1.0 + rnd.uniform(-spread, spread)) for _ in range(TILE)] for _ in range(TILE)]


def wood(base, seed):
    """Horizontal grain: rows drift lighter and darker, with a few knots of darker grain."""
    rnd = random.Random(seed)
    rows = []
    shade = 1.0
    for y in range(TILE):
        shade = max(0.85, min(1.12, shade + rnd.uniform(-0.06, 0.06)))
        rows.append([scale(base, shade + rnd.uniform(-0.025, 0.025)) for _ in range(TILE)])
    for _ in range(2):
        y, x = rnd.randrange(TILE), rnd.randrange(TILE)
        for dx in range(-2, 3):
            rows[y][(x + dx) % TILE] = scale(base, 0.8)
    return rows


def marble(base, seed):
    """Soft veins across a checker colour."""
    rnd = random.Random(seed)
    rows = [[scale(base, 1.0 + rnd.uniform(-0.04, 0.04)) for _ in range(TILE)] for _ in range(TILE)]
    x = rnd.randrange(TILE)
    for y in range(TILE):
        x = (x + rnd.choice((-1, 0, 1))) % TILE
        rows[y][x] = scale(base, 1.18)
        rows[y][(x + 1) % TILE] = scale(base, 1.1)
    return rows


def dots(fore, back):
    """A fine 2 x 2 dither: the frame pen and the panel shadow."""
    return [[fore if (x + y) % 2 == 0 else back for x in range(TILE)] for y in range(TILE)]


def save_pattern(pid, rows):
    write_png(os.path.join(ROOT, "ppat", f"{pid}.png"), TILE, TILE, rows)


# Scheme colours (16-bit) of the board colours each pattern base serves.
SCHEMES = {
    0: dict(frame=(1311, 19661, 16384), field=(635, 26869, 23593), dark=(1270, 45219, 28180),
            light=(45219, 43908, 47841)),                                                      # colour 2
    100: dict(frame=(1966, 9830, 3932), field=(15073, 26214, 17694), dark=(1311, 11796, 2621),
              light=(51800, 58300, 51800)),                                                    # colour 5
    200: dict(frame=(16383, 9830, 4587), field=(58326, 53083, 39976), dark=(0, 6554, 22937),
              light=(0, 20971, 47185)),                                                        # colours 3, 15
    300: dict(frame=(0, 21626, 0), field=(24247, 64224, 34078), dark=(0, 38010, 0),
              light=(59636, 65535, 7208)),                                                     # colour 12
    400: dict(frame=(0, 12850, 25700), field=(28270, 56540, 48830), dark=(0, 12850, 25700),
              light=(0, 48830, 20560)),                                                        # colour 6
    500: dict(frame=(0, 21626, 5242), field=(39976, 47185, 39976), dark=(0, 30801, 10485),
              light=(10485, 51117, 20971)),                                                    # colour 7
    600: dict(frame=(0, 10280, 15677), field=(10280, 43690, 28270), dark=(0, 12850, 17990),
              light=(53970, 57825, 56540)),                                                    # colour 4
}


# The checker colours (dark, light) of the schemes whose checkers take patterns of their own.
OWN_CHECKERS = {
    3: ((43253, 4587, 5898), (65535, 65535, 6553)),
    9: ((51117, 5242, 7864), (65535, 59636, 27524)),
    12: ((26214, 26214, 26214), (52000, 52000, 52000)),
}


def make_patterns():
    for base, s in SCHEMES.items():
        frame, field = c8(s["frame"]), c8(s["field"])
        save_pattern(base + 38, wood(frame, base + 38))                # frame
        save_pattern(base + 37, wood(scale(frame, 0.6), base + 37))    # frame shade
        save_pattern(base + 29, felt(field, base + 29))                # playing field
        save_pattern(base + 35, felt(c8(s["dark"]), base + 35))        # dark points
        save_pattern(base + 34, felt(c8(s["light"]), base + 34))       # light points
        save_pattern(base + 40, felt(scale(frame, 1.3), base + 40, 0.04))
        save_pattern(base + 23, marble(scale(field, 0.9), base + 23))  # the extra of colour 12
    save_pattern(328, felt((203, 203, 203), 328, 0.03))                # window background
    save_pattern(100, dots((40, 40, 40), (90, 90, 90)))                # frame pen, panel shadow
    save_pattern(314, felt((236, 228, 206), 314, 0.02))                # panel face
    save_pattern(141, marble((150, 24, 30), 141))                      # dark checkers
    save_pattern(142, marble((90, 14, 18), 142))                       # their shade
    save_pattern(144, marble((238, 230, 205), 144))                    # light checkers
    save_pattern(143, marble((143, 138, 123), 143))                    # their shade
    save_pattern(133, marble((210, 210, 40), 133))                     # light checkers, colour 10
    save_pattern(131, marble((93, 7, 7), 131))                         # colour 2: dark checkers
    save_pattern(14, marble((202, 248, 227), 14))                      # colour 2: light checkers
    save_pattern(17, marble((121, 149, 136), 17))                      # colour 2: their shade
    # Colours 3, 9 and 12 paint their checkers from their own checker colours, so that the
    # checkers, the dice pips and the tray keys (painted in those colours) agree:
    # 1000 + 10 x colour + 1 dark, + 2 its shade, + 4 light, + 3 its shade.
    for colour, (dark, light) in OWN_CHECKERS.items():
        base = 1000 + 10 * colour
        save_pattern(base + 1, marble(c8(dark), base + 1))
        save_pattern(base + 2, marble(scale(c8(dark), 0.6), base + 2))
        save_pattern(base + 4, marble(c8(light), base + 4))
        save_pattern(base + 3, marble(scale(c8(light), 0.6), base + 3))


# ---- cursors --------------------------------------------------------------------------

CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)

# 5 x 7 letters for the command cursors.
GLYPHS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "?": [".###.", "#...#", "....#", "..##.", "..#..", ".....", "..#.."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
}

ARROW = [
    "#.........",
    "##........",
    "#o#.......",
    "#oo#......",
    "#ooo#.....",
    "#oooo#....",
    "#ooooo#...",
    "#oooooo#..",
    "#oooo####.",
    "#o#o#.....",
    "##.#o#....",
    "#..#o#....",
    "....##....",
]


def blank():
    return [[CLEAR] * 16 for _ in range(16)]


def stamp(img, art, x0, y0, colours):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in colours and 0 <= y0 + y < 16 and 0 <= x0 + x < 16:
                img[y0 + y][x0 + x] = colours[ch]


def save_cursor(cid, img, hot):
    write_png(os.path.join(ROOT, "crsr", f"{cid}.png"), 16, 16, img, alpha=True)
    with open(os.path.join(ROOT, "crsr", f"{cid}.txt"), "w") as f:
        f.write(f"{hot[0]} {hot[1]}\n")


def letter_cursor(letter, box):
    img = blank()
    stamp(img, ARROW, 0, 0, {"#": BLACK, "o": WHITE})
    for y in range(8, 16):
        for x in range(9, 16):
            img[y][x] = box
    stamp(img, GLYPHS[letter], 10, 8, {"#": WHITE})
    return img


def checker_cursor(face, rim):
    img = blank()
    for y in range(16):
        for x in range(16):
            d = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d <= 49:
                img[y][x] = rim if d > 30 else face
    for i in range(5, 11):  # a cross hair at the centre
        img[7][i] = img[8][i] = BLACK
        img[i][7] = img[i][8] = BLACK
    return img


def direction_cursor(direction):
    """A thick arrow pointing up, right, down or left (0..3), outlined in white."""
    shape = [
        ".......##.......",
        "......####......",
        ".....######.....",
        "....########....",
        "...##########...",
        "......####......",
        "......####......",
        "......####......",
        "......####......",
        "......####......",
    ]
    img = blank()
    for y, row in enumerate(shape):
        for x, ch in enumerate(row):
            if ch == "#":
                for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
                    if img[y + 3 + dy][x + dx] is CLEAR:
                        img[y + 3 + dy][x + dx] = WHITE
    for y, row in enumerate(shape):
        for x, ch in enumerate(row):
            if ch == "#":
                img[y + 3][x] = BLACK
    for _ in range(direction):  # turn a quarter clockwise
        img = [[img[15 - x][y] for x in range(16)] for y in range(16)]
    return img


def make_cursors():
    commands = [(138, "P"), (139, "R"), (140, "S"), (141, "M"), (142, "?"), (143, "D"),
                (144, "N"), (145, "B"), (146, "C"), (148, "W"), (150, "I")]
    for cid, letter in commands:
        save_cursor(cid, letter_cursor(letter, (30, 70, 160, 255)), (0, 0))
        save_cursor(cid + 13, letter_cursor(letter, (110, 60, 20, 255)), (0, 0))  # picture board
    save_cursor(132, checker_cursor((200, 40, 40, 255), BLACK), (8, 8))   # selecting a checker
    save_cursor(133, checker_cursor((240, 235, 215, 255), BLACK), (8, 8))  # the hand
    for i, cid in enumerate((516, 517, 518, 519)):
        save_cursor(cid, direction_cursor(i), (8, 8))


# ---- palettes -------------------------------------------------------------------------

def make_palettes():
    # Entry 0 white and entry 1 black, so that copies with those two are untinted; the
    # board code overwrites 0, 2-16 and 18; 17 and 19-21 keep these dark and light tones.
    tones = {
        128: [(35000, 8000, 6000), (61000, 58000, 50000), (20000, 20000, 24000), (56000, 56000, 60000)],
        129: [(8000, 12000, 38000), (58000, 60000, 64000), (18000, 18000, 18000), (60000, 60000, 60000)],
        130: [(30000, 18000, 6000), (64000, 60000, 48000), (16000, 16000, 16000), (58000, 58000, 58000)],
    }
    for pid, (t17, t19, t20, t21) in tones.items():
        entries = [(65535, 65535, 65535), (0, 0, 0)]
        for i in range(2, 22):
            g = 65535 * (22 - i) // 22
            entries.append((g, g, g))
        entries[17], entries[19], entries[20], entries[21] = t17, t19, t20, t21
        os.makedirs(os.path.join(ROOT, "pltt"), exist_ok=True)
        with open(os.path.join(ROOT, "pltt", f"{pid}.txt"), "w") as f:
            f.write("# red green blue of entries 0 to 21\n")
            for r, g, b in entries:
                f.write(f"{r} {g} {b}\n")


if __name__ == "__main__":
    make_patterns()
    make_cursors()
    make_palettes()
