"""Push buttons: "gallery.button" (class button) for the gallery's push
buttons, the default one too.

Pictures: gallery.button.{normal,over,down,disable,focus}, 24 x 24, drawn
as 9-grids with 5-pixel margins: a rounded face with a soft gradient."""
from skin_pictures import layered, rounded_coverage
from gallery_theme import style

SIZE = 24
RADIUS = 4.0

# (border, top of the fill, bottom of the fill) by state.
FACES = {
    "normal": (style.BORDER, (255, 255, 255), (235, 239, 245)),
    "over": (style.ACCENT_HOVER, (250, 252, 255), style.ACCENT_TINT),
    "down": (style.ACCENT_DOWN, style.ACCENT_TINT_DOWN, (214, 228, 249)),
    "disable": (style.BORDER_DISABLED, style.FILL_DISABLED, style.FILL_DISABLED),
    "focus": (style.ACCENT, (255, 255, 255), (235, 239, 245)),
}


def face(state):
    border, top, bottom = FACES[state]
    fill = style.gradient(top, bottom, SIZE)
    layers = [(lambda x, y: rounded_coverage(x, y, SIZE, SIZE, RADIUS), lambda x, y: border),
              (lambda x, y: rounded_coverage(x, y, SIZE, SIZE, RADIUS - 1, inset=1.0), lambda x, y: fill(y))]
    if state == "focus":  # a second ring inside the border
        layers.insert(1, (lambda x, y: rounded_coverage(x, y, SIZE, SIZE, RADIUS - 1, inset=1.0),
                          lambda x, y: style.lighter(style.ACCENT, 0.45)))
        layers[2] = (lambda x, y: rounded_coverage(x, y, SIZE, SIZE, RADIUS - 2, inset=2.0), lambda x, y: fill(y))
    return lambda: layered(SIZE, SIZE, layers)


def build(theme):
    attributes = {}
    for state in FACES:
        attributes["pic" + state.capitalize()] = theme.picture("gallery.button." + state, SIZE, SIZE, face(state))
    colours = {"Normal": style.TEXT, "Over": style.TEXT_HOVER, "Down": style.TEXT_HOVER,
               "Disable": style.TEXT_DISABLED, "Focus": style.TEXT}
    for state, showcase in colours.items():
        attributes["text%sColor" % state] = theme.colour("gallery.button.text." + state.lower(), showcase)
    attributes["border9grid"] = "(5,5,5,5)"
    theme.control("button", "gallery.button", attributes)
