"""The gallery's dialog: "gallery.dialog" (class window), its frame and
client background from one BMP picture, a dark caption with the title and
two caption buttons; and the shared window settings (class comwnd).

Pictures: gallery.frame (BMP, 96 x 120; magenta corners round the window),
gallery.caption.{close,min}.{normal,over,down} (40 x 30)."""
from skin_pictures import MAGENTA, mix, over, rounded_distance, segment_coverage
from gallery_theme import style
from gallery_theme.theme import Element

FRAME = (96, 120)
CAPTION = 30
RADIUS = 5.0
BUTTON = (40, CAPTION)
BORDER = 1
# Rows under the caption kept 1:1 by the client's 9-grid (the shadow).
CLIENT_GRID = (4, 4, 4, 4)


def frame_row_colour(y):
    if y <= CAPTION:
        colour = mix(style.CAPTION_TOP, style.CAPTION_BOTTOM, (y - 1) / float(CAPTION - 1))
        return mix(colour, (255, 255, 255), 0.12) if y == 1 else colour
    # A soft shadow under the caption, then the flat client colour.
    return mix(style.CLIENT, (214, 220, 230), max(0.0, 1.0 - (y - CAPTION - 1) / 3.0))


def frame():
    width, height = FRAME
    rows = []
    for y in range(height):
        content = frame_row_colour(y) + (255,)
        row = []
        for x in range(width):
            d = rounded_distance(x + 0.5, y + 0.5, width, height, RADIUS)
            row.append(MAGENTA + (255,) if d < 0 else style.FRAME_OUTLINE + (255,) if d < BORDER else content)
        rows.append(row)
    return rows


def caption_button(kind, state):
    """A flat caption button: its glyph on the caption, a tinted fill on
    hover and press (red for close)."""
    fills = {"close": {"over": (232, 72, 64, 255), "down": (176, 40, 36, 255)},
             "min": {"over": (255, 255, 255, 40), "down": (255, 255, 255, 72)}}
    fill = fills[kind].get(state, (0, 0, 0, 0))
    glyph = (214, 222, 236) if state == "normal" else (255, 255, 255)
    width, height = BUTTON
    cx, cy = width / 2.0, height / 2.0
    if kind == "close":
        lines = [((cx - 4.5, cy - 4.5), (cx + 4.5, cy + 4.5)), ((cx - 4.5, cy + 4.5), (cx + 4.5, cy - 4.5))]
    else:
        lines = [((cx - 5, cy + 0.5), (cx + 5, cy + 0.5))]

    def paint():
        rows = []
        for y in range(height):
            row = []
            for x in range(width):
                coverage = max(segment_coverage(x + 0.5, y + 0.5, a, b, 0.7) for a, b in lines)
                row.append(over(fill, glyph, coverage) if coverage else fill)
            rows.append(row)
        return rows
    return paint


def build(theme):
    picture = theme.picture("gallery.frame", FRAME[0], FRAME[1], frame, bmp=True)
    buttons = []
    for kind, element in (("close", "btnclose"), ("min", "btnmin")):
        pictures = {"pic" + state.capitalize(): theme.picture("gallery.caption.%s.%s" % (kind, state), BUTTON[0],
                                                              BUTTON[1], caption_button(kind, state))
                    for state in ("normal", "over", "down")}
        buttons.append(Element(element, pictures))
    theme.font("gallery.font.caption", style.FONT_FACE, 14, bold=True)
    background = Element("background", [
        ("picFile", picture), ("drawStyle", "draw9grid"),
        ("backgroundColor", theme.colour("gallery.dialog.background", style.CLIENT)),
        ("frameStyle", "framebitmapround"), ("captionHeight", CAPTION),
        ("borderWidth", "(%d,%d,%d,%d)" % ((BORDER,) * 4)), ("borderOffset", "(8,8,8,8)"),
        ("border9grid", "(%d,%d,%d,%d)" % CLIENT_GRID)])
    attributes = {"font": "gallery.font.caption",
                  "textColor": theme.colour("gallery.dialog.caption", style.CAPTION_TEXT)}
    theme.control("window", "gallery.dialog", attributes, children=[background] + buttons)
    theme.settings["backgroundColor"] = theme.colour("gallery.settings.background", style.CLIENT)
