"""Edit boxes: the gallery asks for "gallery.edit" (class edit) for the single-
line and multi-line edits, the spin button's buddy and the edit in the rebar's
first band.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.edit.<part>.<state>") and
the description with theme.control("edit", "gallery.edit", attributes, items),
as check_box.py does; the test theme then gets a solid colour for each picture
by itself."""


def build(theme):
    pass
