"""Spin button: the gallery asks for "gallery.spin" (class spinbutton) for the
up-down control beside its buddy edit. Not described yet: the system look."""


def build(theme):
    pass
