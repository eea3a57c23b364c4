#!/usr/bin/env python3
"""Draws the installer skin's pictures into res/skin/skin/.

Only the standard library: PNG files are written with zlib and struct, the
window background as a 24-bit bottom-up BMP. The same script always writes
the same pixels.
  btn_close_{nor,hit,down}.png    40 x 23 RGBA  close button
  btn_min_{nor,hit,down}.png      37 x 23 RGBA  minimise button
  {warning,install,done}[_s].png 399 x 42 RGBA  status button faces
  PromptBk.bmp                   509 x 233 24-bit window background

How the window uses them, and what that asks of the pixels:
- The background is 9-gridded with 15-pixel margins from the rectangle inside
  its 2-pixel border into the client area, which is a pixel or more smaller
  or larger than that rectangle; the stretch drops or repeats whole rows and
  columns. So every row is one colour from x = 15 to x = 493 (only the corner
  blocks may differ), and the only lines are horizontal ones. The 2-pixel
  frame is tiled from the picture's edges, so each border ring is one colour
  along every edge.
- Magenta pixels in the 15 x 15 corner blocks are cut out of the window's
  region: they round the corners a little. Magenta appears nowhere else.
- The caption buttons and the blue links (RGB(0,0,238)) sit on a light title
  band as tall as the buttons. The body is white and fades to a light grey
  behind the black footer text; no rule separates the footer, because where
  its text lands depends on the dialog font.
- The status faces are drawn at their own size as a 9-grid with 2-pixel
  margins, so they appear 1:1. Each row is one colour from x = 4 to x = 394
  and only the 4 x 4 corner squares hold transparent pixels: drawn at
  another size, a face stretches cleanly and only its rounding is scaled.
  White bold text is drawn on them; their fill stays dark enough for it.
- Caption buttons: a dark glyph on the band when normal, a tinted fill on
  hover and a darker one when pressed; the close button turns red.

Usage: make-skin-images.py [OUTPUT_DIR]
"""
import os
import sys

from skin_pictures import MAGENTA, WHITE, bmp24, mix, over, png, rounded_coverage, rounded_distance, \
    segment_coverage, smooth

BACKGROUND_SIZE = (509, 233)
FACE_SIZE = (399, 42)
CAPTION_HEIGHT = 23

# Window background.
OUTER_BORDER = (128, 146, 170)   # the window's 1-pixel outline
INNER_BORDER = (255, 255, 255)   # a highlight just inside it
WINDOW_RADIUS = 4.5              # cuts three pixels at each corner
BAND_TOP, BAND_BOTTOM = (234, 243, 253), (204, 223, 245)
BAND_END = 25                    # the title band's rule: the band is as tall as the caption buttons
BAND_RULE = (168, 192, 224)
BODY = (255, 255, 255)
FOOTER_START = 140               # below the status face the body fades to this grey
FOOTER = (233, 239, 246)

# Status faces: (colour at the top, colour at the bottom) of the fill.
FACES = {
    "warning": ((212, 96, 6), (192, 78, 0)),
    "install": ((46, 128, 222), (26, 100, 196)),
    "done": ((38, 148, 78), (24, 118, 58)),
}
FACE_RADIUS = 4.0                # within the 4-pixel corner squares

# Caption buttons: (fill with alpha, glyph colour) for each state.
GLYPH_DARK = (52, 64, 80)
CAPTION_STATES = {
    "min": {"nor": ((0, 0, 0, 0), GLYPH_DARK),
            "hit": ((40, 70, 110, 40), GLYPH_DARK),
            "down": ((30, 55, 90, 84), (24, 32, 44))},
    "close": {"nor": ((0, 0, 0, 0), GLYPH_DARK),
              "hit": ((226, 54, 48, 255), WHITE),
              "down": ((168, 30, 28, 255), (255, 226, 224))},
}


def background_row_colour(y, height):
    """Colour of row y of the background inside the border."""
    if y < BAND_END:
        return mix(BAND_TOP, BAND_BOTTOM, smooth((y - 2) / float(BAND_END - 3)))
    if y == BAND_END:
        return BAND_RULE
    return mix(BODY, FOOTER, smooth((y - FOOTER_START) / float(height - 3 - FOOTER_START)))


def background():
    width, height = BACKGROUND_SIZE
    rows = []
    for y in range(height):
        content = background_row_colour(y, height)
        row = []
        for x in range(width):
            d = rounded_distance(x + 0.5, y + 0.5, width, height, WINDOW_RADIUS)
            if d < 0:
                row.append(MAGENTA)  # cut from the window's region
            elif d < 1:
                row.append(OUTER_BORDER)
            elif d < 2:
                row.append(INNER_BORDER)
            else:
                row.append(content)
        rows.append(row)
    for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
        assert rows[y][x] == MAGENTA
    return bmp24(width, height, rows)


def status_face(top, bottom, pressed):
    """A rounded face with a vertical gradient, a darker outline and a light
    inner edge; the pressed face is darker, lit from below and shaded inside
    its top edge."""
    width, height = FACE_SIZE
    if pressed:
        top, bottom = mix(bottom, (0, 0, 0), 0.18), mix(top, (0, 0, 0), 0.12)
    outline = mix(bottom, (0, 0, 0), 0.28)
    column = []
    for y in range(height):
        fill = mix(top, bottom, y / float(height - 1))
        if pressed and y in (1, 2):
            fill = mix(fill, (0, 0, 0), 0.22 if y == 1 else 0.10)
        elif not pressed and y == 1:
            fill = mix(fill, WHITE, 0.28)
        elif not pressed and y == height - 2:
            fill = mix(fill, (0, 0, 0), 0.08)
        column.append(fill)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            shape = rounded_coverage(x, y, width, height, FACE_RADIUS)
            inner = rounded_coverage(x, y, width, height, FACE_RADIUS - 1, inset=1.0)
            pixel = over((0, 0, 0, 0), outline, shape)
            row.append(over(pixel, column[y], inner) if inner else pixel)
        rows.append(row)
    return png(width, height, rows)


def caption_button(width, kind, state):
    """A flat caption button: a fill for hover and press, and its glyph (a
    cross for close, a bar for minimise) centred on it."""
    fill, glyph = CAPTION_STATES[kind][state]
    height = CAPTION_HEIGHT
    cx, cy = width / 2.0, height / 2.0
    if kind == "close":
        strokes = [((cx - 4.5, cy - 4.5), (cx + 4.5, cy + 4.5)), ((cx - 4.5, cy + 4.5), (cx + 4.5, cy - 4.5))]
        half_width = 0.75
    else:
        strokes = [((cx - 5, cy + 1), (cx + 5, cy + 1))]
        half_width = 0.5
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            pixel = fill
            coverage = max(segment_coverage(x + 0.5, y + 0.5, a, b, half_width) for a, b in strokes)
            if coverage:
                pixel = over(pixel, glyph, coverage)
            row.append(pixel)
        rows.append(row)
    return png(width, height, rows)


def pictures():
    """All thirteen pictures: file name -> bytes."""
    files = {}
    for state in ("nor", "hit", "down"):
        files["btn_close_%s.png" % state] = caption_button(40, "close", state)
        files["btn_min_%s.png" % state] = caption_button(37, "min", state)
    for name, (top, bottom) in FACES.items():
        files[name + ".png"] = status_face(top, bottom, False)
        files[name + "_s.png"] = status_face(top, bottom, True)
    files["PromptBk.bmp"] = background()
    return files


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res", "skin", "skin")
    os.makedirs(out, exist_ok=True)
    files = pictures()
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print("wrote %d pictures to %s" % (len(files), out))


if __name__ == "__main__":
    main()
