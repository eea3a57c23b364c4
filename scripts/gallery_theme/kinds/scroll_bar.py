"""Scroll bars: the gallery asks for "gallery.scrollbar" (class scrollbar) for
the horizontal and the vertical scroll-bar control; the default scroll-bar
picture of every scrolling control goes to theme.settings["bmpScrollbar"]. Not
described yet: the system look."""


def build(theme):
    pass
