"""IP address: "gallery.ipaddress" (class ipaddress) for the IP-address
field. Its frame is the fields' shared pair (gallery.ipaddress.frame.
{normal,over}, 24 x 24); the four numbers and the dots take the text
colour."""
from gallery_theme import field, style


def build(theme):
    attributes = field.frames(theme, "gallery.ipaddress")
    attributes["textColor"] = theme.colour("gallery.ipaddress.text", style.TEXT)
    theme.control("ipaddress", "gallery.ipaddress", attributes)
