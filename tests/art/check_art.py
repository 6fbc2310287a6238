#!/usr/bin/env python3
"""Checks the drawn pictures and their resources in Install.exe for what the program relies on.

  check_art.py DRAW_ART_PY ART_FOLDER INSTALL_EXE

Exits non-zero and names every failed check.
"""

import os
import struct
import subprocess
import sys
import tempfile
import zlib

FAILURES = []

# Face colours of the common schemes (Windows 2000, 7..11, XP Luna, Windows 95/98). A pattern
# background equal to one of them would leave the recolouring untried on those systems.
FACE_COLOURS = [(212, 208, 200), (240, 240, 240), (236, 233, 216), (192, 192, 192)]
OLIVE = (128, 128, 0)
MAGENTA = (255, 0, 255)


def check(condition, what):
    if not condition:
        FAILURES.append(what)
    return condition


def read_bmp(data):
    """(width, height, pixel(x, y) -> (r, g, b) with y from the top row, bits per pixel,
    compression) of a BMP: 1, 4, 8 or 24 bits, palettes and 8-bit run-length encoding included."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0] - 14
    dib = data[14:]
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", dib, 0)
    if size < 40 or planes != 1 or bits not in (1, 4, 8, 24) or compression not in (0, 1) or (
            compression == 1 and (bits != 8 or height < 0)):
        raise ValueError("not a bitmap of 1, 4, 8 or 24 bits, plain or 8-bit run-length encoded")
    used = struct.unpack_from("<I", dib, 32)[0] or (0 if bits == 24 else 1 << bits)
    palette = [tuple(dib[size + 4 * i + 2 - k] for k in range(3)) for i in range(used)]
    if offset < size + 4 * used:
        raise ValueError("palette cut short")
    rows = abs(height)
    if compression == 1:
        dib = b"".join(bytes(row) for row in rle8_decode(dib[offset:], width, rows))
        offset, stride = 0, width
    else:
        stride = (width * bits + 31) // 32 * 4
    if len(dib) < offset + stride * rows:
        raise ValueError("pixel data cut short")

    def pixel(x, y):
        at = offset + (rows - 1 - y if height > 0 else y) * stride
        if bits == 24:
            b, g, r = dib[at + x * 3: at + x * 3 + 3]
            return (r, g, b)
        byte = dib[at + x * bits // 8]
        shift = 8 - bits - (x * bits) % 8
        return palette[(byte >> shift) & ((1 << bits) - 1)]
    return width, rows, pixel, bits, compression


def rle8_decode(data, width, rows):
    """Rows of indices, bottom row first, of 8-bit run-length encoded pixels."""
    out = [bytearray() for _ in range(rows)]
    y, i = 0, 0
    while i + 1 < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            out[y] += bytes((value,)) * count
        elif value == 0:
            y += 1
        elif value == 1:
            break
        elif value == 2:
            raise ValueError("run-length deltas are not used")
        else:
            out[y] += data[i:i + value]
            i += value + value % 2
    if any(len(row) != width for row in out):
        raise ValueError("run-length rows of the wrong width")
    return out


def check_depth(name, width, height, pixel, bits):
    """A picture takes the fewest bits per pixel that hold its colours."""
    colours = len({pixel(x, y) for y in range(height) for x in range(width)})
    fewest = next((b for b in (1, 4, 8) if colours <= 1 << b), 24)
    check(bits == fewest, "%s has %d colours in %d bits per pixel, %d would do" %
          (name, colours, bits, fewest))


def read_png(blob):
    """(size, rgba pixel(x, y)) of a square 8-bit RGBA PNG with unfiltered rows, as drawn."""
    if blob[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG image")
    at, header, data = 8, None, b""
    while at < len(blob):
        length, kind = struct.unpack_from(">I4s", blob, at)
        body = blob[at + 8:at + 8 + length]
        if zlib.crc32(kind + body) != struct.unpack_from(">I", blob, at + 8 + length)[0]:
            raise ValueError("PNG chunk %s is damaged" % kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            data += body
        at += 12 + length
    size = header[0]
    if header[1:] != (size, 8, 6, 0, 0, 0):
        raise ValueError("PNG image is not a square 8-bit RGBA picture")
    raw = zlib.decompress(data)
    stride = 1 + 4 * size
    if len(raw) != stride * size or any(raw[y * stride] for y in range(size)):
        raise ValueError("PNG rows are not plain")

    def rgba(x, y):
        at = y * stride + 1 + 4 * x
        return tuple(raw[at:at + 4])
    return size, rgba


def read_ico(data):
    """List of (size, rgba pixel(x, y), image bytes) of an icon file of 32-bit PNG images."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    images = []
    for i in range(count):
        w, h, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        blob = data[offset:offset + length]
        size, rgba = read_png(blob)
        if size != (w or 256) or h != w or bits != 32:
            raise ValueError("icon image %d is not a square 32-bit image" % i)
        images.append((size, rgba, blob))
    return images


def read_resources(exe):
    """{(type, name): data} of a PE file; names and types are ints or upper-case strings,
    in the order of the resource directory."""
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", exe, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", exe, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", exe, directories + 2 * 8)[0]
    table = optional + optional_size
    for i in range(sections):
        _, _, va, raw_size, raw = struct.unpack_from("<8sIIII", exe, table + 40 * i)
        if va <= rsrc_rva < va + raw_size:
            base = raw + (rsrc_rva - va)
            delta = va - raw
            break
    else:
        raise ValueError("no resource section")

    def entries(at):
        named, ids = struct.unpack_from("<HH", exe, base + at + 12)
        for i in range(named + ids):
            key, value = struct.unpack_from("<II", exe, base + at + 16 + 8 * i)
            if key & 0x80000000:
                length = struct.unpack_from("<H", exe, base + (key & 0x7FFFFFFF))[0]
                start = base + (key & 0x7FFFFFFF) + 2
                key = exe[start:start + 2 * length].decode("utf-16-le").upper()
            yield key, value

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names & 0x7FFFFFFF):
            _, leaf = next(entries(languages & 0x7FFFFFFF))
            rva, size = struct.unpack_from("<II", exe, base + leaf)
            found[(kind, name)] = exe[rva - delta:rva - delta + size]
    return found


def check_pattern(data):
    width, height, pixel, bits, _ = read_bmp(data)
    check_depth("pattern.bmp", width, height, pixel, bits)
    check((width, height) == (105, 105), "pattern.bmp is 105 x 105")
    background, shade, light = pixel(0, 0), pixel(0, 7), pixel(0, 4)
    check(len({background, shade, light}) == 3,
          "pattern.bmp key colours at (0,0), (0,7), (0,4) are distinct: %s" %
          [background, shade, light])
    check(background not in FACE_COLOURS,
          "pattern.bmp background %s is no common button-face colour" % (background,))
    counts = {}
    for y in range(height):
        for x in range(width):
            counts[pixel(x, y)] = counts.get(pixel(x, y), 0) + 1
    check(set(counts) == {background, shade, light},
          "pattern.bmp has only its three key colours, found %d colours" % len(counts))
    # The motif has to show after recolouring: both edge colours drawn in earnest.
    for name, colour in (("shade", shade), ("light", light)):
        check(counts.get(colour, 0) >= width * height // 50,
              "pattern.bmp draws the %s key on at least 2%% of the tile" % name)


def check_glyphs(folder):
    for name, tip_right in (("glyph_back.bmp", False), ("glyph_next.bmp", True)):
        width, height, pixel, bits, _ = read_bmp(read(folder, name))
        check((width, height) == (16, 16), "%s is 16 x 16" % name)
        check_depth(name, width, height, pixel, bits)
        clear = pixel(0, height - 1)
        check(clear in (OLIVE, MAGENTA), "%s bottom-left pixel is olive or magenta" % name)
        opaque = [(x, y) for y in range(height) for x in range(width) if pixel(x, y) != clear]
        check(len(opaque) >= 30, "%s draws an arrow" % name)
        right = sum(1 for x, _ in opaque if x >= width // 2)
        check((right > len(opaque) - right) == tip_right,
              "%s points %s" % (name, "right" if tip_right else "left"))


def check_icons(folder):
    icons = {}
    for name, sizes in (("icon_1.ico", [32, 16]), ("program.ico", [48, 32, 16])):
        images = read_ico(read(folder, name))
        check(sorted(s for s, _, _ in images) == sorted(sizes), "%s holds %s px" % (name, sizes))
        for size, rgba, _ in images:
            alphas = {rgba(x, y)[3] for y in range(size) for x in range(size)}
            check(0 in alphas and 255 in alphas and len(alphas) > 2,
                  "%s %d px has transparent, opaque and soft edges" % (name, size))
            check(rgba(0, 0)[3] == 0 and rgba(size - 1, 0)[3] == 0,
                  "%s %d px top corners are transparent" % (name, size))
        icons[name] = {size: blob for size, _, blob in images}
    check(icons["icon_1.ico"][32] != icons["program.ico"][32],
          "the page icon differs from the program icon")
    return icons


def check_side(data):
    width, height, pixel, bits, compression = read_bmp(data)
    check((width, height) == (118, 361), "side.bmp is 118 x 361")
    # Its soft shading is cut to a palette, its wide calm areas run-length encoded: a twelfth
    # of the bytes of full colour.
    check((bits, compression) == (8, 1),
          "side.bmp is 8-bit run-length encoded, found %d bits, compression %d" %
          (bits, compression))
    check_depth("side.bmp", width, height, pixel, bits)
    # The program writes black and maroon text at these places; they must stay light and plain.
    for name, (x0, y0, x1, y1) in (("maker's name", (38, 47, 118, 76)),
                                   ("edition", (15, 243, 56, 268))):
        area = [pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]
        darkest = min(sum(c) / 3 for c in area)
        spread = max(sum(c) for c in area) - min(sum(c) for c in area)
        check(darkest >= 170 and spread <= 90,
              "side.bmp is light and calm behind the %s (darkest %d, spread %d)" %
              (name, darkest, spread))


def check_executable(exe, folder, icons):
    resources = read_resources(exe)
    for name in ("PATTERN", "SIDE", "GLYPH_BACK", "GLYPH_NEXT"):
        data = resources.get((2, name))
        check(data == read(folder, name.lower() + ".bmp")[14:],
              "Install.exe holds bitmap %s as drawn" % name)
    groups = [name for kind, name in resources if kind == 14]
    check("MAINICON" in groups and "ICON_1" in groups,
          "Install.exe holds icons MAINICON and ICON_1, found %s" % groups)
    for group, source in ((groups[0] if groups else None, "program.ico"),
                          ("MAINICON", "program.ico"), ("ICON_1", "icon_1.ico")):
        data = resources.get((14, group), b"")
        images = {}
        for i in range(struct.unpack_from("<H", data, 4)[0] if len(data) >= 6 else 0):
            w, _, _, _, _, _, _, image_id = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
            images[w or 256] = resources.get((3, image_id))
        check(images == icons[source],
              "icon group %s in Install.exe shows the images of %s" % (group, source))


def read(folder, name):
    with open(os.path.join(folder, name), "rb") as f:
        return f.read()


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    generator, folder, exe_path = argv[1:]
    # The build's pictures are what the generator draws now, byte for byte, every time.
    with tempfile.TemporaryDirectory() as fresh:
        subprocess.run([sys.executable, generator, fresh], check=True)
        for name in sorted(os.listdir(fresh)):
            check(read(fresh, name) == read(folder, name), "%s is drawn the same again" % name)
    check_pattern(read(folder, "pattern.bmp"))
    check_side(read(folder, "side.bmp"))
    check_glyphs(folder)
    icons = check_icons(folder)
    with open(exe_path, "rb") as f:
        check_executable(f.read(), folder, icons)
    for failure in FAILURES:
        print("FAIL:", failure)
    print("art: %d failed" % len(FAILURES) if FAILURES else "art: all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
