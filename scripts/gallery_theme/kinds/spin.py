"""Spin button: the gallery asks for "gallery.spin" (class spinbutton) for the
up-down control beside its buddy edit.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.spin.<part>.<state>") and
the description with theme.control("spinbutton", "gallery.spin", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
