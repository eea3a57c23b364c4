"""Status bar: "gallery.statusbar" (class statusbar) for the status bar along
the bottom.

Pictures: gallery.statusbar.background (8 x 22, the bars' gradient with its
border line on top), gallery.statusbar.separator (2 x 14, an etched line)
and gallery.statusbar.grip (12 x 12, a triangle of dots)."""
from skin_pictures import layered
from gallery_theme import bar, style

GRIP = 12


def grip():
    def dot(x, y):
        col, row = x // 4, y // 4
        return 1.0 if col + row >= 2 and x % 4 < 2 and y % 4 < 2 else 0.0
    return lambda: layered(GRIP, GRIP, [(lambda x, y: dot(x - 1, y - 1) if x and y else 0.0,
                                         lambda x, y: (255, 255, 255)),
                                        (dot, lambda x, y: style.BORDER)])


def build(theme):
    background = bar.background(8, 22, False)
    attributes = {
        # The border line on top: the bar sits at the dialog's bottom.
        "bmpBackground": theme.picture("gallery.statusbar.background", 8, 22, lambda: background()[::-1]),
        "imageSeparator": theme.picture("gallery.statusbar.separator", 2, 14, bar.separator(14, False)),
        "imageSizelogo": theme.picture("gallery.statusbar.grip", GRIP, GRIP, grip()),
        "backgroundColor": theme.colour("gallery.statusbar.background", bar.BOTTOM),
        "textColor": theme.colour("gallery.statusbar.text", style.TEXT),
    }
    theme.control("statusbar", "gallery.statusbar", attributes)
