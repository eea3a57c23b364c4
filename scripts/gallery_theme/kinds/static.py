"""Static texts: "gallery.static" (class static) for the gallery's sample
static text, and "gallery.label" for the small labels that name each
control. No pictures: the text stands on the dialog's background."""
from gallery_theme import style


def build(theme):
    theme.control("static", "gallery.static", {"textColor": theme.colour("gallery.static.text", style.TEXT)})
    theme.control("static", "gallery.label", {"textColor": theme.colour("gallery.label.text", (84, 96, 116))})
