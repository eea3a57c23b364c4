"""Progress bar: "gallery.progress" (class progress) for the progress bar,
drawn as 9-grids with its percentage on it.

Pictures: gallery.progress.{horiz,vert}.{channel,active}: a sunken rounded
trough (24 x 16) and a blue rounded fill (24 x 12) that sits 2 pixels
inside it; the vertical ones are the same turned."""
from skin_pictures import mix
from gallery_theme import faces, style

TROUGH = (24, 16)
FILL = (24, 12)
MARGINS = "(5,5,5,5)"


def trough():
    width, height = TROUGH
    return faces.paint(width, height, faces.box(width, height, 4.0, style.BORDER, (222, 227, 235), (243, 245, 249)))


def fill():
    width, height = FILL
    top, bottom = (142, 184, 240), (96, 148, 224)
    layers = faces.box(width, height, 3.0, mix(style.ACCENT, style.ACCENT_HOVER, 0.5), top, bottom)
    return faces.paint(width, height, layers)


def build(theme):
    pictures = {}
    for name, size, paint in (("channel", TROUGH, trough()), ("active", FILL, fill())):
        width, height = size
        pictures["horiz", name] = theme.picture("gallery.progress.horiz." + name, width, height, paint)
        pictures["vert", name] = theme.picture("gallery.progress.vert." + name, height, width, faces.turned(paint))
    attributes = {
        "channelHorizNormal": pictures["horiz", "channel"],
        "channelHorizActive": pictures["horiz", "active"],
        "channelVertNormal": pictures["vert", "channel"],
        "channelVertActive": pictures["vert", "active"],
        "drawStyle": "draw9grid",
        "borderOffset": MARGINS,
        "activeOffset": "2",
        "showText": "true",
        "textColor": theme.colour("gallery.progress.text", style.TEXT),
    }
    theme.control("progress", "gallery.progress", attributes)
