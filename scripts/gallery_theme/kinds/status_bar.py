"""Status bar: the gallery asks for "gallery.statusbar" (class statusbar) for the
status bar along the bottom. Not described yet: the system look."""


def build(theme):
    pass
