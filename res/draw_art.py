#!/usr/bin/env python3
"""Draws the installer's pictures into the folder given on the command line.

Every picture in the program comes from here, so that none is kept without its source and a
change of colour or shape is one edit and a rebuild. Only the standard library is used and
nothing is random: the same script always writes the same bytes.

  python3 draw_art.py OUTPUT_FOLDER
"""

import math
import os
import struct
import sys
import zlib

# --------------------------------------------------------------------------------------------
# File formats


def rle8_row(row):
    """One row in the 8-bit run-length encoding of BMP files: runs as (count, index), stretches
    without runs as (0, count, indices..., padding to an even length), then end of line."""
    out, i = bytearray(), 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        j = i + 1
        while j < len(row) and j - i < 255 and not (j + 1 < len(row) and row[j] == row[j + 1]):
            j += 1
        plain = row[i:j]
        if len(plain) < 3:
            out += b"".join(bytes((1, v)) for v in plain)
        else:
            out += bytes((0, len(plain))) + bytes(plain) + bytes(len(plain) % 2)
        i = j
    return bytes(out) + b"\0\0"


def bmp_bytes(width, height, pixel):
    """A bottom-up BMP of the fewest bits per pixel its colours allow: 1, 4 or 8 with a palette
    of just the colours used, 24 beyond 256 colours; 8-bit pictures are run-length encoded
    when that is smaller. pixel(x, y) gives (r, g, b), y from the top. The palette is sorted,
    so the same picture always gives the same bytes."""
    rows = [[tuple(int(c) for c in pixel(x, y)) for x in range(width)] for y in range(height)]
    colours = sorted({c for row in rows for c in row})
    bits = next((b for b in (1, 4, 8) if len(colours) <= 1 << b), 24)
    stride = (width * bits + 31) // 32 * 4
    palette = b"" if bits == 24 else b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    index = {c: i for i, c in enumerate(colours)}
    data = bytearray()
    for row in reversed(rows):
        packed = bytearray()
        if bits == 24:
            for r, g, b in row:
                packed += bytes((b, g, r))
        else:
            per_byte = 8 // bits
            for x0 in range(0, width, per_byte):
                value = 0
                for k in range(per_byte):
                    value <<= bits
                    if x0 + k < width:
                        value |= index[row[x0 + k]]
                packed.append(value)
        data += packed + bytes(stride - len(packed))
    compression = 0
    if bits == 8:
        encoded = b"".join(rle8_row([index[c] for c in row]) for row in reversed(rows)) + b"\0\1"
        if len(encoded) < len(data):
            data, compression = encoded, 1  # BI_RLE8
    used = 0 if bits == 24 else len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data), 2835,
                       2835, used, 0)
    start = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", start + len(data), 0, 0, start)
    return header + info + palette + bytes(data)


def png_bytes(size, rgba):
    """A square 8-bit RGBA PNG, unfiltered rows, deflated at the highest level: a quarter of the
    bytes of the same image as a bitmap."""
    raw = b"".join(b"\0" + bytes(c for x in range(size) for c in rgba(x, y)) for y in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """An icon file of 32-bit images with alpha, each stored as a PNG (read so since Windows
    Vista); images are (size, rgba(x, y)) pairs."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        blob = png_bytes(size, rgba)
        side = size if size < 256 else 0
        entries.append(struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def icon_group(ico, first_id):
    """The group-icon resource of an icon file whose images the resource compiler numbered
    from first_id on: the same directory with each file offset replaced by that number."""
    count = struct.unpack_from("<H", ico, 4)[0]
    group = struct.pack("<HHH", 0, 1, count)
    for i in range(count):
        w, h, colours, _, planes, bits, size, _ = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        group += struct.pack("<BBBBHHIH", w, h, colours, 0, planes, bits, size, first_id + i)
    return group


# --------------------------------------------------------------------------------------------
# A small anti-aliased painter: shapes are inside-tests sampled SS x SS times per pixel, paints
# give a colour per pixel centre, and layers are composited premultiplied.

SS = 4


class Canvas:
    def __init__(self, width, height, background=None):
        self.w, self.h = width, height
        clear = (0.0, 0.0, 0.0, 0.0)
        if background is not None:
            clear = tuple(c / 255.0 for c in background) + (1.0,)
        self.px = [list(clear) for _ in range(width * height)]

    def fill(self, inside, paint, box=None, opacity=1.0):
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        steps = [(i + 0.5) / SS for i in range(SS)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(1 for sy in steps for sx in steps if inside(x + sx, y + sy))
                if hits:
                    self.blend(x, y, paint(x + 0.5, y + 0.5), opacity * hits / (SS * SS))

    def blend(self, x, y, colour, coverage):
        r, g, b = colour[:3]
        a = (colour[3] if len(colour) > 3 else 1.0) * coverage
        p = self.px[y * self.w + x]
        keep = 1.0 - a
        p[0] = r / 255.0 * a + p[0] * keep
        p[1] = g / 255.0 * a + p[1] * keep
        p[2] = b / 255.0 * a + p[2] * keep
        p[3] = a + p[3] * keep

    def rgba(self, x, y):
        r, g, b, a = self.px[y * self.w + x]
        if a <= 0.0:
            return (0, 0, 0, 0)
        return tuple(min(255, int(c / a * 255.0 + 0.5)) for c in (r, g, b)) + (int(a * 255 + 0.5),)

    def rgb(self, x, y):
        return self.rgba(x, y)[:3]


def reduce_colours(width, height, pixel, limit=256):
    """pixel(x, y) with at most `limit` colours, by median cut: the box of colours with the
    widest channel is split at its weighted median until there are `limit` boxes, and each
    colour becomes its box's weighted mean. Soft gradients keep their look at a third of the
    bytes of a 24-bit picture."""
    counts = {}
    for y in range(height):
        for x in range(width):
            c = pixel(x, y)
            counts[c] = counts.get(c, 0) + 1
    boxes = [sorted(counts)]

    def widest(box):
        spans = [max(c[i] for c in box) - min(c[i] for c in box) for i in range(3)]
        return max(spans), spans.index(max(spans))

    while len(boxes) < limit:
        span, box = max((widest(b)[0], b) for b in boxes if len(b) > 1) if any(
            len(b) > 1 for b in boxes) else (0, None)
        if not span:
            break
        channel = widest(box)[1]
        box.sort(key=lambda c: (c[channel], c))
        total, running, cut = sum(counts[c] for c in box), 0, 1
        for i, c in enumerate(box[:-1]):
            running += counts[c]
            cut = i + 1
            if running * 2 >= total:
                break
        boxes.remove(box)
        boxes += [box[:cut], box[cut:]]
    mapped = {}
    for box in boxes:
        weight = sum(counts[c] for c in box)
        mean = tuple(int(sum(c[i] * counts[c] for c in box) / weight + 0.5) for i in range(3))
        for c in box:
            mapped[c] = mean
    return lambda x, y: mapped[pixel(x, y)]


def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def solid(colour):
    return lambda x, y: colour


def vertical(y0, c0, y1, c1):
    return lambda x, y: mix(c0, c1, (y - y0) / (y1 - y0))


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def segment(ax, ay, bx, by, width):
    length2 = (bx - ax) ** 2 + (by - ay) ** 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / length2))
        return (x - ax - t * (bx - ax)) ** 2 + (y - ay - t * (by - ay)) ** 2 <= width * width / 4
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def bounds(points, pad=1.0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# --------------------------------------------------------------------------------------------
# Background tile. The wizard recolours it to the button face: it reads the background at
# (0,0), the shade key at (0,7) and the light key at (0,4), so the motif is placed to put a
# rivet's top and bottom edge on those rows of the first column. The grey is deliberately no
# system's face colour, so that the recolouring always has something to do.

TILE = 105
PATTERN_BACK = (200, 200, 196)
PATTERN_SHADE = (128, 128, 124)
PATTERN_LIGHT = (255, 255, 250)
PLATE = 21          # plate pitch in pixels: five plates span the tile
RIVET = (".LL.", "L..S", "L..S", ".SS.")


def pattern_key(x, y):
    """'B', 'S' or 'L' for pixel (x, y): raised plates with a one-pixel joint, a rivet in each."""
    # Plates are shifted so that column 0 runs through the inner column of a rivet whose top
    # and bottom edges fall on rows 4 and 7.
    px = (x + 9) % PLATE
    py = (y + 4) % PLATE
    if px == PLATE - 1 or py == PLATE - 1:
        return "B"                      # the joint between plates
    if py == 0 or px == 0:
        return "S" if (px == PLATE - 2 and py == 0) else "L"
    if py == PLATE - 2 or px == PLATE - 2:
        return "S"
    rx, ry = px - 8, py - 8
    if 0 <= rx < 4 and 0 <= ry < 4:
        mark = RIVET[ry][rx]
        if mark != ".":
            return mark
    return "B"


def draw_pattern():
    colour = {"B": PATTERN_BACK, "S": PATTERN_SHADE, "L": PATTERN_LIGHT}
    return bmp_bytes(TILE, TILE, lambda x, y: colour[pattern_key(x, y)])


# --------------------------------------------------------------------------------------------
# Side picture of the wizard: the program writes "Norvik-Soft" in black at 38,47 and "pro" in
# maroon over a navy shadow at 15..17,243..245, so both places stay light and plain.

SIDE_W, SIDE_H = 118, 361
NAVY = (10, 36, 106)
DEEP = (4, 16, 58)
SKY_TOP = (252, 253, 255)
SKY_LOW = (205, 219, 242)


def horizon(x):
    """Upper edge of the deep-blue ground: a gentle curve that stays below the "pro" label."""
    t = x / SIDE_W
    return 298.0 - 34.0 * t * t + 6.0 * math.sin(t * math.pi)


def draw_side():
    c = Canvas(SIDE_W, SIDE_H)
    c.fill(lambda x, y: True, vertical(0, SKY_TOP, 280, SKY_LOW))
    # A faint watermark of concentric arcs behind the monitor, like a signal spreading.
    for i, r in enumerate((70, 86, 102)):
        c.fill(ring(118, 150, r - 0.8, r + 0.8), solid((150, 175, 220)), opacity=0.35 - 0.08 * i)
    # Ground: deep blue below a curved horizon, with a bright rim.
    c.fill(lambda x, y: y >= horizon(x), vertical(262, (24, 66, 160), SIDE_H, DEEP),
           box=(0, 250, SIDE_W, SIDE_H))
    c.fill(lambda x, y: abs(y - horizon(x)) <= 0.9, solid((120, 200, 255)),
           box=(0, 250, SIDE_W, 310))
    draw_badge(c, 9, 47)
    draw_monitor(c, 15, 100)
    draw_transfer(c, 76, 200)
    draw_network(c)
    # A thin rule under the maker's name ties the top together.
    c.fill(lambda x, y: True, lambda x, y: mix((40, 90, 190), SKY_TOP, x / SIDE_W) + (0.9,),
           box=(9, 82, SIDE_W, 83))
    return bmp_bytes(SIDE_W, SIDE_H, reduce_colours(SIDE_W, SIDE_H, c.rgb))


def draw_badge(c, x, y):
    """A small terminal-prompt emblem left of the maker's name."""
    c.fill(rounded(x + 0.5, y + 1.5, x + 24.5, y + 25.5, 5), solid((0, 0, 40, 0.25)),
           box=(x, y, x + 26, y + 27))
    c.fill(rounded(x, y, x + 24, y + 24, 5), vertical(y, (46, 100, 200), y + 24, NAVY),
           box=(x - 1, y - 1, x + 25, y + 25))
    c.fill(segment(x + 6, y + 8, x + 11, y + 12.5, 2.4), solid((255, 255, 255)),
           box=(x, y, x + 24, y + 24))
    c.fill(segment(x + 11, y + 12.5, x + 6, y + 17, 2.4), solid((255, 255, 255)),
           box=(x, y, x + 24, y + 24))
    c.fill(lambda px, py: x + 13 <= px <= x + 19 and y + 16 <= py <= y + 18.4,
           solid((120, 230, 140)), box=(x, y, x + 24, y + 24))


def draw_monitor(c, x, y):
    """A terminal screen with a session in it, on a stand."""
    w, h = 88, 70
    c.fill(rounded(x + 1, y + 2, x + w + 1, y + h + 2, 6), solid((0, 20, 60, 0.22)),
           box=(x, y, x + w + 3, y + h + 4))
    c.fill(rounded(x, y, x + w, y + h, 6), vertical(y, (236, 240, 247), y + h, (158, 168, 186)),
           box=(x - 1, y - 1, x + w + 1, y + h + 1))
    c.fill(minus(rounded(x, y, x + w, y + h, 6), rounded(x + 1, y + 1, x + w - 1, y + h - 1, 5)),
           solid((80, 92, 120)), box=(x - 1, y - 1, x + w + 1, y + h + 1))
    sx0, sy0, sx1, sy1 = x + 6, y + 6, x + w - 6, y + h - 10
    c.fill(rounded(sx0, sy0, sx1, sy1, 2), vertical(sy0, (6, 22, 44), sy1, (14, 44, 76)),
           box=(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1))
    # Session lines: a prompt in green, answers in pale cyan.
    lines = [(0, 4, 30, (120, 235, 140)), (1, 0, 58, (170, 215, 235)),
             (2, 0, 44, (170, 215, 235)), (3, 4, 22, (120, 235, 140)),
             (4, 0, 50, (170, 215, 235)), (5, 4, 12, (120, 235, 140))]
    for row, indent, length, colour in lines:
        ly = sy0 + 5 + row * 7
        if indent:
            c.fill(lambda px, py, ly=ly: sx0 + 4 <= px <= sx0 + 6 and ly <= py <= ly + 2,
                   solid((255, 200, 90)), box=(sx0, ly - 1, sx0 + 8, ly + 4))
        lx = sx0 + 4 + indent + (2 if indent else 0)
        for start, run in words(length):
            c.fill(lambda px, py, a=lx + start, b=lx + start + run, ly=ly:
                   a <= px <= b and ly <= py <= ly + 2,
                   solid(colour), box=(lx + start - 1, ly - 1, lx + start + run + 1, ly + 4))
    cursor_y = sy0 + 5 + 5 * 7
    c.fill(lambda px, py: sx0 + 24 <= px <= sx0 + 28 and cursor_y - 1 <= py <= cursor_y + 3,
           solid((230, 255, 235)), box=(sx0 + 23, cursor_y - 2, sx0 + 30, cursor_y + 5))
    # A soft reflection across the upper left of the glass.
    glare = polygon([(sx0, sy0), (sx0 + 40, sy0), (sx0, sy0 + 30)])
    c.fill(glare, solid((255, 255, 255, 0.07)), box=(sx0, sy0, sx0 + 41, sy0 + 31))
    # Power light and stand.
    c.fill(circle(x + w - 9, y + h - 5, 1.6), solid((90, 220, 110)),
           box=(x + w - 12, y + h - 8, x + w - 6, y + h - 2))
    cx = x + w / 2
    neck = polygon([(cx - 7, y + h), (cx + 7, y + h), (cx + 10, y + h + 9), (cx - 10, y + h + 9)])
    c.fill(neck, vertical(y + h, (120, 130, 150), y + h + 9, (170, 180, 198)),
           box=(cx - 11, y + h, cx + 11, y + h + 10))
    c.fill(rounded(cx - 24, y + h + 8, cx + 24, y + h + 13, 2.5),
           vertical(y + h + 8, (200, 207, 220), y + h + 13, (110, 120, 140)),
           box=(cx - 25, y + h + 7, cx + 25, y + h + 14))


def words(length):
    """Word runs of a text line of the given length, for the session on the screen."""
    runs, pos, k = [], 0, 0
    while pos < length:
        run = min(length - pos, (5, 9, 3, 7, 4, 11)[k % 6])
        runs.append((pos, run))
        pos += run + 3
        k += 1
    return runs


def arrow(x, y, w, h, up):
    """A block arrow in the box (x, y, w, h), pointing up or down."""
    head = h * 0.45
    stem = w * 0.22
    cx = x + w / 2
    if up:
        pts = [(cx, y), (x + w, y + head), (cx + stem, y + head), (cx + stem, y + h),
               (cx - stem, y + h), (cx - stem, y + head), (x, y + head)]
    else:
        pts = [(cx, y + h), (x + w, y + h - head), (cx + stem, y + h - head), (cx + stem, y),
               (cx - stem, y), (cx - stem, y + h - head), (x, y + h - head)]
    return pts


def draw_transfer(c, x, y):
    """Download and upload arrows, the file transfer of the package."""
    for dx, up, top, bottom in ((0, False, (90, 160, 245), (20, 70, 180)),
                                (19, True, (120, 220, 120), (30, 140, 60))):
        pts = arrow(x + dx, y + (0 if not up else 8), 17, 52, up)
        shadow = [(px + 1.2, py + 1.5) for px, py in pts]
        c.fill(polygon(shadow), solid((0, 20, 60, 0.25)), box=bounds(shadow))
        c.fill(polygon(pts), vertical(y, top, y + 60, bottom), box=bounds(pts))


NODES = [(14, 330), (38, 312), (62, 338), (90, 316), (106, 343), (30, 352), (80, 287)]
LINKS = [(0, 1), (1, 2), (2, 3), (3, 4), (0, 5), (5, 2), (2, 4), (1, 6), (6, 3)]


def draw_network(c):
    """Connected hosts on the deep-blue ground."""
    for a, b in LINKS:
        (ax, ay), (bx, by) = NODES[a], NODES[b]
        c.fill(segment(ax, ay, bx, by, 1.1), solid((110, 170, 240, 0.75)),
               box=bounds([(ax, ay), (bx, by)], 2))
    for nx, ny in NODES:
        c.fill(circle(nx, ny, 5.0), solid((120, 200, 255, 0.22)),
               box=(nx - 6, ny - 6, nx + 6, ny + 6))
        c.fill(circle(nx, ny, 2.6), solid((235, 248, 255)), box=(nx - 4, ny - 4, nx + 4, ny + 4))


# --------------------------------------------------------------------------------------------
# Icons. Shapes are drawn on a 32-unit grid and scaled to each size.


def icon_disc(size):
    """The page icon: an installation disc over its case."""
    c = Canvas(size, size)
    k = size / 32.0
    case = rounded(3 * k, 9 * k, 21 * k, 30 * k, 2 * k)
    c.fill(case, vertical(9 * k, (60, 120, 215), 30 * k, (18, 52, 140)))
    c.fill(minus(case, rounded(4 * k, 10 * k, 20 * k, 29 * k, 1.2 * k)), solid((10, 30, 90, 0.8)))
    c.fill(lambda x, y: 5 * k <= x <= 19 * k and 12 * k <= y <= 13.6 * k,
           solid((200, 225, 255, 0.85)))
    cx, cy, r = 19 * k, 14 * k, 12.5 * k

    def sheen(x, y):
        angle = math.atan2(y - cy, x - cx)
        glow = 0.5 + 0.5 * math.cos(2 * angle - 0.8)
        tint = (
            170 + 60 * math.cos(angle * 2 + 0.0),
            190 + 50 * math.cos(angle * 2 + 2.1),
            215 + 40 * math.cos(angle * 2 + 4.2),
        )
        return mix(tint, (255, 255, 255), glow * 0.55)

    c.fill(circle(cx + 0.6 * k, cy + 0.9 * k, r), solid((0, 0, 30, 0.3)))
    c.fill(minus(circle(cx, cy, r), circle(cx, cy, 2.6 * k)), sheen)
    c.fill(ring(cx, cy, r - 0.9 * max(k, 1.0), r), solid((90, 100, 125, 0.9)))
    c.fill(ring(cx, cy, 2.6 * k, 5.0 * k), solid((235, 238, 245, 0.95)))
    c.fill(ring(cx, cy, 2.6 * k, 3.3 * k), solid((110, 120, 140, 0.9)))
    return c.rgba


def icon_setup(size):
    """The program icon: an open box with an arrow going into it."""
    c = Canvas(size, size)
    k = size / 32.0

    def pts(*p):
        return [(a * k, b * k) for a, b in p]

    front_left = pts((3, 14), (16, 19), (16, 31), (3, 25))
    front_right = pts((16, 19), (29, 14), (29, 25), (16, 31))
    inside = pts((3, 14), (16, 9), (29, 14), (16, 19))
    flap_left = pts((3, 14), (16, 19), (11, 23), (-1, 18))
    flap_right = pts((29, 14), (16, 19), (21, 23), (33, 18))
    c.fill(polygon(inside), solid((95, 60, 25)), box=bounds(inside))
    # The arrow goes in behind the front faces.
    down = pts(*[(x, y) for x, y in arrow(10, 1, 12, 17, False)])
    c.fill(polygon(down), vertical(1 * k, (120, 225, 110), 18 * k, (25, 135, 45)), box=bounds(down))
    c.fill(polygon(front_left), vertical(14 * k, (215, 160, 95), 31 * k, (170, 112, 52)),
           box=bounds(front_left))
    c.fill(polygon(front_right), vertical(14 * k, (185, 128, 66), 31 * k, (135, 85, 35)),
           box=bounds(front_right))
    c.fill(polygon(flap_left), solid((232, 185, 120)), box=bounds(flap_left))
    c.fill(polygon(flap_right), solid((205, 150, 85)), box=bounds(flap_right))
    for a, b in ((front_left[1], front_left[2]), (flap_left[0], flap_left[3]),
                 (flap_right[0], flap_right[3]), (front_left[3], front_left[2]),
                 (front_right[2], front_right[3])):
        c.fill(segment(a[0], a[1], b[0], b[1], max(0.9, 0.9 * k)), solid((90, 55, 20, 0.7)),
               box=bounds([a, b], 2))
    return c.rgba


# --------------------------------------------------------------------------------------------
# Button glyphs: crisp pixel arrows. The bottom-left pixel is the transparent colour, as the
# bitmap buttons expect; olive is used nowhere else.

OLIVE = (128, 128, 0)
GLYPH_RIGHT = (
    "................",
    "................",
    "........#.......",
    "........##......",
    "........#a#.....",
    "........#aa#....",
    ".########aaa#...",
    ".#aaaaaaaaaaa#..",
    ".#bbbbbbbbbbb#..",
    ".########bbb#...",
    "........#bb#....",
    "........#b#.....",
    "........##......",
    "........#.......",
    "................",
    "................",
)


def glyph(mirror):
    colour = {"#": (0, 70, 20), "a": (70, 190, 80), "b": (20, 130, 45)}

    def pixel(x, y):
        mark = GLYPH_RIGHT[y][15 - x if mirror else x]
        return colour.get(mark, OLIVE)
    return bmp_bytes(16, 16, pixel)


# --------------------------------------------------------------------------------------------


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_art.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    program = ico_bytes([(s, icon_setup(s)) for s in (48, 32, 16)])
    pictures = {
        "pattern.bmp": draw_pattern(),
        "side.bmp": draw_side(),
        "icon_1.ico": ico_bytes([(s, icon_disc(s)) for s in (32, 16)]),
        "program.ico": program,
        # art.rc declares program.ico first, so its images are icons 1, 2 and 3.
        "program.grp": icon_group(program, 1),
        "glyph_back.bmp": glyph(True),
        "glyph_next.bmp": glyph(False),
    }
    for name, data in pictures.items():
        # Written whole under a temporary name, so a build never sees half a picture.
        path = os.path.join(folder, name)
        with open(path + ".tmp", "wb") as out:
            out.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
