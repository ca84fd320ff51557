# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Packs square PNG pictures into one Windows .ico, each stored as it is.

    make_ico.py OUT.ico PICTURE.png...

Windows Vista and later read PNG-compressed icon images of any size. The
images go in by size, smallest first, so the same pictures give the same bytes.
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    return struct.unpack(">II", data[16:24])


def main(out, paths):
    images = []
    for path in paths:
        with open(path, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width != height or width > 256:
            raise ValueError("%s is %dx%d, not square and at most 256" % (path, width, height))
        images.append((width, data))
    images.sort(key=lambda image: image[0])
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries, blobs = b"", b""
    for side, data in images:
        # A side of 256 is written as 0; 32 bits a pixel, one plane.
        entries += struct.pack("<BBBBHHII", side % 256, side % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(head + entries + blobs)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: make_ico.py OUT.ico PICTURE.png...")
    main(sys.argv[1], sys.argv[2:])
