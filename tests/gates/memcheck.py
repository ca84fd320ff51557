# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""valgrind memcheck of the real programs under Xvfb.

roomtour runs once with its images and once from an empty folder, planets
once; each is driven a little (keys, a menu entry), then stopped. The gate
fails on any memcheck error: an invalid read or write, a use of an
uninitialised value, or a block definitely lost, and when a program does not
end by itself once its window is asked to close (it is then stopped by a
signal, which may cut a frame short and leave Mesa's or freeglut's blocks of
that frame lost). Only Mesa, X and freeglut internals may be suppressed, in
tests/suppressions/valgrind.supp.
"""
import concurrent.futures
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from test_roomtour import MISSING_IMAGES  # noqa: E402
from xsession import SOURCE_DIR, Program, XServer  # noqa: E402

SUPPRESSIONS = os.path.join(SOURCE_DIR, "tests", "suppressions", "valgrind.supp")


def memcheck(name, cwd, expected_output):
    log = tempfile.NamedTemporaryFile(suffix=".log", delete=False).name
    wrapper = ["valgrind", "--leak-check=full", "--show-leak-kinds=definite",
               "--errors-for-leak-kinds=definite", "--num-callers=40", "--keep-debuginfo=yes",
               "--suppressions=" + SUPPRESSIONS, "--log-file=" + log]
    server = XServer()
    program = None
    try:
        program = Program(server, name, cwd=cwd, wrapper=wrapper, timeout=120)
        program.keys("w", "a", "j", "i", "d", "l", "k", "s")
        # The keys are handled before the click that chooses "Reset view".
        program.choose(0)
        output = program.output_when(expected_output)
        alive = program.alive()
        # The leak check runs as the process ends.
        try:
            closed = program.close(timeout=120) == 0
        except subprocess.TimeoutExpired:
            closed = False
    finally:
        if program:
            program.stop()
        server.stop()
    with open(log) as f:
        text = f.read()
    os.unlink(log)
    summary = [line.split("== ", 1)[-1] for line in text.splitlines()
               if re.search(r"(in use at exit|definitely lost|indirectly lost|ERROR SUMMARY)", line)]
    errors = re.search(r"ERROR SUMMARY: (\d+) errors", text)
    ok = alive and closed and errors is not None and errors.group(1) == "0" and output == expected_output
    print("%s %s: %s" % ("ok  " if ok else "FAIL", name if cwd is None else name + " (no images)",
                         "; ".join(summary)))
    if not ok:
        print(text if errors is None or errors.group(1) != "0" else
              "alive: %s, ended when its window was closed: %s, output: %r" % (alive, closed, output))
    return ok


def main():
    with tempfile.TemporaryDirectory() as empty:
        runs = [("roomtour", None, ""), ("roomtour", empty, MISSING_IMAGES), ("planets", None, "")]
        # Two at a time: one a core.
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(lambda run: memcheck(*run), runs))
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
