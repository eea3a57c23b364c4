"""Date-time picker: the gallery asks for "gallery.datetime" (class datetime) for
the date-time picker.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.datetime.<part>.<state>")
and the description with theme.control("datetime", "gallery.datetime",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
