"""List box: the gallery asks for "gallery.listbox" (class listbox) for the list
box. Not described yet: the system look."""


def build(theme):
    pass
