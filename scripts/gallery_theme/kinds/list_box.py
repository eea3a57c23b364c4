"""List box: the gallery asks for "gallery.listbox" (class listbox) for the list
box.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.listbox.<part>.<state>")
and the description with theme.control("listbox", "gallery.listbox",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
