#!/usr/bin/env python3
"""Builds the control gallery's two themes, in the manner of the installer's
skin (make-skin-images.py, make-skin-package.py), from the kind modules in
scripts/gallery_theme/kinds/ (one module per control kind, each with a
build(theme) function; every module there is used, in name order):

  OUTPUT/showcase.zip          the showcase theme: finished-looking pictures
  OUTPUT/test.zip              the test theme: every picture a solid colour of its own
  OUTPUT/test-colours.tsv      the test theme's colours: colour, kind, name, size
  OUTPUT/showcase/, OUTPUT/test/   the same themes unpacked, for looking at

Only the standard library; the same modules always give the same bytes.
Usage: make-gallery-themes.py OUTPUT
"""
import importlib
import os
import pkgutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from gallery_theme import kinds  # noqa: E402
from gallery_theme.theme import Theme  # noqa: E402


def kind_modules():
    names = sorted(m.name for m in pkgutil.iter_modules(kinds.__path__) if not m.name.startswith("_"))
    return [importlib.import_module("gallery_theme.kinds." + name) for name in names]


def build(variant):
    theme = Theme(variant)
    for module in kind_modules():
        module.build(theme)
    return theme


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for variant in ("showcase", "test"):
        theme = build(variant)
        theme.write(os.path.join(out, variant), os.path.join(out, variant + ".zip"))
        if theme.test:
            theme.write_table(os.path.join(out, "test-colours.tsv"))
    print("wrote the gallery themes to %s" % out)


if __name__ == "__main__":
    main()
