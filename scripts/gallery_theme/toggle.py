"""What check boxes and radio buttons share: the ten mark pictures by check
group and state, the description's attributes, and (in the test theme) the
probe items that show which state mask a control has."""
from gallery_theme import style
from gallery_theme.theme import item

MARK = 14  # the marks are MARK x MARK pixels
STATES = ("Normal", "Over", "Down", "Disible", "Focus")  # the format's own spelling

# (border, fill) of the box or ring by check group and state.
LOOK = {
    ("Uncheck", "Normal"): (style.BORDER, style.gradient((255, 255, 255), (244, 246, 250), MARK)),
    ("Uncheck", "Over"): (style.ACCENT_HOVER, style.gradient((255, 255, 255), style.ACCENT_TINT, MARK)),
    ("Uncheck", "Down"): (style.ACCENT_DOWN, style.ACCENT_TINT_DOWN),
    ("Uncheck", "Disible"): (style.BORDER_DISABLED, style.FILL_DISABLED),
    ("Uncheck", "Focus"): (style.ACCENT, (255, 255, 255)),
    ("Checked", "Normal"): (style.ACCENT_DOWN, style.gradient(style.ACCENT_HOVER, style.ACCENT, MARK)),
    ("Checked", "Over"): (style.ACCENT, style.gradient(style.lighter(style.ACCENT_HOVER, 0.15), style.ACCENT_HOVER,
                                                       MARK)),
    ("Checked", "Down"): (style.ACCENT_DOWN, style.ACCENT_DOWN),
    ("Checked", "Disible"): (style.CHECKED_DISABLED, style.CHECKED_DISABLED),
    ("Checked", "Focus"): (style.ACCENT_DOWN, style.gradient(style.ACCENT_HOVER, style.ACCENT, MARK)),
}

# The state names a test probe item is made for, with its state attribute.
PROBES = ("normal", "disable", "checkeddisable", "checkednormal", "checkedover", "unchecknormal", "uncheckover",
          "all")
PROBE_SIZE = 5
# The clickable probe: left of the state probes, as tall as the mark.
EVENT_WIDTH = 16
EVENT_LEFT = -(len(PROBES) * (PROBE_SIZE + 1) + 4 + EVENT_WIDTH)


def marks(theme, prefix, shape, glyph):
    """The ten mark pictures `prefix`.{unchecked,checked}.{state}; `shape`
    gives the box's or ring's layers from (border, fill), `glyph` the mark's
    layers for a checked state (with the state's name). Returns the
    attributes that name them."""
    attributes = {}
    for group in ("Uncheck", "Checked"):
        for state in STATES:
            border, fill = LOOK[(group, state)]
            layers = shape(border, fill)
            if group == "Checked":
                layers += glyph(state)
            name = theme.picture("%s.%s.%s" % (prefix, group.lower(), state.lower()), MARK, MARK,
                                 style.paint(MARK, layers))
            attributes["pic%s%s" % (group, state)] = name
    return attributes


def text_colours(theme, prefix):
    """textNormalColor ... textFocusColor, each its own colour in the test theme."""
    showcase = {"Normal": style.TEXT, "Over": style.TEXT_HOVER, "Down": style.TEXT_HOVER,
                "Disible": style.TEXT_DISABLED, "Focus": style.TEXT}
    return {"text%sColor" % state: theme.colour("%s.text.%s" % (prefix, state.lower()), showcase[state])
            for state in STATES}


def probes(theme, prefix):
    """Test theme only: one small picture item per state name, in a row at
    the control's right end (the rightmost is the first), each drawn only
    while the control's state mask takes it; and left of them a clickable
    item (eventitem "probe.event") that shows one picture in every state."""
    if not theme.test:
        return []
    result = []
    for i, state in enumerate(PROBES):
        picture = theme.picture("%s.probe.%s" % (prefix, state), PROBE_SIZE, PROBE_SIZE, None)
        result.append(item("image", [("id", "probe." + state), ("picFile", picture), ("state", state),
                                     ("left", -(i + 1) * (PROBE_SIZE + 1)), ("top", 1), ("width", PROBE_SIZE),
                                     ("height", PROBE_SIZE)]))
    event = theme.picture("%s.probe.event" % prefix, EVENT_WIDTH, MARK, None)
    result.append(item("eventitem", [("id", "probe.event"), ("left", EVENT_LEFT), ("top", 0), ("width", EVENT_WIDTH),
                                     ("height", MARK)],
                       [item("image", [("id", "probe.event.picture"), ("picFile", event)])]))
    return result
