"""What the input fields with a frame of their own share (IP address, hot
key, date-time picker): the two frame pictures, a rounded one-pixel border
with a light inner ring, the accent colour's while the mouse is over the
field or it has the focus. The skins draw them as 9-grids over the frame
ring, so only their outer two pixels show."""
from skin_pictures import layered, rounded_coverage
from gallery_theme import style

FRAME = 24  # the pictures are FRAME x FRAME pixels
RADIUS = 3.0

# (border, inner ring) by state.
LOOK = {
    "normal": (style.BORDER, (255, 255, 255)),
    "over": (style.ACCENT_HOVER, style.ACCENT_TINT),
}


def frame(state):
    border, ring = LOOK[state]
    layers = [(lambda x, y: rounded_coverage(x, y, FRAME, FRAME, RADIUS), lambda x, y: border),
              (lambda x, y: rounded_coverage(x, y, FRAME, FRAME, RADIUS - 1, inset=1.0), lambda x, y: ring),
              (lambda x, y: rounded_coverage(x, y, FRAME, FRAME, RADIUS - 2, inset=2.0), lambda x, y: (255, 255, 255))]
    return lambda: layered(FRAME, FRAME, layers)


def frames(theme, prefix):
    """The attributes bmpFrameNormal and bmpFrameOver, with their pictures
    `prefix`.frame.normal and `prefix`.frame.over, and the border colour of
    a frame drawn without them."""
    return {"bmpFrameNormal": theme.picture(prefix + ".frame.normal", FRAME, FRAME, frame("normal")),
            "bmpFrameOver": theme.picture(prefix + ".frame.over", FRAME, FRAME, frame("over")),
            "borderColor": theme.colour(prefix + ".border", style.BORDER)}
