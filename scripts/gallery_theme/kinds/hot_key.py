"""Hot key: the gallery asks for "gallery.hotkey" (class hotkey) for the hot-key
control. Not described yet: the system look."""


def build(theme):
    pass
