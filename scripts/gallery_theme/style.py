"""The showcase theme's look, shared by the kind modules: one palette, one
font, and the shapes the controls are drawn from. A kind module takes its
colours from here, so the gallery reads as one design."""
from skin_pictures import WHITE, layered, mix, rounded_coverage, segment_coverage

# Palette: a light window, slate text, one blue accent.
ACCENT = (37, 99, 196)
ACCENT_HOVER = (64, 128, 222)
ACCENT_DOWN = (24, 74, 156)
ACCENT_TINT = (229, 238, 252)
ACCENT_TINT_DOWN = (203, 221, 247)
BORDER = (143, 154, 171)
BORDER_DISABLED = (204, 209, 217)
FILL_DISABLED = (240, 242, 245)
CHECKED_DISABLED = (178, 189, 207)
CLIENT = (247, 248, 251)
TEXT = (33, 40, 52)
TEXT_HOVER = (18, 56, 120)
TEXT_DISABLED = (148, 156, 170)
CAPTION_TOP, CAPTION_BOTTOM = (44, 62, 92), (33, 48, 74)
CAPTION_TEXT = (240, 244, 250)
FRAME_OUTLINE = (26, 36, 54)

# The dialog's text font (the controls without a theme font keep the
# dialog's own) and a bold one for captions.
FONT_FACE = "Tahoma"
FONT_SIZE = 13


def box(size, radius, border, fill, inset_fill=None):
    """A rounded box: a one-pixel `border` around `fill` (a colour, or a
    function of y giving one)."""
    fill_at = fill if callable(fill) else (lambda y: fill)
    return [
        (lambda x, y: rounded_coverage(x, y, size, size, radius), lambda x, y: border),
        (lambda x, y: rounded_coverage(x, y, size, size, radius - 1, inset=1.0), lambda x, y: fill_at(y)),
    ]


def strokes(points_list, half_width, colour):
    """Layers of polylines (lists of points) in one colour."""
    segments = [(a, b) for points in points_list for a, b in zip(points, points[1:])]
    return [(lambda x, y: max(segment_coverage(x + 0.5, y + 0.5, a, b, half_width) for a, b in segments),
             lambda x, y: colour)]


def paint(size, layers):
    return lambda: layered(size, size, layers)


def gradient(top, bottom, height):
    """Fill by row: a soft top-to-bottom gradient."""
    return lambda y: mix(top, bottom, y / float(max(1, height - 1)))


def lighter(colour, t):
    return mix(colour, WHITE, t)
