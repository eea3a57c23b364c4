"""Tab control: the gallery asks for "gallery.tab" (class tabctrl) for the tab
control. Not described yet: the system look."""


def build(theme):
    pass
