#!/usr/bin/env python3
"""Builds the installer's skin package (the ZIP embedded as resource DATA 129).

The entries, their order and their methods are fixed: the theme skin.xml
deflated, the folder entry "skin/", then the pictures of res/skin/skin/,
most stored and two deflated. Timestamps are fixed so that the same inputs
give the same bytes.
Usage: make-skin-package.py --source res/skin --output skin.zip
"""
import argparse
import os
import sys
import zipfile

# (entry name, method) in archive order.
ENTRIES = [
    ("skin.xml", zipfile.ZIP_DEFLATED),
    ("skin/", zipfile.ZIP_STORED),
    ("skin/btn_close_down.png", zipfile.ZIP_STORED),
    ("skin/btn_close_hit.png", zipfile.ZIP_STORED),
    ("skin/btn_close_nor.png", zipfile.ZIP_STORED),
    ("skin/btn_min_down.png", zipfile.ZIP_STORED),
    ("skin/btn_min_hit.png", zipfile.ZIP_STORED),
    ("skin/btn_min_nor.png", zipfile.ZIP_DEFLATED),
    ("skin/done.png", zipfile.ZIP_STORED),
    ("skin/done_s.png", zipfile.ZIP_STORED),
    ("skin/install.png", zipfile.ZIP_STORED),
    ("skin/install_s.png", zipfile.ZIP_STORED),
    ("skin/PromptBk.bmp", zipfile.ZIP_DEFLATED),
    ("skin/warning.png", zipfile.ZIP_STORED),
    ("skin/warning_s.png", zipfile.ZIP_STORED),
]

TIMESTAMP = (2015, 6, 1, 12, 0, 0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True, help="folder holding skin.xml and skin/")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    temporary = args.output + ".tmp"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, method in ENTRIES:
            info = zipfile.ZipInfo(name, TIMESTAMP)
            info.compress_type = method
            info.create_system = 0  # MS-DOS attributes
            if name.endswith("/"):
                info.external_attr = 0x10  # directory
                archive.writestr(info, b"")
                continue
            info.external_attr = 0x20  # archive
            path = os.path.join(args.source, *name.split("/"))
            try:
                with open(path, "rb") as f:
                    data = f.read()
            except OSError as error:
                sys.exit("make-skin-package: %s" % error)
            archive.writestr(info, data, compress_type=method, compresslevel=9)
    os.replace(temporary, args.output)


if __name__ == "__main__":
    main()
