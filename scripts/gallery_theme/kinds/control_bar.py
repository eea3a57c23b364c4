"""Control bar: a framework control bar (a window whose class name contains
"AfxControlBar") is skinned without an id, so its description (class
controlbar) has none.

Pictures: gallery.controlbar.background.{horiz,vert} (30 pixels across, 8
along): a raised panel, the bars' gradient inside a one-pixel border, for a
bar wider than high and for the other. The skin draws them as 9-grids with
2-pixel corners."""
from skin_pictures import mix
from gallery_theme import bar, style

ACROSS, ALONG = 30, 8


def panel(vertical):
    def paint():
        rows = []
        for y in range(ALONG if vertical else ACROSS):
            row = []
            for x in range(ACROSS if vertical else ALONG):
                a = x if vertical else y  # across the bar
                edge = a in (0, ACROSS - 1) or (y if vertical else x) in (0, ALONG - 1)
                inside = mix(bar.TOP, bar.BOTTOM, a / float(ACROSS - 1))
                row.append((style.BORDER if edge else inside) + (255,))
            rows.append(row)
        return rows
    return paint


def build(theme):
    attributes = {
        "bmpBackgroundHoriz": theme.picture("gallery.controlbar.background.horiz", ALONG, ACROSS, panel(False)),
        "bmpBackgroundVert": theme.picture("gallery.controlbar.background.vert", ACROSS, ALONG, panel(True)),
        "backgroundColor": theme.colour("gallery.controlbar.background", bar.BOTTOM),
    }
    theme.control("controlbar", "", attributes)
