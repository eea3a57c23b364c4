"""Control bar: a framework control bar (a window whose class name contains
"AfxControlBar") is skinned without an id, so its description (class
controlbar) has none.

Pictures: gallery.controlbar.background.{horiz,vert} (the bars' gradient,
30 pixels across), for a bar wider than high and for the other."""
from gallery_theme import bar


def build(theme):
    attributes = bar.backgrounds(theme, "gallery.controlbar", "bmpBackground", 30)
    attributes["backgroundColor"] = theme.colour("gallery.controlbar.background", bar.BOTTOM)
    theme.control("controlbar", "", attributes)
