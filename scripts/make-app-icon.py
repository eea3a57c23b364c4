#!/usr/bin/env python3
"""Draws the program's icon into one .ico file, in the skin's colours.

The icon is the status button's "install" face made square: a rounded tile
with the face's blue gradient and outline, and on it a white arrow down onto
a bar (the package going onto the device). Each size is drawn for its own
pixel grid, so the arrow's shaft and the bar have whole-pixel edges and stay
sharp at 16 pixels; only the tile's corners and the arrow head's slopes are
anti-aliased.

  16, 24, 32, 48   32-bit DIB entries with their AND mask (every Windows)
  256              a PNG entry (Windows Vista and later)

Only the standard library; the colours and the drawing helpers come from
make-skin-images.py. The same script always writes the same bytes.

Usage: make-app-icon.py OUTPUT.ico
"""
import importlib.util
import os
import struct
import sys

_spec = importlib.util.spec_from_file_location(
    "skin_images", os.path.join(os.path.dirname(os.path.abspath(__file__)), "make-skin-images.py"))
skin = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(skin)

SIZES = (16, 24, 32, 48, 256)
TOP, BOTTOM = skin.FACES["install"]
OUTLINE = skin.mix(BOTTOM, (0, 0, 0), 0.28)
GLYPH = skin.WHITE


def snap(value, size):
    """A design coordinate (0..1 of the icon) on the size's pixel grid."""
    return int(round(value * size))


def centred_span(width, size):
    """Left and right edges of a span `width` wide, centred on whole pixels."""
    if (size - width) % 2:
        width += 1
    left = (size - width) // 2
    return left, left + width


def geometry(size):
    """The shapes of one size, in pixels: the tile's inset and radius, the
    shaft, the arrow head (top edge, apex, half width) and the bar."""
    inset = 0 if size <= 24 else max(1, snap(0.03, size))
    radius = max(2.0, size * 0.19)
    shaft = centred_span(max(2, snap(0.16, size)), size)
    head_left, head_right = centred_span(max(6, snap(0.50, size)), size)
    head_top = snap(0.44, size)
    head_apex = snap(0.72, size)
    shaft_top = snap(0.18, size)
    bar_height = max(2, snap(0.09, size))
    bar_top = min(snap(0.78, size), size - inset - bar_height - max(1, snap(0.06, size)))
    bar = (snap(0.22, size), bar_top, size - snap(0.22, size), bar_top + bar_height)
    return {
        "inset": inset,
        "radius": radius,
        "shaft": (shaft[0], shaft_top, shaft[1], head_top),
        "head": (head_left, head_right, head_top, head_apex),
        "bar": bar,
    }


def in_head(px, py, head):
    """True when the point lies in the arrow head: a triangle pointing down."""
    left, right, top, apex = head
    if py < top or py > apex:
        return False
    centre = (left + right) / 2.0
    half = (right - left) / 2.0 * (apex - py) / float(apex - top)
    return abs(px - centre) <= half


def glyph_coverage(x, y, shapes, samples=8):
    """Share of pixel (x, y) covered by the arrow and the bar."""
    def inside(px, py):
        for left, top, right, bottom in (shapes["shaft"], shapes["bar"]):
            if left <= px < right and top <= py < bottom:
                return True
        return in_head(px, py, shapes["head"])
    hits = 0
    for i in range(samples):
        for j in range(samples):
            hits += inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
    return hits / float(samples * samples)


def draw(size):
    """Rows top-down of (r, g, b, a), straight alpha."""
    shapes = geometry(size)
    inset, radius = shapes["inset"], shapes["radius"]
    tile = size - 2 * inset
    rows = []
    for y in range(size):
        fill = skin.mix(TOP, BOTTOM, (y - inset) / float(max(1, tile - 1)))
        if y == inset + 1:
            fill = skin.mix(fill, skin.WHITE, 0.28)  # the face's light upper edge
        row = []
        for x in range(size):
            shape = skin.rounded_coverage(x - inset, y - inset, tile, tile, radius)
            inner = skin.rounded_coverage(x - inset, y - inset, tile, tile, radius - 1, inset=1.0)
            pixel = skin.over((0, 0, 0, 0), OUTLINE, shape)
            if inner:
                pixel = skin.over(pixel, fill, inner)
            cover = glyph_coverage(x, y, shapes)
            if cover:
                pixel = skin.over(pixel, GLYPH, cover)
            row.append(pixel)
        rows.append(row)
    return rows


def dib(size, rows):
    """A 32-bit icon image: header (double height), bottom-up BGRA, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def icon():
    images = []
    for size in SIZES:
        rows = draw(size)
        images.append((size, skin.png(size, size, rows) if size >= 256 else dib(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        side = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data = icon()
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
