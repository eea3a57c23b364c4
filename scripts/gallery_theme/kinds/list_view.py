"""List view and its header: "gallery.listview" (class listview) for the
report-view list view, whose rows the theme paints as the list box's
(list_box.py's row pictures and colours, 20-pixel rows); its headSkinLabel
names "gallery.header" (class header): soft gradient column heads, tinted
under the mouse, pressed in the accent tint, with a thin separator.

Pictures: gallery.listview.row.{over,checked} (12 x 12, nine-grids with
4-pixel margins); gallery.header.{normal,over,down} (12 x 24, nine-grids
with 3-pixel margins, a line at the bottom); gallery.header.separator
(2 x 16)."""
from skin_pictures import layered
from gallery_theme import style
from gallery_theme.kinds import list_box

HEAD_W, HEAD_H = 12, 24
HEADS = {
    "normal": ((255, 255, 255), (238, 241, 246), style.BORDER),
    "over": ((250, 252, 255), style.ACCENT_TINT, style.ACCENT_HOVER),
    "down": (style.ACCENT_TINT_DOWN, style.ACCENT_TINT, style.ACCENT),
}


def head(state):
    top, bottom, line = HEADS[state]
    fill = style.gradient(top, bottom, HEAD_H)

    def paint():
        return layered(HEAD_W, HEAD_H, [
            (lambda x, y: 1.0, lambda x, y: fill(y)),
            (lambda x, y: 1.0 if y >= HEAD_H - 1 else 0.0, lambda x, y: line),
        ])
    return paint


def separator():
    def paint():
        return layered(2, 16, [(lambda x, y: 1.0 if x == 0 else 0.0, lambda x, y: style.lighter(style.BORDER, 0.35)),
                               (lambda x, y: 1.0 if x == 1 else 0.0, lambda x, y: (255, 255, 255))])
    return paint


def build(theme):
    heads = {state: theme.picture("gallery.header." + state, HEAD_W, HEAD_H, head(state)) for state in HEADS}
    theme.control("header", "gallery.header", {
        "itemBackgroundNormalImage": heads["normal"],
        "itemBackgroundOverImage": heads["over"],
        "itemBackgroundDownImage": heads["down"],
        "imageSeparator": theme.picture("gallery.header.separator", 2, 16, separator()),
        "itemTextNormalColor": theme.colour("gallery.header.text", style.TEXT),
        "itemTextOverColor": theme.colour("gallery.header.text.over", style.TEXT_HOVER),
        "itemTextDownColor": theme.colour("gallery.header.text.down", style.ACCENT_DOWN),
        "border9grid": "(3,3,3,3)",
        "itemHeight": 24,
    })
    attributes = list_box.rows(theme, "gallery.listview")
    attributes.update({
        "headSkinLabel": "gallery.header",
        "borderColor": theme.colour("gallery.listview.border", style.BORDER),
    })
    theme.control("listview", "gallery.listview", attributes)
