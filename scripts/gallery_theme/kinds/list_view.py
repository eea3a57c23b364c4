"""List view and its header: the gallery asks for "gallery.listview" (class
listview) for the report-view list view; its headSkinLabel names
"gallery.header" (class header), which this module describes too.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.listview.<part>.<state>")
and the description with theme.control("listview", "gallery.listview",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
