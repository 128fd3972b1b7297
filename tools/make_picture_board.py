#!/usr/bin/env python3
"""Draws the pictures of the picture board (board colour 15) into resources/pictures.

The picture board takes every part from stored pictures: the whole board with its points
(549) and its outline mask (550), the text strip above the field (594), the two trays
(541, 543) with their mask (542), the checkers (146, 148) with their shape (147), the
edge-on tray checkers (591, 592) with their shape (593), the cube faces (567-573) with
their mask (574), the dice faces (575-581) with their masks (582, 590), and the turn
arrows (595-602) with their backdrop (556) and shape (603). The sizes fit the board's
fixed measures: a unit of 36, points 145 high, a bar 79 wide, frames 48 wide.
Run it from anywhere; the outputs are committed. Masks are black where the picture shows.
"""
import math
import random

from picture_drawing import BLACK, Image, c8, inside_round_rect, shade


# The scheme of board colour 15.
FRAME = c8((16383, 9830, 4587))
FIELD = c8((58326, 53083, 39976))
DARK_ROW = c8((0, 6554, 22937))
LIGHT_ROW = c8((0, 20971, 47185))
DARK_PIECE = c8((0, 20971, 31456))
LIGHT_PIECE = c8((57670, 47840, 33422))
IVORY = (240, 234, 214)


def inside_ellipse(x, y, w, h):
    return ((x + 0.5 - w / 2) / (w / 2)) ** 2 + ((y + 0.5 - h / 2) / (h / 2)) ** 2 <= 1.0


def inside_polygon(x, y, pts):
    px, py = x + 0.5, y + 0.5
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def wood_colour(seed):
    rnd = random.Random(seed)
    phases = [rnd.uniform(0, 6.28) for _ in range(3)]

    def colour(x, y):
        grain = math.sin(y * 0.9 + math.sin(x * 0.05 + phases[0]) * 3 + phases[1]) * 0.06
        grain += math.sin(y * 0.23 + x * 0.01 + phases[2]) * 0.05
        return shade(FRAME, 1.0 + grain + ((x * 7 + y * 13) % 5) * 0.008)

    return colour


def felt_colour(base, seed):
    rnd = random.Random(seed)
    noise = [rnd.uniform(-0.035, 0.035) for _ in range(97)]
    return lambda x, y: shade(base, 1.0 + noise[(x * 31 + y * 17) % 97])


def mask_of(w, h, test):
    img = Image(w, h)
    for y in range(h):
        for x in range(w):
            if test(x, y):
                img.set(x, y, BLACK)
    return img


# 3 x 5 digits for the cube.
DIGITS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"], "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "6": ["###", "#..", "###", "#.#", "###"],
    "8": ["###", "#.#", "###", "#.#", "###"],
}


def draw_text(img, text, cx, cy, scale, colour):
    width = len(text) * 4 * scale - scale
    x0 = cx - width // 2
    y0 = cy - 5 * scale // 2
    for k, ch in enumerate(text):
        for row, line in enumerate(DIGITS[ch]):
            for col, mark in enumerate(line):
                if mark == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            img.set(x0 + k * 4 * scale + col * scale + dx, y0 + row * scale + dy, colour)


# ---- the board ----------------------------------------------------------------------

UNIT, POINT_H, BAR_W, FRAME_W, MARGIN = 36, 145, 79, 48, 6
FIELD_LEFT, FIELD_TOP, MIDDLE = 48, 35, 48
FIELD_RIGHT = FIELD_LEFT + BAR_W + 12 * UNIT + 2
FIELD_BOTTOM = FIELD_TOP + MARGIN + 2 * POINT_H + MIDDLE + 1
BOARD_W = FIELD_RIGHT + FIELD_LEFT
BOARD_H = FIELD_BOTTOM + FIELD_TOP + MARGIN
CORNER = 10


def column_left(k):
    return FIELD_LEFT + k * UNIT + (BAR_W + 1 if k > 5 else 0)


def make_board():
    img = Image(BOARD_W, BOARD_H)
    img.fill_rect(0, 0, BOARD_W, BOARD_H, wood_colour(549))
    # A lighter bevel round the outside and a dark groove round the field.
    for y in range(BOARD_H):
        for x in range(BOARD_W):
            edge = min(x, y, BOARD_W - 1 - x, BOARD_H - 1 - y)
            if edge < 3:
                img.set(x, y, shade(img.get(x, y), 1.35 - edge * 0.1))
    felt = felt_colour(FIELD, 550)
    bar_left = FIELD_LEFT + 6 * UNIT + 1
    img.fill_rect(FIELD_LEFT, FIELD_TOP, bar_left, FIELD_BOTTOM, felt)
    img.fill_rect(bar_left + BAR_W, FIELD_TOP, FIELD_RIGHT, FIELD_BOTTOM, felt)
    for (l, r) in ((FIELD_LEFT - 2, bar_left + 1), (bar_left + BAR_W - 1, FIELD_RIGHT + 2)):
        for x in range(l, r):
            img.set(x, FIELD_TOP - 1, shade(FRAME, 0.5))
            img.set(x, FIELD_BOTTOM, shade(FRAME, 1.4))
        for y in range(FIELD_TOP - 1, FIELD_BOTTOM + 1):
            img.set(l, y, shade(FRAME, 0.5))
            img.set(r - 1, y, shade(FRAME, 1.4))
    # Points: each half starts light above and dark below, as the painted boards do.
    top = FIELD_TOP + MARGIN
    for k in range(12):
        left = column_left(k)
        upper = LIGHT_ROW if k % 2 == 0 else DARK_ROW
        lower = DARK_ROW if k % 2 == 0 else LIGHT_ROW
        up = [(left, top), (left + UNIT / 2, top + POINT_H), (left + UNIT, top)]
        down = [(left, FIELD_BOTTOM), (left + UNIT / 2, FIELD_BOTTOM - POINT_H), (left + UNIT, FIELD_BOTTOM)]
        for pts, colour, y0, y1 in ((up, upper, top, top + POINT_H), (down, lower, FIELD_BOTTOM - POINT_H, FIELD_BOTTOM)):
            for y in range(y0, y1):
                for x in range(left, left + UNIT):
                    if inside_polygon(x, y, pts):
                        img.set(x, y, shade(colour, 1.0 + ((x - left) / UNIT - 0.5) * 0.25))
    img.save(549)
    mask_of(BOARD_W, BOARD_H, lambda x, y: inside_round_rect(x, y, BOARD_W, BOARD_H, CORNER)).save(550)


def make_strip():
    w, h = 523, 29
    img = Image(w, h)
    img.fill_rect(0, 0, w, h, lambda x, y: shade(FRAME, 0.7 + 0.1 * math.sin(y * 0.4)))
    # Sunken dark fields: the message line writes white text on the middle one.
    for (l, t, r, b) in ((15, 6, 55, 23), (60, 6, 464, 23), (469, 6, 508, 23)):
        img.fill_rect(l, t, r, b, shade(FRAME, 0.45))
        for x in range(l, r):
            img.set(x, t, shade(FRAME, 0.2))
            img.set(x, b - 1, shade(FRAME, 1.3))
        for y in range(t, b):
            img.set(l, y, shade(FRAME, 0.2))
            img.set(r - 1, y, shade(FRAME, 1.3))
    img.save(594)


TRAY_W, TRAY_H = 36, 151
TRAY_INSET = 5


def make_trays():
    for pid, lit_top in ((541, False), (543, True)):
        img = Image(TRAY_W, TRAY_H)
        img.fill_rect(0, 0, TRAY_W, TRAY_H,
                      lambda x, y: shade(FRAME, 0.45 + 0.25 * ((y / TRAY_H) if lit_top else 1 - y / TRAY_H)))
        img.save(pid)
    mask_of(TRAY_W, TRAY_H, lambda x, y: inside_round_rect(x, y, TRAY_W, TRAY_H, 4)).save(542)


PIECE_W, PIECE_H = 34, 32


def make_checkers():
    for pid, base in ((146, LIGHT_PIECE), (148, DARK_PIECE)):
        img = Image(PIECE_W, PIECE_H)
        for y in range(PIECE_H):
            for x in range(PIECE_W):
                if not inside_ellipse(x, y, PIECE_W, PIECE_H):
                    continue
                r = math.hypot((x + 0.5 - PIECE_W / 2) / (PIECE_W / 2), (y + 0.5 - PIECE_H / 2) / (PIECE_H / 2))
                light = 1.0 - 0.25 * (y / PIECE_H) + (0.12 if 0.62 < r < 0.74 else 0.0)
                img.set(x, y, shade(base, light) if r < 0.9 else shade(base, 0.55))
        img.save(pid)
    mask_of(PIECE_W, PIECE_H, lambda x, y: inside_ellipse(x, y, PIECE_W, PIECE_H)).save(147)
    # Edge-on checkers in the trays. A tray slot's place lies TRAY_INSET rows above the
    # checker (the board's tray inset), so the pictures start with that many rows outside
    # the shape: the first checker sits at the tray's top edge, not on the frame above it.
    tw, th = TRAY_W, 12
    for pid, base in ((591, LIGHT_PIECE), (592, DARK_PIECE)):
        img = Image(tw, TRAY_INSET + th)
        img.fill_rect(1, TRAY_INSET + 1, tw - 1, TRAY_INSET + th - 1,
                      lambda x, y: shade(base, 1.1 - 0.35 * (y - TRAY_INSET) / th))
        img.save(pid)
    mask_of(tw, TRAY_INSET + th,
            lambda x, y: y >= TRAY_INSET and inside_round_rect(x, y - TRAY_INSET, tw, th, 4)).save(593)


CUBE = 40


def make_cube():
    for face, text in enumerate(("64", "2", "4", "8", "16", "32", "64")):
        img = Image(CUBE, CUBE)
        img.fill_rect(0, 0, CUBE, CUBE, lambda x, y: shade(IVORY, 1.02 - 0.12 * (x + y) / (2 * CUBE)))
        draw_text(img, text, CUBE // 2, CUBE // 2, 4 if len(text) == 1 else 3, (40, 30, 20))
        img.save(567 + face)
    mask_of(CUBE, CUBE, lambda x, y: inside_round_rect(x, y, CUBE, CUBE, 6)).save(574)


DIE = 33
PIPS = {0: [], 1: [(0, 0)], 2: [(-1, -1), (1, 1)], 3: [(-1, -1), (0, 0), (1, 1)],
        4: [(-1, -1), (1, -1), (-1, 1), (1, 1)], 5: [(-1, -1), (1, -1), (0, 0), (-1, 1), (1, 1)],
        6: [(-1, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (1, 1)]}


def make_dice():
    for face in range(7):
        img = Image(DIE, DIE)
        img.fill_rect(0, 0, DIE, DIE, lambda x, y: shade(IVORY, 1.02 - 0.1 * (x + y) / (2 * DIE)))
        for (px, py) in PIPS[face]:
            cx, cy = DIE / 2 + px * 9, DIE / 2 + py * 9
            for y in range(DIE):
                for x in range(DIE):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= 9.5:
                        img.set(x, y, (20, 20, 20))
        img.save(575 + face)
    for pid in (582, 590):
        mask_of(DIE, DIE, lambda x, y: inside_round_rect(x, y, DIE, DIE, 5)).save(pid)


ARROW_W, ARROW_H = 34, 26


def make_arrows():
    backdrop = Image(ARROW_W, ARROW_H)
    backdrop.fill_rect(0, 0, ARROW_W, ARROW_H, lambda x, y: shade(FRAME, 0.55 + 0.15 * y / ARROW_H))
    backdrop.save(556)
    mask_of(ARROW_W, ARROW_H, lambda x, y: inside_round_rect(x, y, ARROW_W, ARROW_H, 5)).save(603)
    down = [(10, 3), (24, 3), (24, 13), (30, 13), (17, 23), (4, 13), (10, 13)]
    left = [(4, 13), (15, 3), (15, 9), (30, 9), (30, 17), (15, 17), (15, 23)]
    right = [(ARROW_W - x, y) for (x, y) in left]
    for colour_set, colour in ((0, LIGHT_PIECE), (1, DARK_PIECE)):
        for home in (0, 1):
            for mover in (0, 1):
                shape = down if mover == 0 else (left if home == 0 else right)
                img = Image(ARROW_W, ARROW_H)
                img.px = [row[:] for row in backdrop.px]
                for y in range(ARROW_H):
                    for x in range(ARROW_W):
                        if inside_polygon(x - 2, y - 2, shape):
                            img.set(x, y, shade(FRAME, 0.3))  # the shadow
                for y in range(ARROW_H):
                    for x in range(ARROW_W):
                        if inside_polygon(x, y, shape):
                            edge = not all(inside_polygon(x + dx, y + dy, shape)
                                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                            img.set(x, y, (30, 30, 30) if edge else colour)
                img.save(595 + 4 * colour_set + 2 * home + mover)


if __name__ == "__main__":
    make_board()
    make_strip()
    make_trays()
    make_checkers()
    make_cube()
    make_dice()
    make_arrows()
