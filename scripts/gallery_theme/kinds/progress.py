"""Progress bar: the gallery asks for "gallery.progress" (class progress) for the
progress bar. Not described yet: the system look."""


def build(theme):
    pass
