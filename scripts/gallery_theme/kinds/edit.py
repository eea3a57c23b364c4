"""Edit boxes: the gallery asks for "gallery.edit" (class edit) for the single-
line and multi-line edits, the spin button's buddy and the edit in the rebar's
first band. Not described yet: the system look."""


def build(theme):
    pass
