"""Hot key: the gallery asks for "gallery.hotkey" (class hotkey) for the hot-key
control.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.hotkey.<part>.<state>") and
the description with theme.control("hotkey", "gallery.hotkey", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
