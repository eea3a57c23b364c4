"""Group boxes: "gallery.group" (class groupbutton) for the two group
boxes round the check boxes and the radio buttons. No pictures: a rounded
frame line and a bold caption in the accent colour."""
from gallery_theme import style


def build(theme):
    theme.font("gallery.font.bold", style.FONT_FACE, style.FONT_SIZE, bold=True)
    theme.control("groupbutton", "gallery.group", {
        "textColor": theme.colour("gallery.group.text", style.ACCENT_DOWN),
        "borderColor": theme.colour("gallery.group.border", (196, 204, 216)),
        "font": "gallery.font.bold",
        "borderRound": 8,
    })
