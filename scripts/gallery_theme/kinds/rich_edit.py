"""Rich edit: the gallery asks for "gallery.richedit" (class richedit) for the
rich-edit box. Not described yet: the system look."""


def build(theme):
    pass
