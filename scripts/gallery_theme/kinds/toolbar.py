"""Toolbar: "gallery.toolbar" (class toolbar) for the toolbar along the top.

Pictures: gallery.toolbar.button.{normal,over,down,disable} (24 x 24,
9-grids with 4-pixel corners; the normal and disabled faces are clear, so
buttons at rest stand flat on the bar), gallery.toolbar.background.
{horiz,vert} (the bars' gradient), gallery.toolbar.separator.{horiz,vert}
(an etched line) and gallery.toolbar.drop.{horiz,vert} (the drop-down
part's arrow, 7 x 4 and 4 x 7)."""
from skin_pictures import layered, rounded_coverage
from gallery_theme import bar, style

FACE = 24
RADIUS = 3.0
ARROW = 7, 4

# (border, fill) by state; None is clear.
FACES = {
    "normal": None,
    "over": (style.ACCENT_HOVER, style.gradient((250, 252, 255), style.ACCENT_TINT, FACE)),
    "down": (style.ACCENT_DOWN, style.gradient(style.ACCENT_TINT_DOWN, (214, 228, 249), FACE)),
    "disable": None,
}


def face(state):
    look = FACES[state]
    if look is None:
        return lambda: layered(FACE, FACE, [])
    return style.paint(FACE, style.box(FACE, RADIUS, *look))


def arrow(vertical):
    width, height = ARROW
    if vertical:  # pointing right
        return lambda: layered(height, width, [(lambda x, y: 1.0 if abs(y - 3) <= 3 - x else 0.0,
                                                lambda x, y: style.TEXT)])
    return lambda: layered(width, height, [(lambda x, y: 1.0 if abs(x - 3) <= 3 - y else 0.0, lambda x, y: style.TEXT)])


def build(theme):
    attributes = {"bmpButton" + state.capitalize(): theme.picture("gallery.toolbar.button." + state, FACE, FACE,
                                                                  face(state))
                  for state in FACES}
    attributes.update(bar.backgrounds(theme, "gallery.toolbar", "imageBackground", 26))
    attributes["imageSeparatorHoriz"] = theme.picture("gallery.toolbar.separator.horiz", 2, 16,
                                                      bar.separator(16, False))
    attributes["imageSeparatorVert"] = theme.picture("gallery.toolbar.separator.vert", 16, 2, bar.separator(16, True))
    attributes["imageDropHoriz"] = theme.picture("gallery.toolbar.drop.horiz", ARROW[0], ARROW[1], arrow(False))
    attributes["imageDropVert"] = theme.picture("gallery.toolbar.drop.vert", ARROW[1], ARROW[0], arrow(True))
    theme.control("toolbar", "gallery.toolbar", attributes)
