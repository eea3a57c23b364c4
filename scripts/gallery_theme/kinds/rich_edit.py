"""Rich edit: "gallery.richedit" (class richedit) for the rich-edit box: the
edits' frame pictures (edit.py builds them first) and, through the theme's
default, the scroll-bar sheet (scroll_bar.py), whose grip cells give its
thumb a grip."""


def build(theme):
    theme.control("richedit", "gallery.richedit",
                  {"bmpFrameNormal": "gallery.edit.frame.normal", "bmpFrameOver": "gallery.edit.frame.over"})
