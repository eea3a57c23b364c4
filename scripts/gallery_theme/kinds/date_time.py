"""Date-time picker: "gallery.datetime" (class datetime) for the date-time
picker. Its frame is the fields' shared pair (gallery.datetime.frame.
{normal,over}, 24 x 24); the drop button, gallery.datetime.button.
{normal,over,down,disable}, 17 x 19 (the button's size in the gallery, so
its arrow stays as drawn), is a flat face with a chevron, tinted on hover
and press."""
from skin_pictures import layered, rounded_coverage
from gallery_theme import style

from gallery_theme import field

BUTTON = (17, 19)
CHEVRON = [[(5.5, 8.0), (8.5, 11.0), (11.5, 8.0)]]

# (fill or None, separator line, chevron) by state.
FACES = {
    "normal": (None, style.BORDER_DISABLED, style.TEXT),
    "over": (style.ACCENT_TINT, style.ACCENT_HOVER, style.TEXT_HOVER),
    "down": (style.ACCENT_TINT_DOWN, style.ACCENT_DOWN, style.TEXT_HOVER),
    "disable": (None, style.BORDER_DISABLED, style.TEXT_DISABLED),
}


def face(state):
    fill, line, chevron = FACES[state]
    width, height = BUTTON
    layers = []
    if fill:
        layers.append((lambda x, y: rounded_coverage(x, y, width, height, 2.0, inset=1.0), lambda x, y: fill))
    layers.append((lambda x, y: 1.0 if x == 0 and 2 <= y < height - 2 else 0.0, lambda x, y: line))
    layers += style.strokes(CHEVRON, 0.8, chevron)
    return lambda: layered(width, height, layers)


def build(theme):
    attributes = field.frames(theme, "gallery.datetime")
    for state in FACES:
        attributes["bmpButton" + state.capitalize()] = theme.picture("gallery.datetime.button." + state, BUTTON[0],
                                                                     BUTTON[1], face(state))
    theme.control("datetime", "gallery.datetime", attributes)
