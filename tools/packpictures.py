#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""roomtour's pictures for its page: an element holding a JSON object of
each picture's path in the program's files and its bytes gzipped (no name,
no time: the same pictures give the same bytes) in base64.

    packpictures.py FOLDER IMAGE...   each IMAGE's path is taken from FOLDER
"""
import base64
import gzip
import json
import os
import sys


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    folder, files = argv[1], {}
    for image in sorted(argv[2:]):
        with open(image, "rb") as f:
            packed = gzip.compress(f.read(), compresslevel=9, mtime=0)
        files["/" + os.path.relpath(image, folder)] = base64.b64encode(packed).decode("ascii")
    sys.stdout.write('<script type="application/json" id="pictures">%s</script>\n'
                     % json.dumps(files, separators=(",", ":")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
