"""Radio buttons: "gallery.radio" (class radiobutton) for every radio button
of the gallery, BS_LEFTTEXT and disabled ones too.

Pictures: gallery.radio.{unchecked,checked}.{normal,over,down,disible,focus},
14 x 14: a ring, filled blue with a white dot when checked."""
from skin_pictures import disc_coverage
from gallery_theme import style, toggle
from gallery_theme.toggle import MARK

CENTRE = MARK / 2.0


def shape(border, fill):
    fill_at = fill if callable(fill) else (lambda y: fill)
    return [(lambda x, y: disc_coverage(x, y, CENTRE, CENTRE, CENTRE), lambda x, y: border),
            (lambda x, y: disc_coverage(x, y, CENTRE, CENTRE, CENTRE - 1), lambda x, y: fill_at(y))]


def glyph(state):
    return [(lambda x, y: disc_coverage(x, y, CENTRE, CENTRE, 2.6), lambda x, y: (255, 255, 255))]


def build(theme):
    attributes = toggle.marks(theme, "gallery.radio", shape, glyph)
    attributes.update(toggle.text_colours(theme, "gallery.radio"))
    attributes["drawFocusRect"] = "true"
    theme.control("radiobutton", "gallery.radio", attributes, toggle.probes(theme, "gallery.radio"))
