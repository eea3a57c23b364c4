#!/usr/bin/env python3
"""The gallery's two themes as scripts/make-gallery-themes.py builds them:
the same descriptions and picture sizes in both, every reference resolved,
the test theme's pictures each one colour of its own as its table says, and
the same bytes from every run."""
import importlib
import os
import pkgutil
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
from skin_pictures import read_bmp, read_png  # noqa: E402
from gallery_theme import kinds  # noqa: E402
from gallery_theme.theme import RESERVED, SEPARATION, Theme  # noqa: E402

# Attributes that name a picture of the theme.
PICTURE_ATTRIBUTE = re.compile(r"^(pic|bmp|thumb|channel(Horiz|Vert)|imagelogo|image[A-Z])|Image$")


def build(out):
    subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-gallery-themes.py"), out], check=True,
                   stdout=subprocess.DEVNULL)


def read_theme(path):
    """(skin.xml as a tree, {entry name: bytes}) of a package."""
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        assert names[0] == "skin.xml", names[:3]
        entries = {name: archive.read(name) for name in names}
    return ElementTree.fromstring(entries["skin.xml"]), entries


def pictures(tree, entries):
    """{image id: (width, height, rows)}."""
    result = {}
    for item in tree.find("image"):
        name = item.get("value").replace("\\", "/")
        data = entries[name]
        result[item.get("id")] = (read_bmp if name.endswith(".bmp") else read_png)(data)
    return result


def build_layout():
    """{picture id: [(cell name, x, y, size)]} of the test theme's cell pictures."""
    theme = Theme("test")
    names = sorted(m.name for m in pkgutil.iter_modules(kinds.__path__) if not m.name.startswith("_"))
    for name in names:
        importlib.import_module("gallery_theme.kinds." + name).build(theme)
    return theme.cell_layout


def controls(tree):
    return {(item.get("class"), item.get("id")): item for item in tree.find("constrol")}


class GalleryThemes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.out = cls.folder.name
        build(cls.out)
        cls.showcase = read_theme(os.path.join(cls.out, "showcase.zip"))
        cls.test = read_theme(os.path.join(cls.out, "test.zip"))
        cls.table = {}
        with open(os.path.join(cls.out, "test-colours.tsv")) as f:
            for line in f:
                if not line.startswith("#"):
                    colour, kind, name, width, height = line.split()
                    cls.table[name] = (tuple(bytes.fromhex(colour)), kind, int(width), int(height))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_both_themes_describe_the_same_controls_with_pictures_of_the_same_size(self):
        self.assertEqual(set(controls(self.showcase[0])), set(controls(self.test[0])))
        shown, tested = pictures(*self.showcase), pictures(*self.test)
        # The test theme adds only its probe pictures.
        self.assertEqual({p for p in tested if ".probe." not in p}, set(shown))
        for name, (width, height, _) in shown.items():
            self.assertEqual(tested[name][:2], (width, height), name)

    def test_every_picture_a_description_names_is_in_the_package(self):
        for tree, entries in (self.showcase, self.test):
            ids = set(pictures(tree, entries))
            named = set()
            for element in tree.find("constrol").iter():
                for attribute, value in element.attrib.items():
                    if PICTURE_ATTRIBUTE.search(attribute) and value:
                        self.assertIn(value, ids, "%s=%s" % (attribute, value))
                        named.add(value)
            self.assertEqual(ids - named, set(), "pictures no description uses")

    def test_each_test_picture_is_one_colour_of_its_own_as_the_table_says(self):
        tested = pictures(*self.test)
        colours = []
        # Pictures made of cells: each named cell one colour of its own.
        layout = build_layout()
        for name, (width, height, rows) in tested.items():
            self.assertTrue(all(len(p) == 3 or p[3] == 255 for row in rows for p in row), name)
            rows = [list(row) for row in rows]
            for cell, x, y, size in layout.get(name, ()):
                colour = {rows[y + j][x + i][:3] for j in range(size) for i in range(size)}
                self.assertEqual(len(colour), 1, (name, cell))
                self.assertEqual(self.table["%s.%s" % (name, cell)], (colour.pop(), "cell", size, size))
                for j in range(size):
                    rows[y + j][x:x + size] = [None] * size
            colour = {pixel[:3] for row in rows for pixel in row if pixel is not None}
            self.assertEqual(len(colour), 1, name)
            self.assertEqual(self.table[name], (colour.pop(), "picture", width, height))
        for name, (colour, kind, _, _) in self.table.items():
            self.assertIn(kind, ("picture", "colour", "cell"))
            if kind == "picture":
                self.assertIn(name, tested)
            colours.append(colour)
        for i, a in enumerate(colours):
            for b in colours[i + 1:] + RESERVED:
                self.assertGreaterEqual(max(abs(p - q) for p, q in zip(a, b)), SEPARATION, (a, b))

    def test_the_same_modules_give_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as again:
            build(again)
            for name in ("showcase.zip", "test.zip", "test-colours.tsv"):
                with open(os.path.join(self.out, name), "rb") as a, open(os.path.join(again, name), "rb") as b:
                    self.assertEqual(a.read(), b.read(), name)

    def test_a_picture_or_description_given_twice_is_refused(self):
        theme = Theme("test")
        theme.picture("p", 2, 2, None)
        with self.assertRaises(AssertionError):
            theme.picture("p", 2, 2, None)
        theme.control("button", "b")
        with self.assertRaises(AssertionError):
            theme.control("button", "b")


if __name__ == "__main__":
    unittest.main()
