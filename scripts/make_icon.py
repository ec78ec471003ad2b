#!/usr/bin/env python3
# Generates the application icon (assets/inspector.ico): a magnifying glass over a
# small application window, drawn procedurally at 128/64/48/32/16 px with 32-bit alpha.
"""Usage: python3 scripts/make_icon.py [output_path]

The default output is assets/inspector.ico relative to the repository root.
Only the standard library is used and the output is byte-for-byte deterministic.
"""

import math
import os
import struct
import sys

SIZES = (128, 64, 48, 32, 16)
SUPERSAMPLE = 4  # 4x4 sub-samples per pixel for anti-aliasing
EXPECTED_FILE_SIZE = 99678

# Palette (straight RGB, 0..255).
OUTLINE = (0x1F, 0x29, 0x33)
TITLE_BLUE = (0x00, 0x88, 0xFF)
BODY_WHITE = (0xFF, 0xFF, 0xFF)
CONTENT_GREY = (0xB8, 0xC4, 0xD0)
BUTTON_LIGHT = (0xD6, 0xEB, 0xFF)
GLASS_TINT = (0x9C, 0xCB, 0xFF)
HIGHLIGHT = (0xFF, 0xFF, 0xFF)
RING = (0x2E, 0x3A, 0x46)
RING_INNER = (0x8A, 0x99, 0xA8)
HANDLE = (0x26, 0x32, 0x38)


def _premul(rgb, alpha):
    """Converts a straight RGB colour (0..255) and alpha (0..1) to premultiplied floats."""
    return (rgb[0] / 255.0 * alpha, rgb[1] / 255.0 * alpha, rgb[2] / 255.0 * alpha, alpha)


def _over(src, dst):
    """Porter-Duff 'source over destination' on premultiplied RGBA tuples."""
    k = 1.0 - src[3]
    return (src[0] + dst[0] * k, src[1] + dst[1] * k, src[2] + dst[2] * k, src[3] + dst[3] * k)


TRANSPARENT = (0.0, 0.0, 0.0, 0.0)


def _in_round_rect(x, y, x0, y0, x1, y1, r):
    """True if (x, y) lies inside the axis-aligned rectangle with corner radius r."""
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    dx, dy = x - cx, y - cy
    return dx * dx + dy * dy <= r * r


def _dist_to_segment(x, y, ax, ay, bx, by):
    """Euclidean distance from (x, y) to the segment a-b."""
    vx, vy = bx - ax, by - ay
    length_sq = vx * vx + vy * vy
    if length_sq == 0.0:
        return math.hypot(x - ax, y - ay)
    t = ((x - ax) * vx + (y - ay) * vy) / length_sq
    t = min(max(t, 0.0), 1.0)
    px, py = ax + vx * t - x, ay + vy * t - y
    return math.hypot(px, py)


class Geometry:
    """Pixel-space layout for one icon size. Strokes get minimum widths so the
    picture stays legible at 16 px."""

    def __init__(self, size):
        s = float(size)
        self.size = size
        self.detailed = size >= 32  # content lines, title buttons, highlight
        # Window rectangle, snapped to whole pixels for crisp edges.
        self.wx0 = round(s * 0.04)
        self.wy0 = round(s * 0.10)
        self.wx1 = round(s * 0.80)
        self.wy1 = round(s * 0.76)
        self.outline = max(1, round(s / 40.0))
        self.corner = s * 0.03
        self.title_bottom = self.wy0 + self.outline + max(2, round(s * 0.13))
        # Magnifier lens and handle.
        if size <= 16:
            # Hand-tuned for 16 px: a smaller lens kept clear of the title bar and
            # relatively thicker strokes, so the ring does not blur into the window.
            self.lx, self.ly = 9.0, 9.5
            self.lens_outer = 4.4
            self.ring_width = 1.6
            self.handle_half = 1.4
            self.hx1, self.hy1 = 14.3, 14.8
        else:
            self.lx = s * 0.60
            self.ly = s * 0.58
            self.lens_outer = s * 0.27
            self.ring_width = max(1.6, s * 0.07)
            self.handle_half = max(1.3, s * 0.065)
            self.hx1 = self.hy1 = s * 0.90
        self.lens_inner = self.lens_outer - self.ring_width
        self.magnify = 1.35 if self.detailed else 1.0
        self.bevel = size >= 48  # lighter inner edge on the ring
        diag = math.sqrt(0.5)
        self.hx0 = self.lx + diag * (self.lens_outer - self.ring_width * 0.5)
        self.hy0 = self.ly + diag * (self.lens_outer - self.ring_width * 0.5)
        self.neck_half = max(1.0, s * 0.045)
        self.neck_len = s * 0.08 if size > 16 else 0.0

    def window(self, x, y):
        """Premultiplied colour of the application-window drawing at (x, y)."""
        if not _in_round_rect(x, y, self.wx0, self.wy0, self.wx1, self.wy1, self.corner):
            return TRANSPARENT
        o = self.outline
        ix0, iy0, ix1, iy1 = self.wx0 + o, self.wy0 + o, self.wx1 - o, self.wy1 - o
        if x < ix0 or x > ix1 or y < iy0 or y > iy1:
            return _premul(OUTLINE, 1.0)
        if y < self.title_bottom:
            if self.detailed:
                # Three caption buttons at the right end of the title bar,
                # snapped to whole pixels so they stay crisp.
                bar_h = self.title_bottom - iy0
                bs = max(2, round(bar_h * 0.5))
                gap = max(1, round(bs * 0.5))
                by0 = iy0 + (bar_h - bs) // 2
                right = ix1 - max(1, round(bar_h * 0.35))
                for i in range(3):
                    bx1 = right - i * (bs + gap)
                    if bx1 - bs <= x <= bx1 and by0 <= y <= by0 + bs:
                        return _premul(BUTTON_LIGHT, 1.0)
            return _premul(TITLE_BLUE, 1.0)
        if self.detailed:
            # A few grey "text" lines in the client area, on whole pixels.
            line_h = max(1, round(self.size * 0.035))
            step = max(line_h + 1, round(self.size * 0.085))
            left = ix0 + max(1, round(self.size * 0.06))
            widths = (0.55, 0.40, 0.62, 0.30, 0.48)
            top = self.title_bottom + max(1, round(self.size * 0.06))
            for i, w in enumerate(widths):
                ly0 = top + i * step
                if ly0 + line_h > iy1 - self.size * 0.04:
                    break
                if ly0 <= y < ly0 + line_h and left <= x < left + round(self.size * w):
                    return _premul(CONTENT_GREY, 1.0)
        return _premul(BODY_WHITE, 1.0)

    def sample(self, x, y):
        """Premultiplied colour of the complete icon at sub-sample point (x, y)."""
        dx, dy = x - self.lx, y - self.ly
        d = math.hypot(dx, dy)
        if d <= self.lens_inner:
            # Glass: the window seen slightly magnified, with a pale blue tint.
            m = self.magnify
            c = self.window(self.lx + dx / m, self.ly + dy / m)
            c = _over(_premul(GLASS_TINT, 0.40), c)
            if self.detailed:
                # Curved glint in the upper-left part of the lens.
                r = self.lens_inner
                if r * 0.56 < d < r * 0.74 and abs(math.atan2(dy, dx) + 0.75 * math.pi) < 0.5:
                    c = _over(_premul(HIGHLIGHT, 0.9), c)
            return c
        c = self.window(x, y)
        # Handle: a thin neck leaving the ring, then a thicker grip.
        neck_end = (self.hx0 + self.neck_len * math.sqrt(0.5), self.hy0 + self.neck_len * math.sqrt(0.5))
        if self.neck_len > 0.0 and \
                _dist_to_segment(x, y, self.hx0, self.hy0, neck_end[0], neck_end[1]) <= self.neck_half:
            c = _over(_premul(RING, 1.0), c)
        if _dist_to_segment(x, y, neck_end[0], neck_end[1], self.hx1, self.hy1) <= self.handle_half:
            c = _over(_premul(HANDLE, 1.0), c)
        if d <= self.lens_outer:
            ring = RING
            if self.bevel and d <= self.lens_inner + self.ring_width * 0.3:
                ring = RING_INNER  # thin lighter bevel on the inside of the ring
            c = _over(_premul(ring, 1.0), c)
        return c


def render(size):
    """Renders one size; returns top-down rows of straight (r, g, b, a) byte tuples."""
    geo = Geometry(size)
    n = SUPERSAMPLE
    offsets = [(i + 0.5) / n for i in range(n)]
    count = float(n * n)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for oy in offsets:
                for ox in offsets:
                    c = geo.sample(px + ox, py + oy)
                    r += c[0]
                    g += c[1]
                    b += c[2]
                    a += c[3]
            alpha = int(round(a / count * 255.0))
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            # Un-premultiply: ICO 32-bit images store straight alpha.
            row.append((
                min(255, int(round(r / a * 255.0))),
                min(255, int(round(g / a * 255.0))),
                min(255, int(round(b / a * 255.0))),
                alpha,
            ))
        rows.append(row)
    return rows


def encode_image(size, rows):
    """Encodes one BMP-in-ICO image: BITMAPINFOHEADER, BGRA rows, AND mask (both bottom-up)."""
    mask_stride = ((size + 31) // 32) * 4
    xor_size = size * size * 4
    and_size = mask_stride * size
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         xor_size + and_size, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for (r, g, b, a) in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def build_ico(images):
    """Assembles (size, image_bytes) pairs into an ICO file."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = size if size < 256 else 0
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def self_check(blob):
    """Parses the ICO back and checks the header, directory, offsets and bitmap headers."""
    assert len(blob) == EXPECTED_FILE_SIZE, len(blob)
    reserved, kind, count = struct.unpack_from('<HHH', blob, 0)
    assert (reserved, kind, count) == (0, 1, len(SIZES))
    expected_offset = 6 + 16 * count
    for i, size in enumerate(SIZES):
        w, h, colors, res, planes, bpp, length, offset = struct.unpack_from('<BBBBHHII', blob, 6 + 16 * i)
        assert (w, h, colors, res, planes, bpp) == (size, size, 0, 0, 1, 32)
        assert offset == expected_offset
        mask_stride = ((size + 31) // 32) * 4
        assert length == 40 + size * size * 4 + mask_stride * size
        bi = struct.unpack_from('<IiiHHIIiiII', blob, offset)
        assert bi[:6] == (40, size, size * 2, 1, 32, 0)
        assert bi[6] == length - 40
        # The AND mask must mark exactly the fully transparent pixels.
        pixels = offset + 40
        mask = pixels + size * size * 4
        for y in range(size):
            for x in range(size):
                alpha = blob[pixels + (y * size + x) * 4 + 3]
                bit = (blob[mask + y * mask_stride + (x >> 3)] >> (7 - (x & 7))) & 1
                assert bit == (1 if alpha == 0 else 0), (size, x, y)
        expected_offset += length
    assert expected_offset == len(blob)


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    if len(argv) == 2:
        out_path = argv[1]
    else:
        repo_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        out_path = os.path.join(repo_root, 'assets', 'inspector.ico')
    blob = build_ico([(size, encode_image(size, render(size))) for size in SIZES])
    self_check(blob)
    parent = os.path.dirname(os.path.abspath(out_path))
    os.makedirs(parent, exist_ok=True)
    with open(out_path, 'wb') as f:
        f.write(blob)
    print('wrote %s (%d bytes)' % (out_path, len(blob)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
