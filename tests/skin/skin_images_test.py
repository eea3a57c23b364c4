#!/usr/bin/env python3
"""The installer skin's pictures as scripts/make-skin-images.py draws them:
the formats the engine reads, what the window's 9-grids, tiles and region do
to them, the legibility of what is drawn on them, and that res/skin/skin/
holds the script's current pictures."""
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
from skin_pictures import read_bmp, read_png  # noqa: E402
FACES = [f + s for f in ("warning", "install", "done") for s in ("", "_s")]
SIZES = dict([("btn_%s_%s" % (k, s), (w, 23)) for k, w in (("close", 40), ("min", 37)) for s in ("nor", "hit", "down")]
             + [(f, (399, 42)) for f in FACES])
MAGENTA = (255, 0, 255)


def luminance(colour):
    r, g, b = ((c / 255.0) / 12.92 if c <= 10 else ((c / 255.0 + 0.055) / 1.055) ** 2.4 for c in colour[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    low, high = sorted((luminance(a), luminance(b)))
    return (high + 0.05) / (low + 0.05)


def over(pixel, base):
    return tuple(int(round(p * pixel[3] / 255.0 + q * (1 - pixel[3] / 255.0))) for p, q in zip(pixel, base))


class SkinImages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-skin-images.py"), out],
                           check=True, stdout=subprocess.DEVNULL)
            cls.files = {}
            for name in os.listdir(out):
                with open(os.path.join(out, name), "rb") as f:
                    cls.files[name] = f.read()
        cls.png = {name[:-4]: read_png(data) for name, data in cls.files.items() if name.endswith(".png")}
        cls.bk = read_bmp(cls.files["PromptBk.bmp"])[2]

    def test_writes_the_pictures_the_theme_names_and_they_are_committed(self):
        self.assertEqual(set(self.png), set(SIZES))
        self.assertEqual({name: p[:2] for name, p in self.png.items()}, SIZES)
        self.assertEqual(read_bmp(self.files["PromptBk.bmp"])[:2], (509, 233))
        for name, data in self.files.items():
            with open(os.path.join(ROOT, "res", "skin", "skin", name), "rb") as f:
                decode = read_bmp if name.endswith(".bmp") else read_png
                self.assertTrue(decode(f.read()) == decode(data), name + " is stale: run scripts/make-skin-images.py")

    def test_background_keeps_its_shape_under_the_window_frame(self):
        bk, w, h = self.bk, 509, 233
        for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            self.assertEqual(bk[y][x], MAGENTA)
        # Magenta is cut only in the corner blocks; elsewhere it would be painted.
        for y, x in ((y, x) for y in range(h) for x in range(w) if bk[y][x] == MAGENTA):
            self.assertTrue(min(x, w - 1 - x) < 15 and min(y, h - 1 - y) < 15 and min(x, y, w - 1 - x, h - 1 - y) < 2,
                            "magenta at %d,%d" % (x, y))
        # The client 9-grid drops or repeats columns between the corner blocks,
        # and the frame tiles the border rings along the edges.
        for y in range(h):
            self.assertEqual(set(bk[y][15:w - 15]), {bk[y][15]}, "row %d is not plain" % y)
        for x in (0, 1, w - 2, w - 1):
            self.assertEqual({bk[y][x] for y in range(15, h - 15)}, {bk[15][x]}, "border column %d" % x)

    def test_links_and_footer_text_read_on_the_background(self):
        for y in range(6, 21):   # the blue links in the title band
            self.assertGreaterEqual(contrast(self.bk[y][250], (0, 0, 238)), 4.5, y)
        for y in range(180, 222):  # the black footer text
            self.assertGreaterEqual(contrast(self.bk[y][250], (0, 0, 0)), 10, y)
        self.assertGreaterEqual(contrast(self.bk[20][250], self.bk[60][250]), 1.2, "no clear title band")

    def test_status_faces_stretch_cleanly_and_carry_white_text(self):
        radius = 4  # the rounding, scaled with the edges when a face is drawn at another size
        for name in FACES:
            width, height, rows = self.png[name]
            self.assertLess(rows[0][0][3], 128, name + " has no rounded corner")
            for y, x in ((y, x) for y in range(height) for x in range(width) if rows[y][x][3] != 255):
                self.assertTrue(min(y, height - 1 - y) < radius and min(x, width - 1 - x) < radius, (name, x, y))
            for y, row in enumerate(rows):
                self.assertEqual(set(row[radius:width - radius]), {row[radius]}, "%s row %d is not plain" % (name, y))
            for y in range(10, 32):  # a 16-pixel line of text, with room
                self.assertGreaterEqual(contrast(rows[y][200], (255, 255, 255)), 4.0, (name, y))
        hue = {"warning": lambda r, g, b: r > g > b, "install": lambda r, g, b: b > g > r,
               "done": lambda r, g, b: g > max(r, b)}
        for face, is_hue in hue.items():
            normal, pressed = self.png[face][2], self.png[face + "_s"][2]
            self.assertTrue(is_hue(*normal[21][200][:3]) and is_hue(*pressed[21][200][:3]), face)
            mean = lambda rows: sum(luminance(rows[y][200]) for y in range(1, 41)) / 40
            self.assertLess(mean(pressed), 0.8 * mean(normal), face + " does not look pressed")

    def test_caption_buttons_show_three_distinct_states_with_a_legible_glyph(self):
        band = [self.bk[y][250] for y in range(2, 25)]  # under the buttons, at the client's top
        faces = {}
        for kind in ("close", "min"):
            for state in ("nor", "hit", "down"):
                rows = self.png["btn_%s_%s" % (kind, state)][2]
                face = faces[kind, state] = over(rows[1][1], band[1])
                glyph = max((over(p, band[y]) for y, row in enumerate(rows) for p in row), key=lambda p: contrast(p, face))
                self.assertGreaterEqual(contrast(glyph, face), 3.0, (kind, state))
            for a, b in (("nor", "hit"), ("hit", "down"), ("nor", "down")):
                self.assertGreaterEqual(contrast(faces[kind, a], faces[kind, b]), 1.15, (kind, a, b))
        r, g, b = faces["close", "hit"]
        self.assertTrue(r > 180 and g < 100 and b < 100, "the close button's hover is not red")


if __name__ == "__main__":
    unittest.main()
