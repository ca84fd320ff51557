#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""roomtour's pictures for its page: an element holding a JSON object of
each picture's path in the program's files and its bytes, packed, in base64.

A plain 24-bit TGA (no ID field, no colour map, no footer) goes in as its
18-byte header and its pixel bytes as a PNG, made smallest by zopflipng:
the pixel bytes in file order taken as an RGB image of the TGA's width and
height (the file's first row is the PNG's first row, and its B, G, R bytes
are the PNG's R, G, B), so the page puts them back in order as they come,
knowing nothing of TGA. PNG's filters pack these pictures a seventh smaller
than gzip. Any other file goes in gzipped by zopfli, as it is.

    {"/img/a.tga": {"header": BASE64, "png": BASE64}, "/img/b.tga": {"gzip": BASE64}}

Neither carries a name or a time: the same pictures give the same bytes.

    packpictures.py FOLDER IMAGE...   each IMAGE's path is taken from FOLDER
"""
import base64
import concurrent.futures
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HEADER = 18


def pixels_of(data):
    """The TGA's header and its width and height, if it is a plain 24-bit
    TGA whose pixels are all that follows the header; else None."""
    if len(data) < HEADER:
        return None
    id_length, colour_map, kind = data[0], data[1], data[2]
    width, height, depth = struct.unpack("<HHB", data[12:17])
    if (id_length, colour_map, kind, depth) != (0, 0, 2, 24) or not width or not height:
        return None
    if len(data) != HEADER + width * height * 3:
        return None
    return width, height


def plain_png(width, height, rgb):
    """An RGB PNG of the bytes, each row unfiltered: zopflipng chooses."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body)))
    row = width * 3
    rows = b"".join(b"\0" + rgb[y * row:(y + 1) * row] for y in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def pack(image):
    with open(image, "rb") as f:
        data = f.read()
    size = pixels_of(data)
    if size is None:
        packed = subprocess.run(["zopfli", "--gzip", "-c", image], check=True,
                                stdout=subprocess.PIPE).stdout
        return {"gzip": base64.b64encode(packed).decode("ascii")}
    with tempfile.TemporaryDirectory() as folder:
        plain, small = os.path.join(folder, "plain.png"), os.path.join(folder, "small.png")
        with open(plain, "wb") as f:
            f.write(plain_png(*size, data[HEADER:]))
        subprocess.run(["zopflipng", "-m", "-y", plain, small], check=True,
                       stdout=subprocess.DEVNULL)
        with open(small, "rb") as f:
            png = f.read()
    return {"header": base64.b64encode(data[:HEADER]).decode("ascii"),
            "png": base64.b64encode(png).decode("ascii")}


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    folder, images = argv[1], sorted(argv[2:])
    for tool in ("zopfli", "zopflipng"):
        if not shutil.which(tool):
            sys.stderr.write("packpictures.py needs %s (scripts/install-deps web installs it)\n" % tool)
            return 1
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        packed = list(pool.map(pack, images))
    files = {"/" + os.path.relpath(image, folder): p for image, p in zip(images, packed)}
    sys.stdout.write('<script type="application/json" id="pictures">%s</script>\n'
                     % json.dumps(files, separators=(",", ":")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
