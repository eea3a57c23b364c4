"""Edit boxes: "gallery.edit" (class edit) for the single-line and
multi-line edits, the spin button's buddy and the edit in the rebar's first
band. Their scroll bars are the theme's default scroll-bar picture
(scroll_bar.py).

Pictures: gallery.edit.frame.{normal,over} (12 x 12): a rounded frame, slate
or the accent colour under the mouse, drawn where the control's edge is."""
from gallery_theme import style

FRAME = 12


def frame(border):
    return style.paint(FRAME, style.box(FRAME, 3.0, border, (255, 255, 255)))


def frames(theme):
    """The two frame pictures, shared with the rich edit."""
    return {"bmpFrameNormal": theme.picture("gallery.edit.frame.normal", FRAME, FRAME, frame(style.BORDER)),
            "bmpFrameOver": theme.picture("gallery.edit.frame.over", FRAME, FRAME, frame(style.ACCENT_HOVER))}


def build(theme):
    attributes = frames(theme)
    attributes.update({
        "textColor": theme.colour("gallery.edit.text", style.TEXT),
        "backgroundNormalColor": theme.colour("gallery.edit.background", (255, 255, 255)),
        "backgroundDisableColor": theme.colour("gallery.edit.background.disabled", style.FILL_DISABLED),
        "borderColor": theme.colour("gallery.edit.border", style.BORDER),
        "nmarginleft": 3,
        "nmarginright": 3,
    })
    theme.control("edit", "gallery.edit", attributes)
