"""Check boxes: "gallery.check" (class checkbutton) for every check box of
the gallery, checked, unchecked, indeterminate and disabled alike.

Pictures: gallery.check.{unchecked,checked}.{normal,over,down,disible,focus}
and gallery.check.indeterminate, all 14 x 14: a rounded box, blue and
ticked when checked, with a dash when indeterminate."""
from gallery_theme import style, toggle
from gallery_theme.toggle import MARK

TICK = [[(3.4, 7.3), (5.9, 9.8), (10.6, 4.3)]]
DASH = [[(4.0, 7.0), (10.0, 7.0)]]


def shape(border, fill):
    return style.box(MARK, 3.0, border, fill)


def glyph(state):
    colour = (255, 255, 255) if state != "Disible" else (250, 251, 253)
    return style.strokes(TICK, 0.85, colour)


def build(theme):
    attributes = toggle.marks(theme, "gallery.check", shape, glyph)
    attributes["picIndeterminate"] = theme.picture(
        "gallery.check.indeterminate", MARK, MARK,
        style.paint(MARK, shape(*toggle.LOOK[("Checked", "Normal")]) + style.strokes(DASH, 0.9, (255, 255, 255))))
    attributes.update(toggle.text_colours(theme, "gallery.check"))
    attributes["drawFocusRect"] = "true"
    theme.control("checkbutton", "gallery.check", attributes, toggle.probes(theme, "gallery.check"))
