"""Slider: the gallery asks for "gallery.slider" (class slider) for the slider
(trackbar). Not described yet: the system look."""


def build(theme):
    pass
