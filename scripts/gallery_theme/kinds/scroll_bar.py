"""Scroll bars: the gallery asks for "gallery.scrollbar" (class scrollbar) for
the horizontal and the vertical scroll-bar control; the default scroll-bar
picture of every scrolling control goes to theme.settings["bmpScrollbar"].

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.scrollbar.<part>.<state>")
and the description with theme.control("scrollbar", "gallery.scrollbar",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
