"""IP address: the gallery asks for "gallery.ipaddress" (class ipaddress) for the
IP-address control. Not described yet: the system look."""


def build(theme):
    pass
