"""Toolbar: the gallery asks for "gallery.toolbar" (class toolbar) for the
toolbar along the top.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.toolbar.<part>.<state>")
and the description with theme.control("toolbar", "gallery.toolbar",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
