"""Combo boxes: the gallery asks for "gallery.combo" (class combobox) for the
drop-down combo box and the one in the rebar's second band.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.combo.<part>.<state>") and
the description with theme.control("combobox", "gallery.combo", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
