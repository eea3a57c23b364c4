"""What the bars share (toolbar, rebar, status bar, control bar): a soft
gradient background for each orientation, with a light line on its leading
edge and a border line on its trailing one, and an etched separator line."""
from skin_pictures import mix
from gallery_theme import style

TOP, BOTTOM = (252, 253, 255), (233, 237, 244)
EDGE = (214, 220, 230)


def background(length, across, vertical):
    """A bar background `across` pixels thick (the gradient runs across the
    bar), `length` long; vertical bars take it turned."""
    def colour(t):
        if t == 0:
            return (255, 255, 255, 255)
        if t == across - 1:
            return EDGE + (255,)
        return mix(TOP, BOTTOM, t / float(across - 1)) + (255,)

    def paint():
        if vertical:
            return [[colour(x) for x in range(across)] for _ in range(length)]
        return [[colour(y)] * length for y in range(across)]
    return paint


def separator(length, vertical):
    """An etched line two pixels thick: dark, then light."""
    dark, light = style.BORDER + (255,), (255, 255, 255, 255)

    def paint():
        if vertical:  # a horizontal line, for vertical bars
            return [[dark] * length, [light] * length]
        return [[dark, light] for _ in range(length)]
    return paint


def backgrounds(theme, prefix, attribute, across):
    """Both backgrounds, `prefix`.background.{horiz,vert}, under the
    attribute names `attribute` + Horiz and + Vert."""
    return {attribute + "Horiz": theme.picture(prefix + ".background.horiz", 8, across, background(8, across, False)),
            attribute + "Vert": theme.picture(prefix + ".background.vert", across, 8, background(8, across, True))}
