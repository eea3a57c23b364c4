"""Hot key: "gallery.hotkey" (class hotkey) for the hot-key field. Its
frame is the fields' shared pair (gallery.hotkey.frame.{normal,over},
24 x 24); the control draws the keys inside.

"gallery.hotkey.lines" describes the same field without frame pictures (a
one-pixel line of its border colour), for the tests of a skin whose
pictures are missing."""
from gallery_theme import field, style


def build(theme):
    theme.control("hotkey", "gallery.hotkey", field.frames(theme, "gallery.hotkey"))
    theme.control("hotkey", "gallery.hotkey.lines",
                  {"borderColor": theme.colour("gallery.hotkey.lines.border", style.BORDER)})
