"""Rich edit: the gallery asks for "gallery.richedit" (class richedit) for the
rich-edit box.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.richedit.<part>.<state>")
and the description with theme.control("richedit", "gallery.richedit",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
