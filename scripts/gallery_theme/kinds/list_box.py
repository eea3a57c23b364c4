"""List box: "gallery.listbox" (class listbox) for the list box. The theme
paints its rows (drawItem): soft stripes, a tinted rounded row under the
mouse and an accent row for the selection, 20-pixel rows; its scroll bar
is the theme's default (scroll_bar.py).

The row under the mouse shows a remove button at its right end (an
eventitem, state "over"): a click on it posts WM_SKIN_LISTCLICK to the
dialog, which deletes the row.

Pictures: gallery.listbox.row.{over,checked} (12 x 12): rounded row
backgrounds drawn as nine-grids with 4-pixel margins;
gallery.listbox.remove (12 x 12): a cross on a round white face."""
from gallery_theme import style
from gallery_theme.theme import item

ROW = 12
STRIPE = (243, 245, 249)


def row(border, fill):
    return style.paint(ROW, style.box(ROW, 3.0, border, fill))


def rows(theme, prefix):
    """The hover and selection pictures and the row colours, shared with the
    list view and the tree."""
    return {
        "itemBackgroundOverImage": theme.picture(prefix + ".row.over", ROW, ROW,
                                                 row(style.lighter(style.ACCENT_HOVER, 0.55), style.ACCENT_TINT)),
        "itemBackgroundCheckedImage": theme.picture(prefix + ".row.checked", ROW, ROW,
                                                    row(style.ACCENT_DOWN, style.gradient(style.ACCENT_HOVER,
                                                                                          style.ACCENT, ROW))),
        "itemTextNormalColor": theme.colour(prefix + ".text", style.TEXT),
        "itemTextOverColor": theme.colour(prefix + ".text.over", style.TEXT_HOVER),
        "itemTextCheckedColor": theme.colour(prefix + ".text.checked", (255, 255, 255)),
        "itemBackgroundColor1": theme.colour(prefix + ".stripe.odd", STRIPE),
        "itemBackgroundColor2": theme.colour(prefix + ".stripe.even", (255, 255, 255)),
        "itemBackgroundOverColor": theme.colour(prefix + ".fill.over", style.ACCENT_TINT),
        "itemBackgroundCheckedColor": theme.colour(prefix + ".fill.checked", style.ACCENT),
        "drawImageOffset": "(4,4,4,4)",
        "drawItem": "true",
        "itemHeight": 20,
    }


REMOVE = 12


def remove_button(theme):
    """The remove button of the row under the mouse, REMOVE pixels square,
    4 pixels from the row's right end."""
    face = style.box(REMOVE, 6.0, style.lighter(style.ACCENT_HOVER, 0.45), (255, 255, 255))
    cross = style.strokes([[(3.5, 3.5), (8.5, 8.5)], [(8.5, 3.5), (3.5, 8.5)]], 0.75, style.ACCENT_DOWN)
    picture = theme.picture("gallery.listbox.remove", REMOVE, REMOVE, style.paint(REMOVE, face + cross))
    return item("eventitem", [("id", "remove"), ("state", "over"), ("left", -(REMOVE + 4)), ("top", 4),
                              ("width", REMOVE), ("height", REMOVE)],
                [item("image", [("id", "remove.picture"), ("picFile", picture)])])


def build(theme):
    attributes = rows(theme, "gallery.listbox")
    attributes.update({
        "backgroundColor": theme.colour("gallery.listbox.background", (255, 255, 255)),
        "borderColor": theme.colour("gallery.listbox.border", style.BORDER),
        "alpha": -1,
    })
    theme.control("listbox", "gallery.listbox", attributes, items=[remove_button(theme)])
