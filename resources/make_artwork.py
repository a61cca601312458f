#!/usr/bin/env python3
"""Draws Quillmere's pictures, its Windows icon and its desktop icons.

The motif is a small heat map of a correlation matrix with a bold "R" (and a
superscript 2 where there is room) in front of it. Every shape is a signed
distance function in pixel units; edges are antialiased by supersampling.
Only the standard library is used, so the output is the same wherever the
script runs.

    python3 resources/make_artwork.py            # rewrite the files here
    python3 resources/make_artwork.py --check    # fail if they are stale
"""

import argparse
import math
import pathlib
import struct
import sys
import zlib

WHITE = (255, 255, 255)
INK = (0x26, 0x1C, 0x17)  # warm near-black for the letter
ACCENT_DARK = (0xCC, 0x45, 0x00)
ACCENT = (0xFF, 0x64, 0x00)
TILE_EDGE = (0xE2, 0xD6, 0xCE)

# The five-variable example of the help text; its pattern is the heat map.
SAMPLE_MATRIX = [
    [1.00, 0.20, 0.24, 0.00, 0.00],
    [0.20, 1.00, 0.58, 0.56, 0.21],
    [0.24, 0.58, 1.00, 0.41, 0.21],
    [0.00, 0.56, 0.41, 1.00, 0.51],
    [0.00, 0.21, 0.21, 0.51, 1.00],
]
# Variables 2-4 of the example: the strongest block, for the small icons.
SMALL_MATRIX = [row[1:4] for row in SAMPLE_MATRIX[1:4]]


# --- shapes: signed distance in pixels, negative inside -------------------


def sd_box(x, y, x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_polygon(x, y, pts):
    d = float("inf")
    inside = False
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[i - 1]
        ex, ey = bx - ax, by - ay
        wx, wy = x - ax, y - ay
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        d = min(d, math.hypot(wx - ex * t, wy - ey * t))
        if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
            inside = not inside
    return -d if inside else d


def sd_capsule(x, y, ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    wx, wy = x - ax, y - ay
    t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
    return math.hypot(wx - ex * t, wy - ey * t) - r


def sd_arc(x, y, cx, cy, r, half_width, a_from, a_to):
    """Round-capped arc over the angles a_from..a_to (degrees, y up)."""
    a = math.degrees(math.atan2(cy - y, x - cx))
    if a < a_from:
        a += 360
    if a <= a_to:
        return abs(math.hypot(x - cx, y - cy) - r) - half_width
    ends = [(cx + r * math.cos(math.radians(t)), cy - r * math.sin(math.radians(t)))
            for t in (a_from, a_to)]
    return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half_width


# --- the letter R and the superscript 2, in glyph units ---------------------


class Glyphs:
    """Bold R of cap height `h` with its top-left corner at (x0, y0).

    Stroke widths are fractions of `h`; small icons pass their own so that
    the strokes fall on whole pixels.
    """

    SQUARE_ARC_END = -35  # degrees: where the 2's arc turns into its diagonal

    def __init__(self, x0, y0, h, with_square, stem=0.27, bar=0.19, bowl_bottom=0.58):
        self.with_square = with_square

        def u(gx, gy):
            return (x0 + gx * h, y0 + gy * h)

        self.stem = (*u(0, 0), *u(stem, 1))
        bowl_r = bowl_bottom / 2
        self.bowl_c = u(0.43, bowl_r)
        self.bowl_r = bowl_r * h
        self.bowl_rect = (*u(0, 0), *u(0.43, bowl_bottom))
        self.hole_rect = (*u(stem, bar), *u(0.43, bowl_bottom - bar))
        self.hole_r = (bowl_r - bar) * h
        leg_top = bowl_bottom - 0.10
        self.leg = [u(0.30, leg_top), u(0.57, leg_top), u(0.84, 1.0), u(0.54, 1.0)]
        # Superscript 2: an arc over the top, a diagonal, a base.
        sw = 0.105
        self.sq_half = sw / 2 * h
        left, top, width, height = 0.83, -0.04, 0.36, 0.46
        rr = width / 2 - sw / 2
        self.sq_arc = (*u(left + width / 2, top + sw / 2 + rr), rr * h)
        end_angle = math.radians(self.SQUARE_ARC_END)
        arc_cx, arc_cy = left + width / 2, top + sw / 2 + rr
        self.sq_diag = (*u(arc_cx + rr * math.cos(end_angle), arc_cy - rr * math.sin(end_angle)),
                        *u(left + sw / 2, top + height - sw / 2))
        self.sq_base = (*u(left + sw / 2, top + height - sw / 2),
                        *u(left + width - sw / 2, top + height - sw / 2))

    def sd_r(self, x, y):
        hole = min(sd_box(x, y, *self.hole_rect), sd_circle(x, y, *self.bowl_c, self.hole_r))
        return max(self._sd_r_filled(x, y), -hole)

    def sd_outline(self, x, y):
        """The letters with the R's counter filled: the shape of the halo."""
        d = self._sd_r_filled(x, y)
        return min(d, self.sd_square(x, y)) if self.with_square else d

    def _sd_r_filled(self, x, y):
        bowl = min(sd_box(x, y, *self.bowl_rect), sd_circle(x, y, *self.bowl_c, self.bowl_r))
        return min(sd_box(x, y, *self.stem), bowl, sd_polygon(x, y, self.leg))

    def sd_square(self, x, y):
        cx, cy, r = self.sq_arc
        return min(sd_arc(x, y, cx, cy, r, self.sq_half, self.SQUARE_ARC_END, 200),
                   sd_capsule(x, y, *self.sq_diag, self.sq_half),
                   sd_capsule(x, y, *self.sq_base, self.sq_half))


# --- scenes ------------------------------------------------------------------


def heat_colour(r):
    """White through the light accent to the dark accent as |r| grows."""
    t = min(1.0, abs(r))
    pale = (0xFF, 0xEE, 0xE3)
    if t <= 0.6:
        return mix(pale, ACCENT, t / 0.6)
    return mix(ACCENT, ACCENT_DARK, (t - 0.6) / 0.4)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Layout:
    """Where the parts sit in a picture `size` pixels square."""

    def __init__(self, size, *, tile_margin, tile_radius, edge, grid_origin, cell, gap, matrix,
                 glyphs, halo):
        self.tile = (tile_margin, tile_margin, size - tile_margin, size - tile_margin,
                     tile_radius)
        self.edge = edge  # width of the tile's grey rim
        self.grid_origin, self.cell, self.gap, self.matrix = grid_origin, cell, gap, matrix
        self.glyphs = glyphs
        self.halo = halo  # white band between the letters and the cells


def layout_for(size):
    # Small sizes are laid out by hand on whole pixels so that cells and
    # stems stay crisp; larger ones scale one design.
    if size == 16:
        return Layout(16, tile_margin=0, tile_radius=2.5, edge=0, grid_origin=1, cell=4, gap=1,
                      matrix=SMALL_MATRIX, halo=1.0,
                      glyphs=Glyphs(3, 3, 11, False, stem=3 / 11, bar=2 / 11, bowl_bottom=6 / 11))
    if size == 32:
        return Layout(32, tile_margin=0, tile_radius=4, edge=1, grid_origin=2, cell=8, gap=2,
                      matrix=SMALL_MATRIX, halo=1.5,
                      glyphs=Glyphs(6, 5, 22, False, stem=6 / 22, bar=4 / 22, bowl_bottom=12 / 22))
    if size == 48:
        return Layout(48, tile_margin=0, tile_radius=6, edge=1, grid_origin=2, cell=8, gap=1,
                      matrix=SAMPLE_MATRIX, halo=2.0, glyphs=Glyphs(6, 7, 32, True))
    s = size / 256
    return Layout(size, tile_margin=6 * s, tile_radius=30 * s, edge=3 * s, grid_origin=22 * s,
                  cell=38 * s, gap=5 * s, matrix=SAMPLE_MATRIX, halo=9 * s,
                  glyphs=Glyphs(44 * s, 48 * s, 158 * s, True))


def layers(lay):
    """(signed distance function, colour) pairs, back to front."""
    x0, y0, x1, y1, rad = lay.tile
    out = []
    if lay.edge > 0:
        out.append((lambda x, y: sd_box(x, y, x0, y0, x1, y1, rad), TILE_EDGE))
        e = lay.edge
        out.append((lambda x, y: sd_box(x, y, x0 + e, y0 + e, x1 - e, y1 - e, rad - e), WHITE))
    else:
        out.append((lambda x, y: sd_box(x, y, x0, y0, x1, y1, rad), WHITE))
    n = len(lay.matrix)
    pitch = lay.cell + lay.gap
    corner = lay.cell * 0.12
    for i in range(n):
        for j in range(n):
            cx0 = lay.grid_origin + j * pitch
            cy0 = lay.grid_origin + i * pitch
            box = (cx0, cy0, cx0 + lay.cell, cy0 + lay.cell, corner)
            out.append((lambda x, y, b=box: sd_box(x, y, *b), heat_colour(lay.matrix[i][j])))
    g = lay.glyphs
    out.append((lambda x, y: g.sd_outline(x, y) - lay.halo, WHITE))
    out.append((g.sd_r, INK))
    if g.with_square:
        out.append((g.sd_square, ACCENT_DARK))
    return out


def render(size, opaque_background, samples=6):
    """Returns rows of (r, g, b, a) tuples."""
    scene = layers(layout_for(size))
    offsets = [(k + 0.5) / samples for k in range(samples)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            cx, cy = px + 0.5, py + 0.5
            # Premultiplied accumulation, back to front.
            acc = [255.0, 255.0, 255.0, 1.0] if opaque_background else [0.0, 0.0, 0.0, 0.0]
            for sd, colour in scene:
                d = sd(cx, cy)
                if d >= 0.75:
                    continue
                if d <= -0.75:
                    cov = 1.0
                else:
                    hits = sum(1 for oy in offsets for ox in offsets
                               if sd(px + ox, py + oy) < 0)
                    cov = hits / (samples * samples)
                    if cov == 0:
                        continue
                for c in range(3):
                    acc[c] = colour[c] * cov + acc[c] * (1 - cov)
                acc[3] = cov + acc[3] * (1 - cov)
            a = acc[3]
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, round(acc[c] / a)) for c in range(3))
                           + (round(a * 255),))
        rows.append(row)
    return rows


# --- file formats ------------------------------------------------------------


def png_bytes(rows, alpha=False):
    height, width = len(rows), len(rows[0])
    channels, colour_type = (4, 6) if alpha else (3, 2)  # 8-bit RGBA or RGB

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(v for px in row for v in px[:channels]) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def and_mask(rows):
    """1 bit a pixel, set where the pixel is transparent; bottom-up, 4-byte rows."""
    width = len(rows[0])
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bitmap_header(size, bit_count, image_bytes, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bit_count, 0, image_bytes, 0, 0,
                       colours_used, 0)


def dib_32(rows):
    size = len(rows)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask = and_mask(rows)
    return bitmap_header(size, 32, len(xor) + len(mask), 0) + xor + mask


def median_cut(colours, count):
    """A palette of up to `count` colours for the given list of RGB tuples."""
    boxes = [colours]
    while len(boxes) < count:
        best, best_range, best_channel = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for c in range(3):
                vals = [p[c] for p in box]
                span = max(vals) - min(vals)
                if span > best_range:
                    best, best_range, best_channel = i, span, c
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda p: (p[best_channel], p))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(p[c] for p in box) / len(box)) for c in range(3)) for box in boxes]


def dib_8(rows):
    size = len(rows)
    # Semi-transparent edge pixels are shown opaque or not at all in an
    # 8-bit icon; their colour is taken as it is.
    opaque = [px[:3] for row in rows for px in row if px[3] >= 128]
    fixed = [(0, 0, 0), WHITE, INK, ACCENT, ACCENT_DARK]
    distinct = sorted(set(opaque) - set(fixed))
    palette = fixed + (median_cut(distinct, 256 - len(fixed)) if distinct else [])
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def index(rgb):
        if rgb not in cache:
            cache[rgb] = min(range(256), key=lambda k: sum((palette[k][c] - rgb[c]) ** 2
                                                           for c in range(3)))
        return cache[rgb]

    stride = (size + 3) // 4 * 4
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            line[x] = index(px[:3]) if px[3] >= 128 else 0
        xor += line
    mask = and_mask(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return bitmap_header(size, 8, len(xor) + len(mask), 256) + table + bytes(xor) + mask


ICON_IMAGES = [(48, 8), (32, 8), (16, 8), (256, 32), (48, 32), (32, 32), (16, 32)]
# The desktop icons (share/icons/hicolor/<size>x<size>/apps/quillmere.png).
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def ico_bytes(renders):
    images = []
    for size, bits in ICON_IMAGES:
        rows = renders[size]
        images.append((size, bits, dib_8(rows) if bits == 8 else dib_32(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        side = size % 256  # 0 stands for 256
        colours = 0  # 0 for 256 colours and more
        out += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def build():
    """File name -> contents of every generated file."""
    renders = {size: render(size, opaque_background=False) for size in ICON_SIZES}
    files = {
        "R128.png": png_bytes(render(128, opaque_background=True)),
        "R256.png": png_bytes(render(256, opaque_background=True)),
        "quillmere.ico": ico_bytes(renders),
    }
    for size in ICON_SIZES:
        files[f"icons/hicolor/{size}x{size}/apps/quillmere.png"] = png_bytes(renders[size],
                                                                          alpha=True)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=pathlib.Path(__file__).parent,
                        help="folder to write to (default: beside this script)")
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in --out instead of writing them")
    args = parser.parse_args()
    stale = []
    for name, data in build().items():
        path = args.out / name
        if args.check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    if stale:
        print("out of date, run make_artwork.py: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
