"""Date-time picker: "gallery.datetime" (class datetime) for the date-time
picker. Its frame is the fields' shared pair (gallery.datetime.frame.
{normal,over}, 24 x 24); the drop button, gallery.datetime.button.
{normal,over,down,disable}, 17 x 19 (the button's size in the gallery, so
its arrow stays as drawn), is a flat face with a chevron, tinted on hover
and press.

The time picker's up-down part takes the spin skin "2101" (class
spinbutton; the date-time description names it by number): its halves
gallery.datetime.spin.{top,bottom}.{normal,over,down,disable}, 16 x 9, the
button's faces with a small chevron up or down."""
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


SPIN_ID = "2101"
SPIN_HALF = (16, 9)
SPIN_CHEVRONS = {"top": [[(5.0, 6.0), (8.0, 3.0), (11.0, 6.0)]], "bottom": [[(5.0, 3.0), (8.0, 6.0), (11.0, 3.0)]]}
# The spin's names of the states ("Disble" is the format's own).
SPIN_STATES = {"normal": "Normal", "over": "Over", "down": "Down", "disable": "Disble"}


def spin_half(half, state):
    fill, _, chevron = FACES[state]
    width, height = SPIN_HALF
    layers = []
    if fill:
        layers.append((lambda x, y: rounded_coverage(x, y, width, height, 2.0, inset=0.5), lambda x, y: fill))
    layers += style.strokes(SPIN_CHEVRONS[half], 0.7, chevron)
    return lambda: layered(width, height, layers)


def spin(theme):
    attributes = {}
    for half in ("top", "bottom"):
        for state, name in SPIN_STATES.items():
            picture = "gallery.datetime.spin.%s.%s" % (half, state)
            attributes["bmp" + half.capitalize() + name] = theme.picture(picture, SPIN_HALF[0], SPIN_HALF[1],
                                                                         spin_half(half, state))
    theme.control("spinbutton", SPIN_ID, attributes)


def build(theme):
    attributes = field.frames(theme, "gallery.datetime")
    for state in FACES:
        attributes["bmpButton" + state.capitalize()] = theme.picture("gallery.datetime.button." + state, BUTTON[0],
                                                                     BUTTON[1], face(state))
    attributes["spinbuttonSkinLabel"] = SPIN_ID
    theme.control("datetime", "gallery.datetime", attributes)
    spin(theme)
