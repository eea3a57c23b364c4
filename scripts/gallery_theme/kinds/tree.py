"""Tree: the gallery asks for "gallery.tree" (class tree) for the tree
(SetWindowSkin reports 0 for trees even when it skins them). Not described
yet: the system look."""


def build(theme):
    pass
