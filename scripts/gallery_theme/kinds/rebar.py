"""Rebar: "gallery.rebar" (class rebar) for the rebar under the toolbar.

Pictures: gallery.rebar.background.{horiz,vert} (the bars' gradient) and
gallery.rebar.drop.{horiz,vert} (the chevron of a band cut short, 8 x 7 and
7 x 8)."""
from skin_pictures import layered
from gallery_theme import bar, style

CHEVRON = 8, 7


def chevron(vertical):
    """Two small arrows, one after the other (pointing down in a vertical bar)."""
    def inside(x, y):
        return 1.0 if any(x == start + 3 - abs(y - 3) for start in (0, 4)) else 0.0
    if vertical:
        return lambda: layered(CHEVRON[1], CHEVRON[0], [(lambda x, y: inside(y, x), lambda x, y: style.TEXT)])
    return lambda: layered(CHEVRON[0], CHEVRON[1], [(inside, lambda x, y: style.TEXT)])


def build(theme):
    attributes = bar.backgrounds(theme, "gallery.rebar", "imageBackground", 26)
    attributes["imageDropHoriz"] = theme.picture("gallery.rebar.drop.horiz", CHEVRON[0], CHEVRON[1], chevron(False))
    attributes["imageDropVert"] = theme.picture("gallery.rebar.drop.vert", CHEVRON[1], CHEVRON[0], chevron(True))
    attributes["backgroundColor"] = theme.colour("gallery.rebar.background", bar.BOTTOM)
    theme.control("rebar", "gallery.rebar", attributes)
