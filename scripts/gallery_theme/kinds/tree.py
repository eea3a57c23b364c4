"""Tree: "gallery.tree" (class tree) for the tree (SetWindowSkin reports 0
for trees even when it skins them). The theme paints its rows: a tinted
rounded row under the mouse, an accent row for the selection, 20-pixel
rows, and its own expand and collapse signs where the tree keeps its
buttons; its scroll bars are the theme's default.

Pictures: gallery.tree.row.{over,checked} (12 x 12, nine-grids with
4-pixel margins); gallery.tree.expand and gallery.tree.collapse (11 x 11):
a chevron pointing right (closed) and down (open)."""
from gallery_theme import style
from gallery_theme.kinds import list_box

SIGN = 11


def sign(points):
    layers = style.strokes([points], 0.85, style.lighter(style.TEXT, 0.25))
    return style.paint(SIGN, layers)


def build(theme):
    rows = list_box.rows(theme, "gallery.tree")
    attributes = {
        "itemBackgroundOverImage": rows["itemBackgroundOverImage"],
        "itemBackgroundCheckedImage": rows["itemBackgroundCheckedImage"],
        "itemTextNormalColor": rows["itemTextNormalColor"],
        "itemTextOverColor": rows["itemTextOverColor"],
        "itemTextCheckedColor": rows["itemTextCheckedColor"],
        "drawImageOffset": rows["drawImageOffset"],
        "expandImage": theme.picture("gallery.tree.expand", SIGN, SIGN, sign([(4.0, 2.5), (7.0, 5.5), (4.0, 8.5)])),
        "collapseImage": theme.picture("gallery.tree.collapse", SIGN, SIGN,
                                       sign([(2.5, 4.0), (5.5, 7.0), (8.5, 4.0)])),
        "backgroundColor": theme.colour("gallery.tree.background", (255, 255, 255)),
        "borderColor": theme.colour("gallery.tree.border", style.BORDER),
        "drawItem": "true",
        "itemHeight": 20,
        "alpha": -1,
        "bLButtonDownExpand": "false",
    }
    theme.control("tree", "gallery.tree", attributes)
