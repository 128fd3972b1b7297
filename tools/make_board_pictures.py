#!/usr/bin/env python3
"""Draws the board's pictures into resources/pictures/<id>.png.

The pictures are simple shapes and textures made from code: dice faces and their masks
for the five size classes, the cube and its masks, the centre emblem masks, the tray
checker underlays and colour keys, and the frame-design tiles. Run it from
anywhere after changing a recipe; the outputs are committed.
Masks are black where the source shows and white elsewhere.
"""
import math
import random

from picture_drawing import BLACK, WHITE, Image, inside_round_rect


def round_rect_image(w, h, r, body, edge, outside=WHITE):
    img = Image(w, h, outside)
    for y in range(h):
        for x in range(w):
            if inside_round_rect(x, y, w, h, r):
                on_edge = not all(inside_round_rect(x + dx, y + dy, w, h, r)
                                  for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                img.set(x, y, edge if on_edge else body)
    return img


# Dice: one base picture per size class; pip masks at base - 10 + face; the plain die
# (also the copy mask of every die) at base + 7.
DIE_CLASSES = [(1350, 21, 17), (350, 29, 24), (1250, 39, 32), (1550, 48, 40), (1450, 58, 48)]
IVORY = (246, 242, 228)
DIE_EDGE = (96, 92, 84)
PIPS = {
    0: [],
    1: [(1, 1)],
    2: [(0, 0), (2, 2)],
    3: [(0, 0), (1, 1), (2, 2)],
    4: [(0, 0), (2, 0), (0, 2), (2, 2)],
    5: [(0, 0), (2, 0), (1, 1), (0, 2), (2, 2)],
    6: [(0, 0), (2, 0), (0, 1), (2, 1), (0, 2), (2, 2)],
}


def make_dice():
    for base, w, h in DIE_CLASSES:
        r = max(2, h // 5)
        round_rect_image(w, h, r, IVORY, DIE_EDGE).save(base)
        round_rect_image(w, h, r, BLACK, BLACK).save(base + 7)
        pip_r = max(1.2, h * 0.095)
        for face, spots in PIPS.items():
            img = Image(w, h)
            for col, row in spots:
                cx = w * (0.27 + 0.23 * col)
                cy = h * (0.25 + 0.25 * row)
                for y in range(h):
                    for x in range(w):
                        if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= pip_r * pip_r:
                            img.set(x, y, BLACK)
            img.save(base - 10 + face)


# The doubling cube of the painted boards: PICT 150 + class, mask 156 + class. Its face
# is dark, since the value is written on it in a near-white colour, and its rim light, to
# stand out from dark frames; never pure white, the colour left out when it is copied.
CUBE_SIDES = [22, 30, 40, 50, 60]


def make_cubes():
    for k, side in enumerate(CUBE_SIDES):
        r = max(2, side // 6)
        round_rect_image(side, side, r, (44, 48, 58), (206, 202, 190)).save(150 + k)
        round_rect_image(side, side, r, BLACK, BLACK).save(156 + k)


# Centre emblem masks: a tall lozenge, drawn to the emblem rectangle's size.
def make_emblems():
    for pid, w, h in ((137, 14, 44), (136, 20, 62), (140, 36, 110)):
        img = Image(w, h)
        for y in range(h):
            for x in range(w):
                if abs(x + 0.5 - w / 2) / (w / 2) + abs(y + 0.5 - h / 2) / (h / 2) <= 1.0:
                    img.set(x, y, BLACK)
        img.save(pid)


# Tray underlays (PICT 204, 205) and tray colour keys (PICT 206, 207): the painting
# covers all but their edges, which give the edge-on checker its dark rims.
def make_tray_pictures():
    for pid, rim in ((204, (40, 40, 40)), (205, (60, 60, 60)), (206, (30, 30, 30)), (207, (50, 50, 50))):
        w, h = 40, 14
        img = Image(w, h, (128, 128, 128))
        for x in range(w):
            img.set(x, 0, rim)
            img.set(x, 1, rim)
            img.set(x, h - 1, rim)
            img.set(x, h - 2, rim)
        for y in range(h):
            img.set(0, y, rim)
            img.set(w - 1, y, rim)
        img.save(pid)


# Frame-design tiles: designs 1-4 are woods with shade tile 138, designs 5-8 stones with
# shade tile 134. The tiles are seamless, since the tiling lays them edge to edge.
def smooth_noise(size, cells, seed):
    rnd = random.Random(seed)
    grid = [[rnd.random() for _ in range(cells)] for _ in range(cells)]
    def at(x, y):
        gx, gy = x * cells / size, y * cells / size
        x0, y0 = int(gx) % cells, int(gy) % cells
        x1, y1 = (x0 + 1) % cells, (y0 + 1) % cells
        fx, fy = gx - int(gx), gy - int(gy)
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        top = grid[y0][x0] * (1 - fx) + grid[y0][x1] * fx
        bottom = grid[y1][x0] * (1 - fx) + grid[y1][x1] * fx
        return top * (1 - fy) + bottom * fy
    return at


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def wood_tile(pid, dark, light, seed, size=64):
    n1 = smooth_noise(size, 4, seed)
    n2 = smooth_noise(size, 16, seed + 1)
    img = Image(size, size)
    for y in range(size):
        for x in range(size):
            grain = math.sin((y / size) * 2 * math.pi * 6 + n1(x, y) * 6.0)
            t = 0.5 + 0.35 * grain + 0.15 * (n2(x, y) - 0.5)
            img.set(x, y, mix(dark, light, min(max(t, 0.0), 1.0)))
    img.save(pid)


def stone_tile(pid, base, vein, seed, size=64):
    n1 = smooth_noise(size, 4, seed)
    n2 = smooth_noise(size, 8, seed + 7)
    img = Image(size, size)
    for y in range(size):
        for x in range(size):
            v = abs(math.sin((x + y) / size * 2 * math.pi + n1(x, y) * 7.0))
            t = (1 - v) ** 6 * 0.8 + 0.2 * n2(x, y)
            img.set(x, y, mix(base, vein, min(max(t, 0.0), 1.0)))
    img.save(pid)


def make_tiles():
    wood_tile(143, (150, 104, 56), (205, 160, 104), 11)   # design 1: oak
    wood_tile(135, (74, 46, 26), (122, 82, 48), 12)       # design 2: walnut
    wood_tile(141, (104, 34, 20), (158, 66, 40), 13)      # design 3: mahogany
    wood_tile(139, (24, 20, 18), (64, 54, 46), 14)        # design 4: ebony
    wood_tile(138, (60, 40, 22), (96, 66, 40), 15)        # shade of the woods
    stone_tile(144, (226, 222, 214), (120, 116, 110), 21)  # design 5: white marble
    stone_tile(142, (30, 92, 64), (176, 214, 190), 22)     # design 6: green marble
    stone_tile(145, (118, 118, 122), (40, 40, 44), 23)     # design 7: grey granite
    stone_tile(132, (206, 150, 142), (120, 70, 66), 24)    # design 8: rose marble
    stone_tile(134, (70, 70, 72), (30, 30, 32), 25)        # shade of the stones


if __name__ == "__main__":
    make_dice()
    make_cubes()
    make_emblems()
    make_tray_pictures()
    make_tiles()
