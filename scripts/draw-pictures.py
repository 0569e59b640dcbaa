#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Draw the two pictures shown in the panel's drawing area.

    fixed.bmp   200 x 150  the actuator's stationary parts: see-through barrel with
                           its lead screw, mounting plates, end flange, and the motor
                           strapped underneath
    moving.bmp  200 x 19   the rod: rod-end fitting at the left, shaft to the right

Both are opaque 24-bit BMPs on the panel's ground colour. Shapes are drawn at four
times the final size and averaged down, which gives smooth edges.

Run from the top of the repository:  python3 scripts/draw-pictures.py
Only the Python standard library is used.
"""

import os
import struct

GROUND = (245, 249, 250)
SUPERSAMPLE = 4
OUT_DIR = os.path.join("panel", "pictures")


# ---------------------------------------------------------------- colours

def mix(a, b, t):
    """Blend colour a towards colour b by t (0 gives a, 1 gives b)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(color, k):
    """Darken (k < 1) towards black or lighten (k > 1) towards white."""
    if k <= 1.0:
        return tuple(c * k for c in color)
    return mix(color, (255, 255, 255), min(k - 1.0, 1.0))


def ramp(stops, t):
    """Piecewise-linear value from sorted (position, value) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, v0), (t1, v1) in zip(stops, stops[1:]):
        if t <= t1:
            return v0 + (v1 - v0) * (t - t0) / (t1 - t0)
    return stops[-1][1]


# Brightness across a horizontal cylinder lit from above: dark rim at the top,
# a highlight a quarter of the way down, then falling off into the shadowed underside.
CYLINDER_LIGHT = [(0.0, 0.62), (0.12, 0.95), (0.28, 1.45), (0.42, 1.08),
                  (0.75, 0.82), (1.0, 0.56)]

# A flat part seen edge-on, lit from the upper left: a gentle left-to-right fall-off.
PLATE_LIGHT = [(0.0, 0.80), (0.2, 1.18), (0.55, 1.0), (1.0, 0.72)]


# ---------------------------------------------------------------- paints
# A paint gives the colour at a point (in final-pixel units).

def solid(color):
    return lambda x, y: color


def vertical(color, y0, y1, light=CYLINDER_LIGHT):
    """Shading that varies from top (y0) to bottom (y1)."""
    span = float(y1 - y0)
    return lambda x, y: shade(color, ramp(light, (y - y0) / span))


def horizontal(color, x0, x1, light=PLATE_LIGHT):
    """Shading that varies from left (x0) to right (x1)."""
    span = float(x1 - x0)
    return lambda x, y: shade(color, ramp(light, (x - x0) / span))


# ---------------------------------------------------------------- shapes
# A shape is a bounding box plus a test for whether a point lies inside it.

class Shape:
    def __init__(self, x0, y0, x1, y1, inside):
        self.box = (x0, y0, x1, y1)
        self.inside = inside


def rect(x0, y0, x1, y1):
    return Shape(x0, y0, x1, y1, lambda x, y: True)


def rounded(x0, y0, x1, y1, rx, ry=None):
    """Rectangle whose corners are quarter ellipses of radii rx, ry.

    With ry equal to half the height this is the side view of a cylinder whose
    ends are slightly domed."""
    ry = rx if ry is None else ry
    rx = min(rx, (x1 - x0) / 2.0)
    ry = min(ry, (y1 - y0) / 2.0)
    cx0, cx1, cy0, cy1 = x0 + rx, x1 - rx, y0 + ry, y1 - ry

    def inside(x, y):
        dx = cx0 - x if x < cx0 else (x - cx1 if x > cx1 else 0.0)
        dy = cy0 - y if y < cy0 else (y - cy1 if y > cy1 else 0.0)
        if dx == 0.0 or dy == 0.0:
            return True
        return (dx / rx) ** 2 + (dy / ry) ** 2 <= 1.0
    return Shape(x0, y0, x1, y1, inside)


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
    return Shape(cx - rx, cy - ry, cx + rx, cy + ry, inside)


def grown(x0, y0, x1, y1, d):
    return x0 - d, y0 - d, x1 + d, y1 + d


# ---------------------------------------------------------------- canvas

class Canvas:
    """An RGB drawing surface kept at SUPERSAMPLE times the final resolution."""

    def __init__(self, width, height, ground=GROUND, scale=SUPERSAMPLE):
        self.width, self.height, self.scale = width, height, scale
        self.w, self.h = width * scale, height * scale
        self.px = [list(map(float, ground)) for _ in range(self.w * self.h)]

    def fill(self, shape, paint, alpha=1.0):
        """Cover every sample whose centre lies inside shape, blending by alpha."""
        s = self.scale
        x0, y0, x1, y1 = shape.box
        i0, i1 = max(0, int(x0 * s)), min(self.w, int(x1 * s + 1))
        j0, j1 = max(0, int(y0 * s)), min(self.h, int(y1 * s + 1))
        for j in range(j0, j1):
            y = (j + 0.5) / s
            if not (y0 <= y <= y1):
                continue
            row = j * self.w
            for i in range(i0, i1):
                x = (i + 0.5) / s
                if not (x0 <= x <= x1) or not shape.inside(x, y):
                    continue
                c = paint(x, y)
                p = self.px[row + i]
                if alpha >= 1.0:
                    p[0], p[1], p[2] = c[0], c[1], c[2]
                else:
                    for k in range(3):
                        p[k] += (c[k] - p[k]) * alpha

    def outlined(self, make, box, paint, edge, width=0.5, **kw):
        """Draw a shape with a thin border: the border colour first on a slightly
        larger copy, then the body on top."""
        self.fill(make(*grown(*box, width), **kw), solid(edge))
        self.fill(make(*box, **kw), paint)

    def line_h(self, x0, x1, y, color, width=0.5, alpha=1.0):
        self.fill(rect(x0, y - width / 2, x1, y + width / 2), solid(color), alpha)

    def line_v(self, x, y0, y1, color, width=0.5, alpha=1.0):
        self.fill(rect(x - width / 2, y0, x + width / 2, y1), solid(color), alpha)

    def pixels(self):
        """Final-resolution rows, top first, as lists of (r, g, b) bytes."""
        s, n = self.scale, float(self.scale * self.scale)
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0.0, 0.0, 0.0]
                for j in range(y * s, y * s + s):
                    base = j * self.w + x * s
                    for p in self.px[base:base + s]:
                        acc[0] += p[0]
                        acc[1] += p[1]
                        acc[2] += p[2]
                row.append(tuple(max(0, min(255, int(round(a / n)))) for a in acc))
            rows.append(row)
        return rows


# ---------------------------------------------------------------- BMP output

def write_bmp(path, rows):
    """Write rows (top first) as an uncompressed 24-bit BMP with bottom-up rows."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pad = b"\0" * (stride - width * 3)
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += pad
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                              len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info_header + bytes(data))


# ---------------------------------------------------------------- parts

STEEL = (168, 176, 186)
DARK_STEEL = (88, 96, 108)
EDGE = (70, 78, 90)


def bolt(c, x, y, r=1.6):
    c.fill(ellipse(x, y, r + 0.4, r + 0.4), solid(EDGE))
    c.fill(ellipse(x, y, r, r), lambda px, py: shade(STEEL, 1.3 - 0.5 * (py - y + r) / (2 * r)))


def lead_screw(c, x0, x1, cy, r):
    """The screw on the barrel's axis: a shaded steel core with thread crests."""
    top, bottom = cy - r, cy + r
    c.outlined(rect, (x0, top, x1, bottom), vertical(STEEL, top, bottom), EDGE, 0.4)
    pitch = 2.5
    x = x0 + 1.0
    while x < x1 - 0.5:
        # Each crest leans slightly, as a thread seen from the side does.
        crest = Shape(x - 0.6, top, x + 1.1, bottom,
                      lambda px, py, x=x: abs((px - x) - 0.4 * (py - top) / (2 * r)) <= 0.35)
        c.fill(crest, solid(DARK_STEEL), 0.55)
        x += pitch


def clamp_ring(c, x0, x1, top, bottom, color):
    """A band wrapped round a cylinder, shaded like the cylinder itself."""
    c.outlined(rect, (x0, top, x1, bottom), vertical(color, top, bottom), EDGE, 0.45)


# ---------------------------------------------------------------- pictures

def draw_fixed():
    """Side view of the stationary parts, barrel along the top, motor beneath."""
    c = Canvas(200, 150)

    # Barrel geometry: axis and radius, from the domed left end to the flange.
    axis, radius = 50.0, 15.0
    b_top, b_bottom = axis - radius, axis + radius
    b_left, b_right = 12.0, 170.0

    # Motor geometry.
    m_axis, m_radius = 113.0, 17.0
    m_top, m_bottom = m_axis - m_radius, m_axis + m_radius

    straps = [(66.0, 74.0), (118.0, 126.0)]
    strap_color = (96, 108, 124)

    # Straps' upright links, behind the barrel and motor so both sit in front of them.
    for sx0, sx1 in straps:
        c.outlined(rect, (sx0 + 1.5, axis, sx1 - 1.5, m_axis),
                   horizontal(strap_color, sx0 + 1.5, sx1 - 1.5), EDGE, 0.45)

    # Lead screw on the barrel's axis, seen through the barrel wall.
    lead_screw(c, b_left + 6.0, b_right, axis, 3.5)

    # The see-through barrel: a pale blue body blended over what lies behind it,
    # a glassy highlight, and crisp upper and lower edges.
    glass = (150, 196, 232)
    body = rounded(b_left, b_top, b_right + 2.0, b_bottom, 5.0, radius)
    c.fill(body, vertical(glass, b_top, b_bottom), 0.45)
    c.fill(rounded(b_left + 4.0, b_top + 3.0, b_right - 2.0, b_top + 5.5, 1.2),
           solid((255, 255, 255)), 0.55)
    c.fill(rounded(b_left + 6.0, b_bottom - 4.0, b_right - 4.0, b_bottom - 3.0, 0.5),
           solid((255, 255, 255)), 0.25)
    glass_edge = (88, 130, 170)
    c.line_h(b_left + 5.0, b_right + 2.0, b_top, glass_edge, 0.6)
    c.line_h(b_left + 5.0, b_right + 2.0, b_bottom, glass_edge, 0.6)
    # The domed left end: an outline drawn as the gap between two ellipse halves.
    cap = Shape(b_left - 0.3, b_top - 0.3, b_left + 5.2, b_bottom + 0.3,
                lambda x, y: (((x - b_left - 5.0) / 5.3) ** 2 + ((y - axis) / (radius + 0.3)) ** 2 <= 1.0
                              and ((x - b_left - 5.0) / 4.7) ** 2 + ((y - axis) / (radius - 0.3)) ** 2 > 1.0))
    c.fill(cap, solid(glass_edge))
    # An end cap seen faintly through the glass, where the screw is carried.
    c.fill(rounded(b_left + 2.0, axis - 7.0, b_left + 7.0, axis + 7.0, 1.5),
           vertical((120, 150, 180), axis - 7.0, axis + 7.0), 0.7)

    # Clamp rings of the straps round the barrel.
    for sx0, sx1 in straps:
        clamp_ring(c, sx0, sx1, b_top - 0.5, b_bottom + 0.5, strap_color)

    # Two upright mounting plates the barrel passes through, bolted top and bottom.
    for px0 in (30.0, 140.0):
        px1 = px0 + 7.0
        c.outlined(rounded, (px0, axis - 28.0, px1, axis + 28.0), horizontal(STEEL, px0, px1), EDGE, 0.5, rx=1.2)
        bolt(c, (px0 + px1) / 2, axis - 23.5)
        bolt(c, (px0 + px1) / 2, axis + 23.5)

    # Green end flange at the barrel's right end, with its bore for the rod.
    green = (58, 156, 88)
    f_left, f_right, f_top, f_bottom = 168.0, 179.0, axis - 21.0, axis + 21.0
    c.outlined(rounded, (f_left, f_top, f_right, f_bottom), vertical(green, f_top, f_bottom),
               (32, 90, 50), 0.5, rx=1.5)
    c.fill(rect(f_right - 2.0, f_top + 1.0, f_right - 1.2, f_bottom - 1.0), solid((30, 96, 52)), 0.6)
    # Gland on the outer face, where the rod leaves the barrel.
    c.outlined(rounded, (f_right - 0.5, axis - 7.0, f_right + 3.5, axis + 7.0),
               vertical(shade(green, 0.9), axis - 7.0, axis + 7.0), (32, 90, 50), 0.5, rx=1.0)
    c.fill(rect(f_left + 1.0, axis - 4.0, f_right + 3.5, axis + 4.0),
           vertical((44, 78, 56), axis - 4.0, axis + 4.0), 0.85)
    for by in (f_top + 4.0, f_bottom - 4.0):
        bolt(c, (f_left + f_right) / 2 - 0.8, by, 1.5)

    # Motor: red can between pink end bells, shaded as a cylinder.
    red, pink = (206, 44, 50), (240, 152, 168)
    red_edge, pink_edge = (120, 24, 30), (160, 84, 100)
    c.outlined(rounded, (34.0, m_top + 1.0, 52.0, m_bottom - 1.0),
               vertical(pink, m_top + 1.0, m_bottom - 1.0), pink_edge, 0.5, rx=5.0, ry=m_radius - 1.0)
    c.outlined(rect, (48.0, m_top, 140.0, m_bottom), vertical(red, m_top, m_bottom), red_edge, 0.5)
    # Cooling ribs along the can.
    for rx in range(56, 136, 8):
        c.fill(rect(rx, m_top + 1.0, rx + 0.7, m_bottom - 1.0),
               vertical(shade(red, 0.7), m_top, m_bottom), 0.8)
    c.outlined(rounded, (138.0, m_top + 2.5, 152.0, m_bottom - 2.5),
               vertical(pink, m_top + 2.5, m_bottom - 2.5), pink_edge, 0.5, rx=2.0)
    # Thin output shaft.
    c.outlined(rounded, (152.0, m_axis - 2.0, 170.0, m_axis + 2.0),
               vertical(STEEL, m_axis - 2.0, m_axis + 2.0), EDGE, 0.4, rx=0.8)
    c.fill(rect(160.0, m_axis - 2.0, 164.0, m_axis - 0.6), solid(DARK_STEEL), 0.7)  # key

    # Clamp rings of the straps round the motor.
    for sx0, sx1 in straps:
        clamp_ring(c, sx0, sx1, m_top - 0.5, m_bottom + 0.5, strap_color)
        bolt(c, (sx0 + sx1) / 2, m_top + 3.0, 1.3)

    return c


def draw_moving():
    """The rod: rod-end fitting at the left, shaft running off the right edge."""
    c = Canvas(200, 19)
    cy = 9.5

    # Shaft, blue-violet, shaded as a cylinder; its right end is cut by the edge.
    shaft = (104, 96, 206)
    s_top, s_bottom = cy - 4.5, cy + 4.5
    c.fill(rect(20.0, s_top - 0.5, 200.5, s_bottom + 0.5), solid((52, 46, 120)))
    c.fill(rect(20.0, s_top, 200.5, s_bottom), vertical(shaft, s_top, s_bottom))

    # Rod-end fitting: a white domed body.
    white = (250, 250, 252)
    e_top, e_bottom = 1.0, 18.0
    light = [(0.0, 0.72), (0.15, 0.92), (0.3, 1.0), (0.6, 0.9), (1.0, 0.66)]
    c.outlined(rounded, (1.0, e_top, 19.0, e_bottom), vertical(white, e_top, e_bottom, light),
               (120, 126, 136), 0.5, rx=4.5, ry=8.5)

    # Two gold bands round the body.
    gold = (214, 170, 52)
    for gx in (6.0, 11.5):
        c.outlined(rect, (gx, e_top + 0.3, gx + 2.5, e_bottom - 0.3),
                   vertical(gold, e_top, e_bottom), (140, 104, 24), 0.35)

    # Dark grey collar where the fitting meets the shaft.
    grey = (78, 82, 90)
    c.outlined(rounded, (17.5, cy - 6.5, 24.0, cy + 6.5), vertical(grey, cy - 6.5, cy + 6.5),
               (36, 38, 44), 0.4, rx=1.0)
    return c


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw in (("fixed.bmp", draw_fixed), ("moving.bmp", draw_moving)):
        path = os.path.join(OUT_DIR, name)
        write_bmp(path, draw().pixels())
        print("wrote", path)


if __name__ == "__main__":
    main()
