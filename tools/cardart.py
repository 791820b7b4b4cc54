#!/usr/bin/env python3
"""Draws the card pictures of assets/cards.

Called by tools/render-cards, which fetches the Twemoji SVGs first.  Uses only
the Python standard library and rsvg-convert, so the output depends on nothing
but the pinned SVG package and the rsvg version.

Every picture comes at 1x (32x32) and 2x (64x64, saved as name@2x.png):
  faceNN  - emoji art, trimmed, area-averaged into 30 (60) px, centred on a
            transparent 32 (64) px canvas, with a 1 (2) px dark outline so pale
            shapes stay visible on the white table;
  back    - the card back, drawn pixel by pixel: raised bevel, diagonals, dots;
  blank   - the empty place of a removed card: a sunken bevel.
"""

import argparse
import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

# --------------------------------------------------------------------------
# PNG reading and writing (8-bit RGB/RGBA, non-interlaced: what rsvg writes)


def read_png(path):
    """Returns (width, height, rows) with rows a list of bytes, RGBA 8-bit."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos = 8
    idat = []
    width = height = depth = ctype = interlace = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    if depth != 8 or ctype not in (2, 6) or interlace != 0:
        raise ValueError(f"{path}: unsupported PNG (depth {depth}, colour type {ctype}, interlace {interlace})")
    bpp = 4 if ctype == 6 else 3
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    rows = []
    prev = bytearray(stride)
    pos = 0
    for _ in range(height):
        ftype = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        if ftype == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif ftype == 2:
            for i in range(stride):
                line[i] = (line[i] + prev[i]) & 255
        elif ftype == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif ftype == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                if pa <= pb and pa <= pc:
                    pred = a
                elif pb <= pc:
                    pred = b
                else:
                    pred = c
                line[i] = (line[i] + pred) & 255
        elif ftype != 0:
            raise ValueError(f"{path}: bad PNG filter type {ftype}")
        prev = line
        if bpp == 3:
            rgba = bytearray(width * 4)
            rgba[0::4], rgba[1::4], rgba[2::4] = line[0::3], line[1::3], line[2::3]
            rgba[3::4] = b"\xff" * width
            line = rgba
        rows.append(bytes(line))
    return width, height, rows


def write_png(path, width, height, rgba):
    """Writes 8-bit RGBA bytes (row-major) as a PNG with no time stamp."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    stride = width * 4
    raw = b"".join(b"\x00" + bytes(rgba[y * stride:(y + 1) * stride]) for y in range(height))
    data = (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


# --------------------------------------------------------------------------
# Layers: premultiplied float RGBA planes


class Layer:
    """A w x h picture held as four flat lists of premultiplied floats 0..1."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        n = w * h
        self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def paste_rows(self, rows, src_w, ox, oy):
        """Draws an RGBA 8-bit image over this layer at (ox, oy)."""
        for sy, row in enumerate(rows):
            y = oy + sy
            if not 0 <= y < self.h:
                continue
            for sx in range(src_w):
                al = row[sx * 4 + 3]
                if al == 0:
                    continue
                x = ox + sx
                if not 0 <= x < self.w:
                    continue
                fa = al / 255.0
                self.over(y * self.w + x, row[sx * 4] / 255.0 * fa,
                          row[sx * 4 + 1] / 255.0 * fa, row[sx * 4 + 2] / 255.0 * fa, fa)

    def over(self, i, r, g, b, a):
        """Puts a premultiplied colour over pixel i."""
        k = 1.0 - a
        self.r[i] = r + self.r[i] * k
        self.g[i] = g + self.g[i] * k
        self.b[i] = b + self.b[i] * k
        self.a[i] = a + self.a[i] * k

    def fill(self, inside, colour):
        """Paints every pixel whose centre satisfies inside(x, y) with an opaque colour."""
        r, g, b = (c / 255.0 for c in colour)
        for y in range(self.h):
            for x in range(self.w):
                if inside(x + 0.5, y + 0.5):
                    i = y * self.w + x
                    self.r[i], self.g[i], self.b[i], self.a[i] = r, g, b, 1.0

    def bbox(self, threshold=1.0 / 255):
        x0, y0, x1, y1 = self.w, self.h, 0, 0
        for y in range(self.h):
            base = y * self.w
            for x in range(self.w):
                if self.a[base + x] >= threshold:
                    if x < x0:
                        x0 = x
                    if x >= x1:
                        x1 = x + 1
                    if y < y0:
                        y0 = y
                    y1 = y + 1
        return (x0, y0, x1, y1) if x1 > x0 else None

    def to_bytes(self):
        out = bytearray(self.w * self.h * 4)
        for i in range(self.w * self.h):
            a = self.a[i]
            a8 = int(round(min(1.0, a) * 255))
            if a8 == 0:
                continue
            out[i * 4] = min(255, int(round(self.r[i] / a * 255)))
            out[i * 4 + 1] = min(255, int(round(self.g[i] / a * 255)))
            out[i * 4 + 2] = min(255, int(round(self.b[i] / a * 255)))
            out[i * 4 + 3] = a8
        return out


def union_bbox(boxes):
    boxes = [b for b in boxes if b]
    return (min(b[0] for b in boxes), min(b[1] for b in boxes),
            max(b[2] for b in boxes), max(b[3] for b in boxes))


def box_weights(n_out, offset, scale, lo, hi):
    """For each output pixel i, the source pixels and weights it averages.

    Output pixel i covers source interval [lo + (i - offset) / scale,
    lo + (i + 1 - offset) / scale), clipped to [lo, hi).  Each weight is the
    covered length times scale, so a fully covered output pixel sums to 1 and
    one on the shape's edge gets partial alpha.
    """
    table = []
    for i in range(n_out):
        s0 = max(lo, lo + (i - offset) / scale)
        s1 = min(hi, lo + (i + 1 - offset) / scale)
        taps = []
        j = math.floor(s0)
        while j < s1:
            cover = min(s1, j + 1) - max(s0, j)
            if cover > 0:
                taps.append((j, cover * scale))
            j += 1
        table.append(taps)
    return table


def shrink(layer, box, inner, size):
    """Area-averages box of layer so its longer side is `inner` px, centred on size x size."""
    x0, y0, x1, y1 = box
    bw, bh = x1 - x0, y1 - y0
    scale = inner / max(bw, bh)
    # Centre, but start the shorter side on a whole pixel so one edge stays crisp.
    ox = math.floor((size - bw * scale) / 2 + 0.5) if bw < bh else (size - inner) / 2
    oy = math.floor((size - bh * scale) / 2 + 0.5) if bh < bw else (size - inner) / 2
    wx = box_weights(size, ox, scale, x0, x1)
    wy = box_weights(size, oy, scale, y0, y1)
    planes = (layer.r, layer.g, layer.b, layer.a)
    # Horizontal pass over the rows the vertical pass will read.
    rows_needed = sorted({j for taps in wy for j, _ in taps})
    tmp = {}
    for sy in rows_needed:
        base = sy * layer.w
        line = []
        for plane in planes:
            out = [0.0] * size
            for i, taps in enumerate(wx):
                acc = 0.0
                for j, wgt in taps:
                    acc += plane[base + j] * wgt
                out[i] = acc
            line.append(out)
        tmp[sy] = line
    res = Layer(size, size)
    dst = (res.r, res.g, res.b, res.a)
    for y, taps in enumerate(wy):
        for c in range(4):
            plane = dst[c]
            for x in range(size):
                acc = 0.0
                for j, wgt in taps:
                    acc += tmp[j][c][x] * wgt
                plane[y * size + x] = acc
    return res


def disc(radius):
    """Neighbour offsets for an outline `radius` px wide.

    Radius 1 is the full 3x3 square (8 neighbours); radius 2 is the 5x5 square
    less its corners, the rounded double of it.
    """
    offs = []
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            if (dx, dy) == (0, 0):
                continue
            if radius > 1 and abs(dx) == radius and abs(dy) == radius:
                continue
            offs.append((dx, dy))
    return offs


OUTLINE = (38, 38, 44)


def outline_under(layer, radius, colour=OUTLINE):
    """A layer holding the shape's alpha grown by radius px, in the outline colour."""
    w, h = layer.w, layer.h
    offs = disc(radius)
    res = Layer(w, h)
    r, g, b = (c / 255.0 for c in colour)
    for y in range(h):
        for x in range(w):
            m = layer.a[y * w + x]
            for dx, dy in offs:
                xx, yy = x + dx, y + dy
                if 0 <= xx < w and 0 <= yy < h:
                    v = layer.a[yy * w + xx]
                    if v > m:
                        m = v
            if m > 0:
                i = y * w + x
                res.r[i], res.g[i], res.b[i], res.a[i] = r * m, g * m, b * m, m
    return res


def compose(bottom, top):
    """Returns top drawn over bottom (same size)."""
    res = Layer(bottom.w, bottom.h)
    for i in range(bottom.w * bottom.h):
        k = 1.0 - top.a[i]
        res.r[i] = top.r[i] + bottom.r[i] * k
        res.g[i] = top.g[i] + bottom.g[i] * k
        res.b[i] = top.b[i] + bottom.b[i] * k
        res.a[i] = top.a[i] + bottom.a[i] * k
    return res


# --------------------------------------------------------------------------
# Face recipes.  Every part is drawn on a common high-resolution canvas; the
# parts are shrunk one by one with the same mapping and stacked at the small
# size, so a part marked `ring` gets its own thin dark edge where it lies over
# the parts below it.

CANVAS = 640


class Svg:
    def __init__(self, code, size=512, x=64, y=64, ring=False):
        self.code, self.size, self.x, self.y, self.ring = code, size, x, y, ring

    def draw(self, ctx):
        png = os.path.join(ctx.work, f"{self.code}-{self.size}.png")
        if not os.path.exists(png):
            svg = os.path.join(ctx.svg_dir, self.code + ".svg")
            if not os.path.exists(svg):
                raise SystemExit(f"render-cards: {svg} is missing from the package")
            subprocess.run(["rsvg-convert", "-w", str(self.size), "-h", str(self.size),
                            "-o", png, svg], check=True)
        w, _, rows = read_png(png)
        layer = Layer(CANVAS, CANVAS)
        layer.paste_rows(rows, w, self.x, self.y)
        return layer


def in_polygon(pts):
    """inside(x, y) test for a convex polygon given clockwise or anticlockwise."""
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def inside(x, y):
        sign = 0
        for (ax, ay), (bx, by) in edges:
            cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax)
            if cross != 0:
                s = 1 if cross > 0 else -1
                if sign == 0:
                    sign = s
                elif s != sign:
                    return False
        return True
    return inside


class MatchStick:
    """A wooden match stick leaning from bottom left up to (tip_x, tip_y),
    with a charred head at its top end; the flame is drawn over the head."""

    def __init__(self, foot, tip, width, ring=False):
        self.foot, self.tip, self.width, self.ring = foot, tip, width, ring

    def draw(self, ctx):
        layer = Layer(CANVAS, CANVAS)
        (fx, fy), (tx, ty) = self.foot, self.tip
        length = math.hypot(tx - fx, ty - fy)
        ux, uy = (tx - fx) / length, (ty - fy) / length   # along the stick
        nx, ny = -uy, ux                                   # across it
        half = self.width / 2

        def quad(a, b, s0, s1):
            return [(fx + ux * a + nx * s0, fy + uy * a + ny * s0),
                    (fx + ux * b + nx * s0, fy + uy * b + ny * s0),
                    (fx + ux * b + nx * s1, fy + uy * b + ny * s1),
                    (fx + ux * a + nx * s1, fy + uy * a + ny * s1)]
        # Light wood with a darker shaded side, so it reads as a square stick.
        layer.fill(in_polygon(quad(0, length, -half, half)), (236, 196, 128))
        layer.fill(in_polygon(quad(0, length, half * 0.1, half)), (196, 140, 74))
        # The bulb of the match head, charred dark red-brown.
        hx, hy = fx + ux * length, fy + uy * length
        hr = self.width * 0.9
        layer.fill(lambda x, y: (x - hx) ** 2 + (y - hy) ** 2 <= hr * hr, (110, 34, 24))
        return layer


class Context:
    def __init__(self, svg_dir, work):
        self.svg_dir, self.work = svg_dir, work


# Index: parts, bottom first; outline=False leaves the shape without the dark edge.
FACES = [
    ([Svg("1f9de")], True),                                   # 0  genie
    ([Svg("1f438", 512, 0, 128),                              # 1  frog asking: the emblem
      Svg("2753", 280, 400, 0, ring=True)], True),
    ([Svg("1fabc")], True),                                   # 2  jellyfish
    ([Svg("260e")], True),                                    # 3  telephone
    ([Svg("1f91d")], True),                                   # 4  handshake
    ([Svg("1f5b1")], True),                                   # 5  computer mouse
    ([Svg("1f42d")], True),                                   # 6  mouse face
    ([Svg("2601")], True),                                    # 7  cloud
    ([Svg("2744")], True),                                    # 8  snowflake
    ([Svg("1f916")], True),                                   # 9  robot
    ([Svg("1f6b2")], False),                                  # 10 bicycle: thin lines tangle with an outline
    ([Svg("1f699", 400, 220, 40),                             # 11 SUV behind a car
      Svg("1f697", 400, 20, 200, ring=True)], True),
    ([Svg("1f680")], True),                                   # 12 rocket
    ([Svg("2708")], True),                                    # 13 aeroplane
    ([Svg("1f570")], True),                                   # 14 mantelpiece clock
    ([Svg("1f408-200d-2b1b")], True),                         # 15 black cat
    ([Svg("1f4d6")], True),                                   # 16 open book
    ([Svg("1f48c")], True),                                   # 17 love letter
    ([Svg("1f58a")], True),                                   # 18 pen
    ([MatchStick((60, 630), (370, 350), 56),                  # 19 burning match
      Svg("1f525", 400, 200, 0)], True),
    ([Svg("1f47f")], True),                                   # 20 angry devil face
    ([Svg("1f514")], True),                                   # 21 bell
    ([Svg("231a")], True),                                    # 22 watch
    ([Svg("1f384")], True),                                   # 23 Christmas tree
    ([Svg("1f4a1")], True),                                   # 24 light bulb
]


def render_face(parts, big, box, outlined, inner, size, radius):
    stack = Layer(size, size)
    for part, layer in zip(parts, big):
        small = shrink(layer, box, inner, size)
        if part.ring and outlined:
            stack = compose(stack, outline_under(small, radius))
        stack = compose(stack, small)
    if outlined:
        stack = compose(outline_under(stack, radius), stack)
    return stack


# --------------------------------------------------------------------------
# Card back and empty place, pixel art at 32x32

FACE_GREY = (192, 192, 192)
WHITE = (255, 255, 255)
LIGHT = (223, 223, 223)
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)


def bevel(px, n, outer_tl, inner_tl, inner_br, outer_br):
    """Two-pixel frame of an n x n square: top/left edges in the *_tl
    colours, bottom/right edges in the *_br colours, outer ring first.  The
    two corners where top-left meets bottom-right take the bottom-right
    colour."""
    for i in range(n):
        for ring, tl, br in ((0, outer_tl, outer_br), (1, inner_tl, inner_br)):
            lo, hi = ring, n - 1 - ring
            if not lo <= i <= hi:
                continue
            px[lo][i] = tl if i < hi else br      # top edge
            px[i][lo] = tl if i < hi else br      # left edge
            px[hi][i] = br                        # bottom edge
            px[i][hi] = br                        # right edge


def draw_back(n=32):
    px = [[FACE_GREY] * n for _ in range(n)]
    # Raised: lit top-left, shaded bottom-right.  The outermost light edge is
    # light grey rather than white so the card's edge shows on a white table.
    bevel(px, n, LIGHT, WHITE, SHADOW, DARK)
    # Diagonals from corner to corner of the inner field, engraved: a dark
    # line with a white line just below it.
    for i in range(2, n - 2):
        px[i][i] = SHADOW
        px[i][n - 1 - i] = SHADOW
    for i in range(2, n - 3):
        for x in (i, n - 1 - i):
            if px[i + 1][x] == FACE_GREY:
                px[i + 1][x] = WHITE
    # A round red bead in each of the four triangles, lit from the top left.
    shades = {"a": (255, 110, 110), "b": (210, 16, 16), "c": (140, 0, 0)}
    bead = [".aabb.",
            "aabbbb",
            "abbbbb",
            "bbbbbc",
            "bbbbcc",
            ".bccc."]
    mid = n // 2 - 3             # left/top pixel of a bead centred on the middle
    for bx, by in ((mid, 5), (mid, n - 11), (5, mid), (n - 11, mid)):
        for yy, line in enumerate(bead):
            for xx, ch in enumerate(line):
                if ch in shades:
                    px[by + yy][bx + xx] = shades[ch]
    return px


def draw_blank(n=32):
    """The place a removed card leaves: a sunken, slightly darker square."""
    px = [[(180, 180, 180)] * n for _ in range(n)]
    # Sunken: shaded top-left, lit bottom-right; the outermost lit edge is
    # light grey so it shows on white.
    bevel(px, n, SHADOW, DARK, WHITE, LIGHT)
    return px


def pixels_to_bytes(px, factor):
    n = len(px) * factor
    out = bytearray()
    for row in px:
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((r, g, b, 255)) * factor
        out += bytes(line) * factor
    return n, out


# --------------------------------------------------------------------------


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--svg-dir", required=True, help="folder of Twemoji <codepoints>.svg files")
    ap.add_argument("--out", required=True, help="output folder (assets/cards)")
    ap.add_argument("--only", type=int, nargs="*", help="face indices to redraw (default all)")
    ap.add_argument("--icons", help="also write the emblem as hicolor theme icons under this folder")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)

    for name, px in (("back", draw_back()), ("blank", draw_blank())):
        for factor, suffix in ((1, ""), (2, "@2x")):
            n, data = pixels_to_bytes(px, factor)
            write_png(os.path.join(args.out, f"{name}{suffix}.png"), n, n, data)

    with tempfile.TemporaryDirectory(prefix="cardart-") as work:
        ctx = Context(args.svg_dir, work)
        for index, (parts, outlined) in enumerate(FACES):
            if args.only and index not in args.only:
                continue
            big = [p.draw(ctx) for p in parts]
            box = union_bbox([b.bbox() for b in big])
            for inner, size, radius, suffix in ((30, 32, 1, ""), (60, 64, 2, "@2x")):
                layer = render_face(parts, big, box, outlined, inner, size, radius)
                write_png(os.path.join(args.out, f"face{index:02d}{suffix}.png"),
                          size, size, layer.to_bytes())
            print(f"face{index:02d}", file=sys.stderr)

        if args.icons:
            # The program icon is the emblem (face 1), drawn afresh at each size so that
            # the larger ones keep their detail.
            parts, outlined = FACES[1]
            big = [p.draw(ctx) for p in parts]
            box = union_bbox([b.bbox() for b in big])
            for size in (32, 64, 128, 256):
                inner, radius = size * 15 // 16, max(1, size // 32)
                layer = render_face(parts, big, box, outlined, inner, size, radius)
                folder = os.path.join(args.icons, "hicolor", f"{size}x{size}", "apps")
                os.makedirs(folder, exist_ok=True)
                write_png(os.path.join(folder, "vimbrel.png"), size, size, layer.to_bytes())


if __name__ == "__main__":
    main()
