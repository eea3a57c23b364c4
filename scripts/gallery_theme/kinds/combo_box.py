"""Combo boxes: "gallery.combo" (class combobox) for the drop-down combo box
and the one in the rebar's second band: the edits' frame pictures (edit.py
makes them) and a drop button with a chevron; the drop-down list has the
theme's default scroll bar and a slate border.

Pictures: gallery.combo.button.{normal,over,down,disable} (16 x 16): the
button's face, drawn as a nine-grid with 3-pixel margins."""
from gallery_theme import style

BUTTON = 16
FACES = {
    "normal": (None, style.BORDER),
    "over": (style.ACCENT_TINT, style.ACCENT_HOVER),
    "down": (style.ACCENT, (255, 255, 255)),
    "disable": (None, style.BORDER_DISABLED),
}


def button(state):
    fill, glyph = FACES[state]
    layers = []
    if fill:
        layers += style.box(BUTTON, 3.0, fill, fill)
    else:
        layers += [(lambda x, y: 1.0, lambda x, y: (255, 255, 255))]
    chevron = [[(4.5, 6.5), (8.0, 10.0), (11.5, 6.5)]]
    layers += style.strokes(chevron, 0.9, glyph)
    return style.paint(BUTTON, layers)


def build(theme):
    attributes = {"bmpFrameNormal": "gallery.edit.frame.normal", "bmpFrameOver": "gallery.edit.frame.over"}
    for state in FACES:
        name = {"normal": "Normal", "over": "Over", "down": "Down", "disable": "Disable"}[state]
        attributes["bmpButton" + name] = theme.picture("gallery.combo.button." + state, BUTTON, BUTTON, button(state))
    attributes.update({
        "textColor": theme.colour("gallery.combo.text", style.TEXT),
        "borderColor": theme.colour("gallery.combo.border", style.BORDER),
    })
    theme.control("combobox", "gallery.combo", attributes)
