"""Tree: the gallery asks for "gallery.tree" (class tree) for the tree
(SetWindowSkin reports 0 for trees even when it skins them).

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.tree.<part>.<state>") and
the description with theme.control("tree", "gallery.tree", attributes, items),
as check_box.py does; the test theme then gets a solid colour for each picture
by itself."""


def build(theme):
    pass
