#!/usr/bin/env python3
"""Writes a 32 x 32 monochrome cursor file (a filled square with its hot spot
in the corner) for the cursor-loading test's resource module."""
import struct
import sys

SIZE = 32
xor_rows = []
and_rows = []
for y in range(SIZE):
    inside = 4 <= y < 28
    # XOR 0 and AND 0 draw black; AND 1 leaves the screen as it is.
    xor_rows.append(b"\x00\x00\x00\x00")
    and_rows.append(b"\xf0\x00\x00\x0f" if inside else b"\xff\xff\xff\xff")
image = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
image += struct.pack("<II", 0x000000, 0xFFFFFF)  # colour table: black, white
image += b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))  # rows bottom-up
header = struct.pack("<HHH", 0, 2, 1)
entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 0, 0, len(image), 6 + 16)
with open(sys.argv[1], "wb") as f:
    f.write(header + entry + image)
