"""The theme builder of the gallery: collects pictures, fonts, colours and
control descriptions from the kind modules, and writes skin.xml, the
pictures and the ZIP package.

Two variants are built from the same calls:
- "showcase": the pictures as the kind modules paint them;
- "test": every picture a solid colour of its own, at the showcase size, so
  that one screen pixel tells which picture was drawn. Theme colours that a
  test wants to tell apart (text colours, frame lines) get colours of their
  own too, and so do the cells of a picture made of cells (the scroll-bar
  sheet). The colour of each is written to a table (colours.tsv).
"""
import hashlib
import os
import zipfile
from xml.sax.saxutils import quoteattr

from skin_pictures import bmp24, png, solid

TIMESTAMP = (2015, 6, 1, 12, 0, 0)

# Colours a unique test colour keeps clear of: the picture key, white and
# black (text, edges), and the greys of the system look (Wine's button face,
# shadows, highlight), so that nothing the system draws passes for a picture.
RESERVED = [(255, 0, 255), (255, 255, 255), (0, 0, 0), (240, 240, 240), (212, 208, 200), (160, 160, 160),
            (128, 128, 128), (105, 105, 105), (227, 227, 227), (0, 120, 215), (51, 153, 255), (10, 36, 106)]
# The smallest difference, in one channel at least, between two test colours.
SEPARATION = 28


class Element:
    """An XML element of skin.xml: a tag, attributes in the given order, children."""

    def __init__(self, tag, attributes=(), children=()):
        self.tag = tag
        self.attributes = list(attributes.items()) if isinstance(attributes, dict) else list(attributes)
        self.children = list(children)

    def xml(self, indent):
        pad = "\t" * indent
        attrs = "".join(" %s=%s" % (name, quoteattr(str(value))) for name, value in self.attributes)
        if not self.children:
            return "%s<%s%s />\n" % (pad, self.tag, attrs)
        inner = "".join(child.xml(indent + 1) for child in self.children)
        return "%s<%s%s>\n%s%s</%s>\n" % (pad, self.tag, attrs, inner, pad, self.tag)


def item(kind, attributes=(), children=()):
    """A drawing item (image, text, rectangle, line, ...) of a control."""
    return Element(kind, attributes, children)


def rgb(colour):
    return "RGB(%d,%d,%d)" % tuple(colour[:3])


class Theme:
    def __init__(self, variant):
        assert variant in ("showcase", "test")
        self.variant = variant
        self.test = variant == "test"
        self.pictures = {}   # id -> (entry name, width, height, PNG bytes)
        self.fonts = []      # Elements of the font section
        self.colours = []    # Elements of the colour section
        self.controls = []   # Elements of the control section
        self.settings = {}   # the shared window settings (class comwnd): attribute -> value
        self.table = []      # (colour, kind of entry, name, width, height) of the test variant
        self.cell_layout = {}  # test variant: picture id -> [(cell name, x, y, size)] of its cells
        self._taken = list(RESERVED)
        self._named = {}
        self._ids = set()

    # ----- what kind modules call -----

    def picture(self, picture_id, width, height, paint, bmp=False):
        """Adds a picture; `paint()` returns its rows of (r, g, b, a) and is
        called only for the showcase. `bmp` stores it as a 24-bit BMP, whose
        magenta pixels are its key (the frame's rounded corners need one).
        Returns the id, for descriptions."""
        assert picture_id not in self.pictures, "picture %s defined twice" % picture_id
        assert width > 0 and height > 0
        if self.test:
            colour = self._unique("picture", picture_id, width, height)
            rows = solid(width, height, colour)
        else:
            rows = paint()
            assert len(rows) == height and all(len(r) == width for r in rows), picture_id
        return self._store(picture_id, width, height, rows, bmp)

    def cells(self, picture_id, cell, columns, rows, names, paint, bmp=False):
        """A picture of equal square cells, `columns` x `rows` of `cell`
        pixels (a scroll-bar sheet, drawn from by cell). `names(column, row)`
        names the cells a skin draws from (None for a cell no one uses). In
        the test variant each named cell is a colour of its own, in the
        table as "<picture_id>.<name>" (kind "cell"), and the rest of the
        picture the picture's own colour. Returns the id."""
        assert picture_id not in self.pictures, "picture %s defined twice" % picture_id
        width, height = cell * columns, cell * rows
        if not self.test:
            pixels = paint()
            assert len(pixels) == height and all(len(r) == width for r in pixels), picture_id
            return self._store(picture_id, width, height, pixels, bmp)
        pixels = solid(width, height, self._unique("picture", picture_id, width, height))
        layout = []
        for row in range(rows):
            for column in range(columns):
                name = names(column, row)
                if name is None:
                    continue
                colour = self._unique("cell", "%s.%s" % (picture_id, name), cell, cell) + (255,)
                for y in range(row * cell, (row + 1) * cell):
                    pixels[y][column * cell:(column + 1) * cell] = [colour] * cell
                layout.append((name, column * cell, row * cell, cell))
        self.cell_layout[picture_id] = layout
        return self._store(picture_id, width, height, pixels, bmp)

    def _store(self, picture_id, width, height, rows, bmp):
        if bmp:
            data = bmp24(width, height, [[p[:3] for p in row] for row in rows])
        else:
            data = png(width, height, rows)
        entry = "skin/%s.%s" % (picture_id, "bmp" if bmp else "png")
        self.pictures[picture_id] = (entry, width, height, data)
        return picture_id

    def colour(self, name, showcase):
        """A colour value of a description: `showcase` (r, g, b) there, a
        unique colour named `name` in the test table otherwise."""
        if not self.test:
            return rgb(showcase)
        return rgb(self._unique("colour", name, 0, 0))

    def font(self, font_id, face, size, bold=False):
        self.fonts.append(Element("item", [("id", font_id), ("fontface", face), ("fontsize", size)]
                                  + ([("bold", "true")] if bold else [])))
        return font_id

    def control(self, cls, control_id, attributes=None, items=(), layout=None, children=()):
        """A control description: its class, id, the `attribute` element's
        attributes, its drawing items, and further child elements."""
        assert control_id not in self._ids, "control %s described twice" % control_id
        self._ids.add(control_id)
        head = [("class", cls), ("id", control_id)] + list((layout or {}).items())
        body = [Element("attribute", attributes)] if attributes else []
        self.controls.append(Element("item", head, body + list(children) + list(items)))

    # ----- output -----

    def skin_xml(self):
        images = [Element("item", [("id", pid), ("value", entry.replace("/", "\\"))])
                  for pid, (entry, _, _, _) in sorted(self.pictures.items())]
        controls = list(self.controls)
        if self.settings:
            controls.append(Element("item", [("class", "comwnd")],
                                    [Element("attribute", sorted(self.settings.items()))]))
        sections = [Element("manifest", [("folder", "skin")]), Element("font", children=self.fonts),
                    Element("color", children=self.colours), Element("image", children=images),
                    Element("constrol", children=controls)]
        # Sections without items are left out; their order is the format's.
        body = "".join(section.xml(1) for section in sections if section.children or section.tag == "manifest")
        return '<?xml version="1.0" encoding="utf-8"?>\n<theme version="3.0">\n%s</theme>\n' % body

    def write(self, folder, package):
        """The unpacked theme into `folder` (for looking at) and the package."""
        os.makedirs(os.path.join(folder, "skin"), exist_ok=True)
        entries = [("skin.xml", self.skin_xml().encode("utf-8"))]
        entries += [(entry, data) for entry, _, _, data in sorted(self.pictures.values())]
        for name, data in entries:
            with open(os.path.join(folder, *name.split("/")), "wb") as f:
                f.write(data)
        temporary = package + ".tmp"
        with zipfile.ZipFile(temporary, "w") as archive:
            for name, data in entries:
                info = zipfile.ZipInfo(name, TIMESTAMP)
                info.create_system = 0
                info.external_attr = 0x20
                archive.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
        os.replace(temporary, package)

    def write_table(self, path):
        """The test colours: `RRGGBB kind name width height` a line."""
        with open(path, "w") as f:
            f.write("# colour kind name width height (written by make-gallery-themes.py)\n")
            for colour, kind, name, width, height in sorted(self.table, key=lambda r: (r[1], r[2])):
                f.write("%02X%02X%02X %s %s %d %d\n" % (colour + (kind, name, width, height)))

    # ----- unique colours -----

    def _unique(self, kind, name, width, height):
        """A colour from the name's hash, away from every colour taken, so
        it stays the same when other pictures come and go (mostly). One
        name keeps one colour."""
        if (kind, name) in self._named:
            return self._named[(kind, name)]
        for attempt in range(1000):
            digest = hashlib.sha1(("%s:%s:%d" % (kind, name, attempt)).encode("utf-8")).digest()
            colour = tuple(digest[:3])
            if all(max(abs(a - b) for a, b in zip(colour, taken)) >= SEPARATION for taken in self._taken):
                self._taken.append(colour)
                self.table.append((colour, kind, name, width, height))
                self._named[(kind, name)] = colour
                return colour
        raise RuntimeError("no free test colour for " + name)
