"""Rebar: the gallery asks for "gallery.rebar" (class rebar) for the rebar with
two bands.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.rebar.<part>.<state>") and
the description with theme.control("rebar", "gallery.rebar", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
