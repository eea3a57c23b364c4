#!/usr/bin/env python3
"""Draws the installer skin's pictures into res/skin/skin/.

Only the standard library: PNG files are written with zlib and struct, the
window background as a 24-bit bottom-up BMP. The pictures are simple but
have the sizes, formats and roles the theme expects:
  btn_close_{nor,hit,down}.png  40 x 23 RGBA   close button
  btn_min_{nor,hit,down}.png    37 x 23 RGBA   minimise button
  {warning,install,done}[_s].png 399 x 42 RGBA  status button faces
  PromptBk.bmp                 509 x 233 24-bit window background with
                               magenta corner pixels (they cut the corners)
Usage: make-skin-images.py [OUTPUT_DIR]
"""
import os
import struct
import sys
import zlib


def png(width, height, pixels):
    """pixels: list of rows, each a list of (r, g, b, a)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def bmp24(width, height, pixels):
    """pixels: rows top-down of (r, g, b); written bottom-up."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def blank(width, height, colour=(0, 0, 0, 0)):
    return [[colour] * width for _ in range(height)]


def rounded_rect(pixels, fill, radius, border=None):
    height, width = len(pixels), len(pixels[0])
    for y in range(height):
        for x in range(width):
            dx = max(radius - x, 0, x - (width - 1 - radius))
            dy = max(radius - y, 0, y - (height - 1 - radius))
            d2 = dx * dx + dy * dy
            if d2 > radius * radius:
                continue
            edge = x in (0, width - 1) or y in (0, height - 1) or d2 > (radius - 1) ** 2
            pixels[y][x] = border if (border and edge) else fill
    return pixels


def shade(colour, factor):
    r, g, b, a = colour
    return (min(255, int(r * factor)), min(255, int(g * factor)), min(255, int(b * factor)), a)


def vertical_gradient(pixels, top, bottom):
    height = len(pixels)
    for y, row in enumerate(pixels):
        t = y / max(height - 1, 1)
        for x, p in enumerate(row):
            if p[3]:
                c = tuple(int(top[i] * (1 - t) + bottom[i] * t) for i in range(3))
                row[x] = (c[0], c[1], c[2], p[3])
    return pixels


def glyph(pixels, points, colour):
    for x, y in points:
        if 0 <= y < len(pixels) and 0 <= x < len(pixels[0]):
            pixels[y][x] = colour


def cross(cx, cy, size):
    pts = []
    for i in range(-size, size + 1):
        for t in (0, 1):
            pts += [(cx + i + t, cy + i), (cx + i + t, cy - i)]
    return pts


def caption_button(width, kind, state):
    backgrounds = {"nor": (0, 0, 0, 0), "hit": (255, 255, 255, 70), "down": (0, 0, 0, 90)}
    if kind == "close" and state != "nor":
        backgrounds = {"hit": (224, 67, 54, 230), "down": (170, 40, 32, 240)}
    pixels = blank(width, 23, backgrounds[state])
    white = (255, 255, 255, 255)
    if kind == "close":
        glyph(pixels, cross(width // 2 - 1, 11, 4), white)
    else:
        glyph(pixels, [(x, y) for x in range(width // 2 - 6, width // 2 + 6) for y in (12, 13)], white)
    return png(width, 23, pixels)


def status_face(colour, pressed):
    base = shade(colour, 0.82) if pressed else colour
    pixels = rounded_rect(blank(399, 42), base, 6, border=shade(base, 0.7))
    top, bottom = shade(base, 1.15)[:3], shade(base, 0.9)[:3]
    return png(399, 42, vertical_gradient(pixels, top, bottom))


def background():
    width, height = 509, 233
    rows = []
    for y in range(height):
        t = y / (height - 1)
        row = []
        for x in range(width):
            band = 40 if y < 36 else 0  # darker title band behind the caption buttons
            r = int(52 + 30 * t) - band // 2
            g = int(120 + 40 * t) - band
            b = int(196 + 30 * t) - band
            row.append((max(r, 0), max(g, 0), min(max(b, 0), 255)))
        rows.append(row)
    magenta = (255, 0, 255)
    for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
        rows[y][x] = magenta
    return bmp24(width, height, rows)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res", "skin", "skin")
    os.makedirs(out, exist_ok=True)
    files = {}
    for state in ("nor", "hit", "down"):
        files["btn_close_%s.png" % state] = caption_button(40, "close", state)
        files["btn_min_%s.png" % state] = caption_button(37, "min", state)
    faces = {"warning": (230, 140, 30, 255), "install": (40, 130, 220, 255), "done": (50, 170, 80, 255)}
    for name, colour in faces.items():
        files[name + ".png"] = status_face(colour, False)
        files[name + "_s.png"] = status_face(colour, True)
    files["PromptBk.bmp"] = background()
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print("wrote %d pictures to %s" % (len(files), out))


if __name__ == "__main__":
    main()
