"""What the spin button, progress bar, slider and tab pictures share: a
rounded face of any size by state, arrow glyphs, and turned copies of a
picture (a tab's picture for each side)."""
from skin_pictures import layered, mix, rounded_coverage, segment_coverage
from gallery_theme import style

# (border, top of the fill, bottom of the fill, glyph) by state, as the push
# button has them.
LOOK = {
    "normal": (style.BORDER, (255, 255, 255), (235, 239, 245), style.TEXT),
    "over": (style.ACCENT_HOVER, (250, 252, 255), style.ACCENT_TINT, style.ACCENT),
    "down": (style.ACCENT_DOWN, style.ACCENT_TINT_DOWN, (214, 228, 249), style.ACCENT_DOWN),
    "disable": (style.BORDER_DISABLED, style.FILL_DISABLED, style.FILL_DISABLED, style.TEXT_DISABLED),
}


def box(width, height, radius, border, top, bottom):
    """Layers of a rounded box: a one-pixel border around a top-to-bottom
    gradient."""
    fill = lambda y: mix(top, bottom, y / float(max(1, height - 1)))
    return [(lambda x, y: rounded_coverage(x, y, width, height, radius), lambda x, y: border),
            (lambda x, y: rounded_coverage(x, y, width, height, max(0.0, radius - 1), inset=1.0),
             lambda x, y: fill(y))]


def arrow(width, height, direction, colour, size=3.0, half_width=0.8):
    """A chevron layer pointing "up", "down", "left" or "right", centred."""
    cx, cy = width / 2.0, height / 2.0
    s, h = size, size / 2.0
    points = {
        "up": [(cx - s, cy + h), (cx, cy - h), (cx + s, cy + h)],
        "down": [(cx - s, cy - h), (cx, cy + h), (cx + s, cy - h)],
        "left": [(cx + h, cy - s), (cx - h, cy), (cx + h, cy + s)],
        "right": [(cx - h, cy - s), (cx + h, cy), (cx - h, cy + s)],
    }[direction]
    segments = list(zip(points, points[1:]))
    return [(lambda x, y: max(segment_coverage(x + 0.5, y + 0.5, a, b, half_width) for a, b in segments),
             lambda x, y: colour)]


def paint(width, height, layers):
    return lambda: layered(width, height, layers)


def flipped(paint_rows):
    """The picture upside down."""
    return lambda: list(reversed(paint_rows()))


def turned(paint_rows, mirror=False):
    """The picture turned a quarter: its top edge becomes the left edge
    (the right edge when `mirror`)."""
    def rows():
        source = paint_rows()
        height, width = len(source), len(source[0])
        columns = [[source[y][x] for y in range(height)] for x in range(width)]
        return [list(reversed(c)) for c in columns] if mirror else columns
    return rows
