"""Scroll bars: "gallery.scrollbar" (class scrollbar) for the horizontal and
the vertical scroll-bar control, and the shared window settings' default
scroll-bar picture, which every scrolling control without one of its own
draws with (the edits, the rich edit, the list-like controls).

Pictures: gallery.scrollbar.sheet (240 x 48, cells of 16 x 16): row 0 the
vertical bar, row 1 the horizontal bar, each with the first arrow (columns
0-3: normal, hover, pressed, disabled), the second arrow (4-7), the thumb
(8-10: normal, hover, pressed), the rich edit's thumb grip (11-13) and the
track (14); row 2 the corner (column 0, column 1 with a left scroll bar).
gallery.scrollbar.sizebox (12 x 12): the grip of a size box.

In the test theme every cell the skins draw from has a colour of its own,
named "gallery.scrollbar.sheet.<v|h>.<part>.<state>" in the table."""
from skin_pictures import layered, mix, rounded_coverage, segment_coverage
from gallery_theme import style

CELL = 16
COLUMNS, ROWS = 15, 3
STATES = ("normal", "hover", "pressed", "disabled")

TRACK = (241, 243, 247)
TRACK_EDGE = (226, 230, 237)
THUMB = {"normal": (192, 199, 211), "hover": (158, 168, 185), "pressed": style.ACCENT, "disabled": (222, 226, 232)}
GLYPH = {"normal": (112, 122, 140), "hover": style.ACCENT_HOVER, "pressed": (255, 255, 255),
         "disabled": (200, 206, 215)}
ARROW_FILL = {"normal": None, "hover": style.ACCENT_TINT, "pressed": style.ACCENT, "disabled": None}


def cell_name(column, row):
    """The name of a cell the skins draw from, or None."""
    if row == 2:
        return {0: "corner", 1: "corner.left"}.get(column)
    bar = "v" if row == 0 else "h"
    if column < 8:
        return "%s.%s.%s" % (bar, "first" if column < 4 else "second", STATES[column % 4])
    if column < 11:
        return "%s.thumb.%s" % (bar, STATES[column - 8])
    if column < 14:
        return "%s.grip.%s" % (bar, STATES[column - 11])
    return "%s.track" % bar


def track(vertical):
    """The track: a light ground with a hairline on the side that meets the content."""
    def colour(x, y):
        edge = x == 0 if vertical else y == 0
        return TRACK_EDGE if edge else TRACK
    return [(lambda x, y: 1.0, colour)]


def arrow(vertical, second, state):
    """A chevron pointing away from the track, on a rounded tint when the
    mouse is on it."""
    layers = track(vertical)
    fill = ARROW_FILL[state]
    if fill:
        layers.append((lambda x, y: rounded_coverage(x - 2, y - 2, CELL - 4, CELL - 4, 3.0), lambda x, y: fill))
    c = CELL / 2.0
    tip, base = (c + 2.5, c - 1.5) if second else (c - 2.5, c + 1.5)
    points = [(c - 3.5, base), (c, tip), (c + 3.5, base)]
    if not vertical:
        points = [(y, x) for x, y in points]
    segments = list(zip(points, points[1:]))
    glyph = GLYPH[state]
    layers.append((lambda x, y: max(segment_coverage(x + 0.5, y + 0.5, a, b, 0.75) for a, b in segments),
                   lambda x, y: glyph))
    return layers


def thumb(vertical, state, grip=False):
    """A pill across the middle of the cell, 10 pixels wide, reaching the
    cell's ends (the skins stretch its middle along the bar); with `grip`,
    three short lines across its middle."""
    layers = track(vertical)
    colour = THUMB[state]

    def pill(x, y):
        a, b = (x, y) if vertical else (y, x)
        return rounded_coverage(a - 3, b, CELL - 6, CELL, 2.0)
    layers.append((pill, lambda x, y: colour))
    if grip:
        line = mix(colour, (255, 255, 255), 0.55)
        marks = [((6.0, c), (10.0, c)) for c in (5.5, 8.0, 10.5)]
        if not vertical:
            marks = [((a[1], a[0]), (b[1], b[0])) for a, b in marks]
        layers.append((lambda x, y: max(segment_coverage(x + 0.5, y + 0.5, a, b, 0.5) for a, b in marks),
                       lambda x, y: line))
    return layers


def sheet():
    rows = [[(0, 0, 0, 0)] * (CELL * COLUMNS) for _ in range(CELL * ROWS)]
    for row in range(ROWS):
        for column in range(COLUMNS):
            name = cell_name(column, row)
            if name is None:
                continue
            vertical = row != 1
            if row == 2:
                layers = [(lambda x, y: 1.0, lambda x, y: TRACK)]
            elif column < 8:
                layers = arrow(vertical, column >= 4, STATES[column % 4])
            elif column < 11:
                layers = thumb(vertical, STATES[column - 8])
            elif column < 14:
                layers = thumb(vertical, STATES[column - 11], grip=True)
            else:
                layers = track(vertical)
            pixels = layered(CELL, CELL, layers)
            for y in range(CELL):
                rows[row * CELL + y][column * CELL:(column + 1) * CELL] = pixels[y]
    return rows


def size_box():
    dots = [(cx, cy) for cx, cy in ((9, 9), (5, 9), (9, 5), (1, 9), (5, 5), (9, 1))]
    return layered(12, 12, [(lambda x, y: 1.0 if any((x, y) in ((cx, cy), (cx + 1, cy), (cx, cy + 1), (cx + 1, cy + 1))
                                                    for cx, cy in dots) else 0.0, lambda x, y: GLYPH["normal"])])


def build(theme):
    picture = theme.cells("gallery.scrollbar.sheet", CELL, COLUMNS, ROWS, cell_name, sheet)
    box = theme.picture("gallery.scrollbar.sizebox", 12, 12, size_box)
    theme.settings["bmpScrollbar"] = picture
    theme.control("scrollbar", "gallery.scrollbar", {"bmpScrollbar": picture, "imageSizebox": box})
