"""Rebar: the gallery asks for "gallery.rebar" (class rebar) for the rebar with
two bands. Not described yet: the system look."""


def build(theme):
    pass
