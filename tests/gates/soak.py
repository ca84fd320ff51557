# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Soak test of a real program under Xvfb: about a minute of a careless user.

Thousands of random keys (printable characters in both cases, inside and
outside the handled ranges, and special keys), menu entries chosen again and
again, and window resizes down to 1 pixel high and back. Afterwards the
process must still run, its resident memory must have stopped growing after
the warm-up, and "Reset view" must give a drawn picture, not a black one.

  soak.py roomtour|planets [seconds] [seed]

Memory is compared only in a run longer than MEMORY_SECONDS; a shorter run
says so and checks the rest.
"""
import os
import random
import string
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from xsession import Program, XServer, wait_for  # noqa: E402

SPECIAL_KEYS = ["Escape", "Return", "Tab", "BackSpace", "Delete", "Up", "Down", "Left", "Right",
                "F1", "F5", "F12", "Home", "Page_Up", "space", "bracketleft", "braceright"]
# Visited in turn, one every RESIZE_EVERY seconds, so that the warm-up (two
# rounds) has seen every window size, and the framebuffers GL allocates for
# them, before memory is compared.
SIZES = [(500, 1), (800, 400), (1, 500), (300, 600), (1, 1), (500, 500)]
RESIZE_EVERY = 2.0
ROUND = RESIZE_EVERY * len(SIZES)
# Memory may grow by this much from the round after the warm-up to the last
# one. Runs of the same program differ by up to about 3 MiB (llvmpipe's
# threads and framebuffers), so this catches growth of some 200 KiB a second
# or more; valgrind's memcheck gate is the one that finds any block lost.
SLACK_KIB = 8192
# The warm-up, then at least a round to compare with it.
MEMORY_SECONDS = 3 * ROUND


def soak(name, seconds, seed):
    rng = random.Random(seed)
    server = XServer()
    program = Program(server, name)
    samples = []  # (seconds since start, resident KiB)
    keys = choices = 0
    step = "starting"
    try:
        start = time.monotonic()
        next_menu, next_resize, resizes = 3.0, RESIZE_EVERY, 0
        while (now := time.monotonic() - start) < seconds:
            text = "".join(rng.choice(string.ascii_letters + string.digits + string.punctuation)
                           for _ in range(150))
            step = "typing %r" % text
            program.type(text, delay=1)
            step = "special keys"
            program.keys(*rng.sample(SPECIAL_KEYS, 4), delay=1)
            keys += len(text) + 4
            if now > next_resize:
                size = SIZES[resizes % len(SIZES)]
                step = "resizing to %d x %d" % size
                program.resize(*size)
                resizes += 1
                next_resize += RESIZE_EVERY
            if now > next_menu:
                step = "choosing a menu entry"
                program.resize(500, 500)  # the menu opens over the window's middle
                program.choose(rng.randrange(program.entries))
                choices += 1
                next_menu = now + 4.0
            samples.append((now, program.resident_kib()))
        step = "resetting the view at the end"
        program.resize(500, 500)
        program.choose(0)  # "Reset view"
        try:
            picture = wait_for("a drawn picture", lambda: (p := program.screenshot()).lit_pixels()
                               > 500 and p, program.timeout)
        except AssertionError:
            picture = program.screenshot()
        if os.environ.get("SOAK_PICTURE"):
            with open(os.environ["SOAK_PICTURE"], "wb") as f:
                f.write(program.screenshot_bytes())
        alive, output = program.alive(), program.output()
    except (subprocess.TimeoutExpired, AssertionError) as e:
        state = "ended" if not program.alive() else open("/proc/%d/stat" % program.process.pid).read()
        print("%s: FAIL while %s after %.0f s: %s; program: %s"
              % (name, step, time.monotonic() - start, e, state))
        return False
    finally:
        program.stop()
        server.stop()

    lit = picture.lit_pixels()
    checks = {
        "still running": alive,
        "nothing printed": output == "" or name == "roomtour" and "Error" not in output,
        "picture drawn after Reset view (%d lit pixels)" % lit: lit > 500,
    }
    warm = [kib for t, kib in samples if 2 * ROUND <= t < MEMORY_SECONDS]
    late = [kib for t, kib in samples if t >= max(seconds - ROUND, MEMORY_SECONDS)]
    if warm and late:
        checks["memory stopped growing (%d KiB after warm-up, %d KiB at the end)"
               % (max(warm), max(late))] = max(late) <= max(warm) + SLACK_KIB
    print("%s: %d keys, %d menu choices in %.0f s, seed %d, resident %s KiB at first"
          % (name, keys, choices, seconds, seed, samples[0][1] if samples else "?"))
    for what, ok in checks.items():
        print("  %s %s" % ("ok  " if ok else "FAIL", what))
    if not (warm and late):
        print("  skip memory not compared: %g s is too short, it needs more than %g s"
              % (seconds, MEMORY_SECONDS))
    return all(checks.values())


def main(argv):
    name = argv[1]
    seconds = float(argv[2]) if len(argv) > 2 else 60
    seed = int(argv[3]) if len(argv) > 3 else 20261208
    return 0 if soak(name, seconds, seed) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
