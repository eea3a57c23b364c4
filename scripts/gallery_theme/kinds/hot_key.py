"""Hot key: "gallery.hotkey" (class hotkey) for the hot-key field. Its
frame is the fields' shared pair (gallery.hotkey.frame.{normal,over},
24 x 24); the control draws the keys inside."""
from gallery_theme import field


def build(theme):
    theme.control("hotkey", "gallery.hotkey", field.frames(theme, "gallery.hotkey"))
