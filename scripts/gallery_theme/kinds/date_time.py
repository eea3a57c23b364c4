"""Date-time picker: the gallery asks for "gallery.datetime" (class datetime) for
the date-time picker. Not described yet: the system look."""


def build(theme):
    pass
