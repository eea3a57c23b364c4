"""IP address: the gallery asks for "gallery.ipaddress" (class ipaddress) for the
IP-address control.

Not described yet, so the gallery shows the system look here. To skin it: add
the pictures with theme.picture(...) (ids "gallery.ipaddress.<part>.<state>")
and the description with theme.control("ipaddress", "gallery.ipaddress",
attributes, items), as check_box.py does; the test theme then gets a solid
colour for each picture by itself."""


def build(theme):
    pass
