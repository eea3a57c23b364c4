"""Spin button: "gallery.spin" (class spinbutton) for the up-down control
beside its buddy edit, and for the tab control's scroll arrows.

Pictures: gallery.spin.{top,bottom}.{normal,over,down,disable} (15 x 11)
and gallery.spin.{left,right}.{...} (11 x 15): a small rounded face with a
chevron, drawn as a 9-grid into each half of the control."""
from gallery_theme import faces

VERTICAL = (15, 11)
HORIZONTAL = (11, 15)
# Each part: its attribute name, its picture size, the chevron's direction.
PARTS = (("Top", VERTICAL, "up"), ("Bottom", VERTICAL, "down"), ("Left", HORIZONTAL, "left"),
         ("Right", HORIZONTAL, "right"))
# The format's own spelling of the disabled pictures.
DISABLED = {"Top": "Disble", "Bottom": "Disble", "Left": "Disble", "Right": "Disable"}


def face(size, direction, state):
    width, height = size
    border, top, bottom, glyph = faces.LOOK[state]
    return faces.paint(width, height, faces.box(width, height, 2.5, border, top, bottom) +
                       faces.arrow(width, height, direction, glyph, size=2.5))


def build(theme):
    attributes = {}
    for part, size, direction in PARTS:
        for state in ("normal", "over", "down", "disable"):
            name = DISABLED[part] if state == "disable" else state.capitalize()
            attributes["bmp%s%s" % (part, name)] = theme.picture(
                "gallery.spin.%s.%s" % (part.lower(), state), size[0], size[1], face(size, direction, state))
    theme.control("spinbutton", "gallery.spin", attributes)
