"""Progress bar: the gallery asks for "gallery.progress" (class progress) for the
progress bar.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.progress.<part>.<state>")
and the description with theme.control("progress", "gallery.progress",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
