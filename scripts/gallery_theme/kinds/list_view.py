"""List view and its header: the gallery asks for "gallery.listview" (class
listview) for the report-view list view; its headSkinLabel names
"gallery.header" (class header), which this module describes too. Not
described yet: the system look."""


def build(theme):
    pass
