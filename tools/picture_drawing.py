"""Drawing helpers the picture generators share: a plain PNG writer, an RGB image that
saves under its picture id in resources/pictures, and colour and shape tests."""
import os
import struct
import zlib

PICTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "pictures")

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def write_png(path, w, h, pixels, alpha=False):
    """pixels: rows of (r, g, b) or (r, g, b, a) tuples."""
    kind = 6 if alpha else 2
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, kind, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


class Image:
    def __init__(self, w, h, fill=WHITE):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill_rect(self, l, t, r, b, colour):
        """colour: a colour, or a function of (x, y) giving one."""
        for y in range(max(t, 0), min(b, self.h)):
            row = self.px[y]
            for x in range(max(l, 0), min(r, self.w)):
                row[x] = colour(x, y) if callable(colour) else colour

    def save(self, pid):
        write_png(os.path.join(PICTURES, f"{pid}.png"), self.w, self.h, self.px)


def c8(rgb16):
    """A 16-bit-a-channel colour as 8 bits a channel."""
    return tuple(v >> 8 for v in rgb16)


def shade(c, f):
    """The colour with every channel scaled by f, kept in 0..255."""
    return tuple(max(0, min(255, int(v * f))) for v in c)


def inside_round_rect(x, y, w, h, r):
    """Whether pixel (x, y) lies in the rounded rectangle (0, 0, w, h) with corner radius r."""
    cx = min(max(x + 0.5, r), w - r)
    cy = min(max(y + 0.5, r), h - r)
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r
