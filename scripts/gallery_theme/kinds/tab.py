"""Tab control: the gallery asks for "gallery.tab" (class tabctrl) for the tab
control.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.tab.<part>.<state>") and
the description with theme.control("tabctrl", "gallery.tab", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
