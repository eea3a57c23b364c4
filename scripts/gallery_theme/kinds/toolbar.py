"""Toolbar: the gallery asks for "gallery.toolbar" (class toolbar) for the
toolbar along the top. Not described yet: the system look."""


def build(theme):
    pass
