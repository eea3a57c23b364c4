"""Status bar: the gallery asks for "gallery.statusbar" (class statusbar) for the
status bar along the bottom.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.statusbar.<part>.<state>")
and the description with theme.control("statusbar", "gallery.statusbar",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
