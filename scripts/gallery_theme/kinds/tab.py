"""Tab control: "gallery.tab" (class tabctrl) for the tab control.

Pictures: gallery.tab.{top,bottom,left,right}.{normal,over,checked}, 20 x 20
(9-grids with 4-pixel margins): a tab with rounded outer corners, open
towards the page; the checked one in the page's colour with a blue edge.
The page gets a rounded border line; button-style tabs take the push
button's faces, and the scroll arrows of a long row the spin button's."""
from skin_pictures import mix, rounded_coverage
from gallery_theme import faces, style

SIZE = 20
RADIUS = 4.0
# (border, top of the fill, bottom of the fill) by state.
TABS = {
    "normal": (style.BORDER, (238, 241, 246), (223, 228, 236)),
    "over": (style.ACCENT_HOVER, (248, 250, 254), style.ACCENT_TINT),
    "checked": (style.BORDER, (255, 255, 255), style.CLIENT),
}


def top_tab(state):
    """A tab standing on the page's top edge: rounded above, open below."""
    border, top, bottom = TABS[state]
    height = SIZE + 4  # drawn taller, then cut: the lower corners and edge go
    fill = lambda y: mix(top, bottom, y / float(SIZE - 1))
    layers = [(lambda x, y: rounded_coverage(x, y, SIZE, height, RADIUS), lambda x, y: border),
              (lambda x, y: rounded_coverage(x, y, SIZE, height, RADIUS - 1, inset=1.0), lambda x, y: fill(y))]
    if state == "checked":  # a blue edge along the top
        layers.append((lambda x, y: rounded_coverage(x, y, SIZE, height, RADIUS) if y < 2 else 0.0,
                       lambda x, y: style.ACCENT))
    full = faces.paint(SIZE, height, layers)
    return lambda: full()[:SIZE]


def build(theme):
    attributes = {}
    for state in ("normal", "over", "checked"):
        top = top_tab(state)
        sides = {"Top": top, "Bottom": faces.flipped(top), "Left": faces.turned(top),
                 "Right": faces.turned(top, mirror=True)}
        for side, paint in sides.items():
            attributes["itemBackground%s%sImage" % (side, state.capitalize())] = theme.picture(
                "gallery.tab.%s.%s" % (side.lower(), state), SIZE, SIZE, paint)
    attributes.update({
        "draw9grid": "(4,4,4,4)",
        "borderColor": theme.colour("gallery.tab.border", style.BORDER),
        "borderRound": "6",
        "itemTextNormalColor": theme.colour("gallery.tab.text.normal", style.TEXT),
        "itemTextCheckedColor": theme.colour("gallery.tab.text.checked", style.TEXT_HOVER),
        "spinbuttonSkinLabel": "gallery.spin",
        "pushbuttonSkinLabel": "gallery.button",
    })
    theme.control("tabctrl", "gallery.tab", attributes)
