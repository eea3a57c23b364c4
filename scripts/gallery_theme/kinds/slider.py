"""Slider: "gallery.slider" (class slider) for the slider.

Pictures: gallery.slider.thumb.{normal,over,down,disible,focus} (15 x 15), a
round knob drawn at its own size on the control's thumb, the same for
vertical sliders; gallery.slider.{horiz,vert}.{channel,active}, a thin
rounded groove (20 x 6) and its blue part left of (above) the thumb."""
from skin_pictures import disc_coverage, mix
from gallery_theme import faces, style

KNOB = 15
GROOVE = (20, 6)
STATES = ("Normal", "Over", "Down", "Disible", "Focus")  # the format's own spelling
# (ring, top of the fill, bottom of the fill) by state.
KNOBS = {
    "Normal": (style.BORDER, (255, 255, 255), (228, 233, 241)),
    "Over": (style.ACCENT_HOVER, (255, 255, 255), style.ACCENT_TINT),
    "Down": (style.ACCENT_DOWN, style.ACCENT_TINT_DOWN, (200, 218, 246)),
    "Disible": (style.BORDER_DISABLED, style.FILL_DISABLED, style.FILL_DISABLED),
    "Focus": (style.ACCENT, (255, 255, 255), (228, 233, 241)),
}


def knob(state):
    ring, top, bottom = KNOBS[state]
    c = KNOB / 2.0
    fill = lambda y: mix(top, bottom, y / float(KNOB - 1))
    layers = [(lambda x, y: disc_coverage(x, y, c, c, c), lambda x, y: ring),
              (lambda x, y: disc_coverage(x, y, c, c, c - 1.0), lambda x, y: fill(y))]
    if state == "Focus":  # a second ring inside the first
        layers.insert(1, (lambda x, y: disc_coverage(x, y, c, c, c - 1.0), lambda x, y: style.lighter(ring, 0.4)))
        layers[2] = (lambda x, y: disc_coverage(x, y, c, c, c - 2.0), lambda x, y: fill(y))
    return faces.paint(KNOB, KNOB, layers)


def groove(active):
    width, height = GROOVE
    if active:
        layers = faces.box(width, height, 3.0, style.ACCENT_DOWN, style.ACCENT_HOVER, style.ACCENT)
    else:
        layers = faces.box(width, height, 3.0, style.BORDER, (214, 220, 229), (236, 239, 244))
    return faces.paint(width, height, layers)


def build(theme):
    attributes = {"drawSize": "true", "channelOffset": "3"}
    for state in STATES:
        picture = theme.picture("gallery.slider.thumb." + state.lower(), KNOB, KNOB, knob(state))
        attributes["thumbHoriz" + state] = picture
        attributes["thumbVert" + state] = picture
    width, height = GROOVE
    for name, active in (("Normal", False), ("Active", True)):
        suffix = "active" if active else "channel"
        attributes["channelHoriz" + name] = theme.picture("gallery.slider.horiz." + suffix, width, height,
                                                          groove(active))
        attributes["channelVert" + name] = theme.picture("gallery.slider.vert." + suffix, height, width,
                                                         faces.turned(groove(active)))
    theme.control("slider", "gallery.slider", attributes)
