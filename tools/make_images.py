#!/usr/bin/env python3
"""Draws the engine's embedded pictures and the program icon into resources/.

Run by hand after changing a picture: python3 tools/make_images.py
Every PNG is 8-bit RGBA (colour type 6). Shapes are anti-aliased by sampling each pixel on a
grid; a picture drawn in one colour keeps that colour in every pixel and varies only its alpha.
"""
import math
import os
import struct
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
SAMPLES = 5  # per axis, per pixel


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def set(self, x, y, rgb, alpha):
        self.px[y][x] = (rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255, alpha)

    def over(self, x, y, rgb, alpha):
        """Composites a straight-alpha colour over the pixel (Porter-Duff over)."""
        if alpha <= 0:
            return
        r, g, b, a = self.px[y][x]
        sa = alpha / 255.0
        da = a / 255.0
        oa = sa + da * (1 - sa)
        src = (rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255)
        out = [(s * sa + d * da * (1 - sa)) / oa for s, d in zip(src, (r, g, b))]
        self.px[y][x] = tuple(int(round(c)) for c in out) + (int(round(oa * 255)),)

    def paint(self, inside, rgb, alpha=255):
        """Paints every pixel by the share of its samples for which inside(x, y) holds."""
        for y in range(self.height):
            for x in range(self.width):
                c = coverage(inside, x, y)
                if c > 0:
                    self.over(x, y, rgb, int(round(alpha * c)))

    def fill_rect(self, x0, y0, x1, y1, rgb, alpha=255):
        """Sets the pixels x0..x1-1, y0..y1-1 outright (no blending, no smoothing)."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, rgb, alpha)

    def blit(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                self.px[dy + y][dx + x] = other.px[y][x]


def coverage(inside, x, y):
    hits = 0
    for j in range(SAMPLES):
        for i in range(SAMPLES):
            if inside(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


# Shapes: functions of a point in pixel coordinates (pixel (x, y) spans x..x+1, y..y+1).

def seg_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points, width):
    half = width / 2.0
    segs = list(zip(points, points[1:]))
    return lambda x, y: any(seg_distance(x, y, *a, *b) <= half for a, b in segs)


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return math.hypot(x - cx, y - cy) <= r
    return inside


def frame(x0, y0, x1, y1, t):
    return lambda x, y: rect(x0, y0, x1, y1)(x, y) and not rect(x0 + t, y0 + t, x1 - t, y1 - t)(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# Title-bar buttons: a translucent grey key with a white glyph under a soft shadow. Every pixel
# keeps some alpha so that the key shades the title bar beneath it.

KEY_GREY = 0x9AA4AA
GLYPH = 0xFFFFFF
SHADOW = 0x2A3238


def title_key(width, height, tint=KEY_GREY):
    c = Canvas(width, height)
    for y in range(height):
        shade = int(round(70 - 40 * y / (height - 1)))  # lighter at the top
        for x in range(width):
            c.set(x, y, tint, shade)
    edge = frame(0, 0, width, height, 1)
    c.paint(edge, 0xFFFFFF, 60)
    return c


def glyph(c, shape):
    shifted = lambda x, y: shape(x - 1, y - 1)
    c.paint(shifted, SHADOW, 110)
    c.paint(shape, GLYPH, 240)
    return c


def help_button():
    bubble = union(round_rect(7, 3, 19, 12, 3), polygon([(10, 11), (14, 11), (9, 15)]))
    return glyph(title_key(26, 18), bubble)


def menu_button():
    window = union(frame(6, 4, 18, 13, 1), rect(6, 4, 18, 6))
    pointer = polygon([(14, 9), (14, 16.5), (16, 14.5), (17.5, 17), (19, 16.2), (17.6, 13.8),
                       (20, 13.5)])
    return glyph(title_key(26, 18), union(window, pointer))


def minimize_button():
    return glyph(title_key(26, 18), rect(8, 11, 18, 13))


def maximize_button():
    return glyph(title_key(26, 18), union(frame(8, 4, 18, 13, 1), rect(8, 4, 18, 6)))


def restore_button():
    back = union(frame(10, 3, 19, 10, 1), rect(10, 3, 19, 5))
    front_area = rect(7, 7, 16, 14)
    front = union(frame(7, 7, 16, 14, 1), rect(7, 7, 16, 9))
    return glyph(title_key(26, 18), lambda x, y: front(x, y) or (back(x, y) and not front_area(x, y)))


def close_button():
    cross = union(polyline([(14.5, 4.5), (23.5, 13.5)], 2.2), polyline([(23.5, 4.5), (14.5, 13.5)], 2.2))
    return glyph(title_key(38, 18, 0xC4645C), cross)


# Chevrons of scroll bars and up-down controls.

CHEVRON = 0x98C1D6


def chevron(points):
    c = Canvas(14, 14)
    c.paint(polyline(points, 2.4), CHEVRON)
    return c


def arrow_up():
    return chevron([(3.5, 9), (7, 5.5), (10.5, 9)])


def arrow_down():
    return chevron([(3.5, 5), (7, 8.5), (10.5, 5)])


def arrow_left():
    return chevron([(9, 3.5), (5.5, 7), (9, 10.5)])


def arrow_right():
    return chevron([(5, 3.5), (8.5, 7), (5, 10.5)])


def drop_triangle():
    c = Canvas(7, 5)
    c.paint(polygon([(0, 0.5), (7, 0.5), (3.5, 4.5)]), 0x333333)
    return c


# The check-box strip: six 21 x 16 cells between one-pixel opaque magenta columns.

CELL_W, CELL_H = 21, 16
SEPARATOR = 0xFF00FF
CHECK_GREEN = 0x5D9702
BOX = (1, 2, 14, 15)  # x0, y0, x1, y1 of the 13 x 13 box


def box_cell(border, fill, alpha):
    c = Canvas(CELL_W, CELL_H)
    x0, y0, x1, y1 = BOX
    c.fill_rect(x0, y0, x1, y1, border, alpha)
    c.fill_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill, alpha)
    return c


def check_cell(points, width):
    c = Canvas(CELL_W, CELL_H)
    c.paint(polyline(points, width), CHECK_GREEN)
    return c


SMALL_CHECK = [(4, 8.5), (6.8, 11.5), (11.5, 5)]
LARGE_CHECK = [(2.5, 8), (7, 13), (18, 2.5)]


def check_strip():
    cells = [
        check_cell(LARGE_CHECK, 3.2),
        box_cell(0x83929D, 0xE6EAED, 255),
        check_cell(SMALL_CHECK, 2.2),
        check_cell(SMALL_CHECK, 2.2),
        box_cell(0x909090, 0xE9E9E9, 191),
        box_cell(0x83929D, 0xD0D8DD, 255),
    ]
    strip = Canvas(len(cells) * (CELL_W + 1) - 1, CELL_H)
    for i, cell in enumerate(cells):
        strip.blit(cell, i * (CELL_W + 1), 0)
        if i + 1 < len(cells):
            strip.fill_rect((i + 1) * (CELL_W + 1) - 1, 0, (i + 1) * (CELL_W + 1), CELL_H,
                            SEPARATOR, 255)
    return strip


# The program icon: a theme-coloured rounded key with a white switch.

THEME = 0x22CADD


def icon_image(size):
    s = size / 16.0
    c = Canvas(size, size)
    c.paint(round_rect(0.5 * s, 0.5 * s, 15.5 * s, 15.5 * s, 3.5 * s), THEME)
    c.paint(round_rect(3 * s, 5.5 * s, 13 * s, 10.5 * s, 2.5 * s), 0xFFFFFF, 235)
    knob = lambda x, y: math.hypot(x - 10.5 * s, y - 8 * s) <= 1.8 * s
    c.paint(knob, THEME)
    return c


# Encoders.

def png_bytes(c):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in c.px)
    header = struct.pack(">IIBBBBB", c.width, c.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_entry(c):
    """A classic icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    n = c.width
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(c.px) for p in row)
    mask_stride = ((n + 31) // 32) * 4
    mask = b""
    for row in reversed(c.px):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def ico_bytes(images):
    entries = [ico_entry(c) for c in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(images, entries):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(entries)


IMAGES = {
    "HelpButtonImage": help_button,
    "MenuButtonImage": menu_button,
    "MinimizeButtonImage": minimize_button,
    "MaximizeButtonImage": maximize_button,
    "RestoreButtonImage": restore_button,
    "CloseButtonImage": close_button,
    "ArrowUpImage": arrow_up,
    "ArrowDownImage": arrow_down,
    "ArrowLeftImage": arrow_left,
    "ArrowRightImage": arrow_right,
    "DropTriangleImage": drop_triangle,
    "CheckStripImage": check_strip,
}


def main():
    for name, draw in IMAGES.items():
        with open(os.path.join(OUT_DIR, name + ".png"), "wb") as f:
            f.write(png_bytes(draw()))
    with open(os.path.join(OUT_DIR, "program.ico"), "wb") as f:
        f.write(ico_bytes([icon_image(16), icon_image(32)]))


if __name__ == "__main__":
    main()
