#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""roomtour's pictures for its page: an element holding a JSON object of
each picture's path in the program's files and its bytes gzipped (no name,
no time: the same pictures give the same bytes) in base64. Zopfli packs
them, a tenth smaller than gzip -9 and read by the same inflate.

    packpictures.py FOLDER IMAGE...   each IMAGE's path is taken from FOLDER
"""
import base64
import json
import os
import shutil
import subprocess
import sys


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    folder, files = argv[1], {}
    if not shutil.which("zopfli"):
        sys.stderr.write("packpictures.py needs zopfli (scripts/install-deps web installs it)\n")
        return 1
    for image in sorted(argv[2:]):
        packed = subprocess.run(["zopfli", "--gzip", "-c", image], check=True,
                                stdout=subprocess.PIPE).stdout
        files["/" + os.path.relpath(image, folder)] = base64.b64encode(packed).decode("ascii")
    sys.stdout.write('<script type="application/json" id="pictures">%s</script>\n'
                     % json.dumps(files, separators=(",", ":")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
