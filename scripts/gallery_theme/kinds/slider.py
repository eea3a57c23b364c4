"""Slider: the gallery asks for "gallery.slider" (class slider) for the slider
(trackbar).

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.slider.<part>.<state>") and
the description with theme.control("slider", "gallery.slider", attributes,
items), as check_box.py does; the test theme then gets a solid colour for each
picture by itself."""


def build(theme):
    pass
