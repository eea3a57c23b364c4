"""Combo boxes: the gallery asks for "gallery.combo" (class combobox) for the
drop-down combo box and the one in the rebar's second band. Not described yet:
the system look."""


def build(theme):
    pass
