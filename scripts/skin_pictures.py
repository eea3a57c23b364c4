"""Drawing helpers of the skin picture scripts (make-skin-images.py and the
gallery themes): PNG and BMP writers (and readers, for their tests) and the
coverage functions that give shapes their anti-aliased edges. Only the standard library; the same calls
always give the same pixels.

Colours are (r, g, b) or (r, g, b, a) tuples of 0..255; pictures are rows
top-down.
"""
import math
import struct
import zlib

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
MAGENTA = (255, 0, 255)


def png(width, height, pixels):
    """pixels: rows top-down of (r, g, b, a); 8-bit RGBA, no filtering."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)
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


def read_png(data):
    """(width, height, rows of RGBA) of an unfiltered 8-bit RGBA PNG, chunk CRCs checked."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body, crc = data[pos + 8:pos + 8 + length], struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        assert zlib.crc32(kind + body) & 0xFFFFFFFF == crc, kind
        if kind == b"IHDR":
            width, height, *format_ = struct.unpack(">IIBBBBB", body)
            assert format_ == [8, 6, 0, 0, 0], format_
        idat += body if kind == b"IDAT" else b""
        pos += 12 + length
    raw, stride = zlib.decompress(idat), width * 4 + 1
    assert all(raw[y * stride] == 0 for y in range(height))
    return width, height, [[tuple(raw[y * stride + 1 + 4 * x:][:4]) for x in range(width)] for y in range(height)]


def read_bmp(data):
    """(width, height, rows top-down of RGB) of a 24-bit bottom-up BMP."""
    offset, width, height, planes, bits, compression = struct.unpack("<I4xiiHHI", data[10:34])
    stride = (width * 3 + 3) & ~3
    assert data[:2] == b"BM" and (planes, bits, compression) == (1, 24, 0) and height > 0
    assert len(data) == offset + stride * height
    lines = [data[offset + (height - 1 - y) * stride:][:width * 3] for y in range(height)]
    return width, height, [[tuple(line[3 * x:3 * x + 3][::-1]) for x in range(width)] for line in lines]


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1), rounded per channel."""
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


def smooth(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


def over(dst, src, alpha):
    """src (r, g, b) with coverage alpha (0..1) over dst (r, g, b, a), straight alpha."""
    da = dst[3] / 255.0
    oa = alpha + da * (1 - alpha)
    if oa <= 0:
        return (0, 0, 0, 0)
    rgb = tuple((s * alpha + d * da * (1 - alpha)) / oa for s, d in zip(src, dst[:3]))
    return tuple(int(round(c)) for c in rgb) + (int(round(oa * 255)),)


def rounded_distance(px, py, width, height, radius):
    """Distance of the point from the outside of a width x height rounded
    rectangle at the origin: positive inside, negative outside."""
    cx = min(max(px, radius), width - radius)
    cy = min(max(py, radius), height - radius)
    if (cx, cy) == (px, py):  # not in a corner's square: the nearest side counts
        return min(px, py, width - px, height - py)
    return radius - math.hypot(px - cx, py - cy)


def rounded_coverage(x, y, width, height, radius, inset=0.0, samples=4):
    """Share of pixel (x, y) inside the rounded rectangle shrunk by inset."""
    near_x = x < inset + radius or x + 1 > width - inset - radius
    near_y = y < inset + radius or y + 1 > height - inset - radius
    if not (near_x and near_y):  # straight edges lie on pixel boundaries
        return 1.0 if rounded_distance(x + 0.5 - inset, y + 0.5 - inset, width - 2 * inset,
                                       height - 2 * inset, radius) > 0 else 0.0
    inside = 0
    for i in range(samples):
        for j in range(samples):
            px = x + (i + 0.5) / samples - inset
            py = y + (j + 0.5) / samples - inset
            if rounded_distance(px, py, width - 2 * inset, height - 2 * inset, radius) > 0:
                inside += 1
    return inside / (samples * samples)


def segment_coverage(px, py, a, b, half_width):
    """Coverage of the pixel centred at (px, py) by a stroke from a to b."""
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = min(max(((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy), 0.0), 1.0)
    d = math.hypot(px - (ax + t * dx), py - (ay + t * dy))
    return min(max(half_width + 0.5 - d, 0.0), 1.0)


def disc_coverage(x, y, cx, cy, radius, samples=4):
    """Share of pixel (x, y) inside the circle of `radius` around (cx, cy)."""
    inside = 0
    for i in range(samples):
        for j in range(samples):
            if math.hypot(x + (i + 0.5) / samples - cx, y + (j + 0.5) / samples - cy) < radius:
                inside += 1
    return inside / (samples * samples)


def solid(width, height, colour):
    """A picture of one colour; (r, g, b) is made opaque."""
    pixel = tuple(colour) + ((255,) if len(colour) == 3 else ())
    return [[pixel] * width for _ in range(height)]


def layered(width, height, layers):
    """A picture of shapes painted in order over a transparent ground.
    Each layer is (coverage(x, y) -> 0..1, colour(x, y) -> (r, g, b))."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            pixel = (0, 0, 0, 0)
            for coverage, colour in layers:
                c = coverage(x, y)
                if c > 0:
                    pixel = over(pixel, colour(x, y), c)
            row.append(pixel)
        rows.append(row)
    return rows
