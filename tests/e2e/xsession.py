# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Drives the real programs under a private Xvfb, as a person would.

Each XServer is a display of its own, so tests can run side by side and never
send keys or clicks to a desktop. Screenshots are read with ImageMagick's
`import`, keys and clicks sent with xdotool. A program is ended as a person
ends it, by asking its window to close (python3-xlib), so that it leaves
through exit() with no frame half drawn.

Nothing here sleeps for a fixed time: every wait polls for what it needs (a
window, a first frame, a changed or a still picture, the menu, a line of
output) until a generous deadline, so a busy machine is only slower.
"""
import os
import re
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay, error as xerror, protocol

BIN_DIR = os.environ.get("VIEWER_BIN_DIR", os.path.join(os.path.dirname(__file__), "../../build/bin"))
SOURCE_DIR = os.environ.get("VIEWER_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
# Each program's window title and the number of entries in its menu.
TITLES = {"roomtour": "HARQ514 Final Project", "planets": "Quibblerama!"}
MENU_ENTRIES = {"roomtour": 1, "planets": 5}
# freeglut's menu: entries share its height equally inside a border this wide.
MENU_BORDER = 2


def wait_for(what, probe, timeout=30.0, interval=0.02):
    """Calls probe until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %g s waiting for %s" % (timeout, what))
        time.sleep(interval)


class XServer:
    """A display of its own, as scripts/with-xvfb starts one (it picks the
    free display): it lasts until stop(), or until this process ends and
    the pipe that keeps it closes."""

    def __init__(self, width=1024, height=768):
        self.process = subprocess.Popen(
            [os.path.join(SOURCE_DIR, "scripts", "with-xvfb"), "-s", "%dx%dx24" % (width, height),
             "sh", "-c", 'echo "$DISPLAY"; exec cat >/dev/null'],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.display = self.process.stdout.readline().strip()
        if not self.display:
            self.process.wait()
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=self.display)

    def run(self, *args, check=True):
        return subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                              timeout=60).stdout

    def geometry(self, window):
        """x, y, width, height of a window's client area on the screen."""
        values = dict(line.split("=", 1) for line in
                      self.run("xdotool", "getwindowgeometry", "--shell", window).split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)
        self.process.stdout.close()


def read_ppm(data):
    """Width, height and RGB bytes of a binary PPM."""
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    if not match or match.group(3) != b"255":
        raise ValueError("not a binary PPM of 8-bit samples")
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():match.end() + width * height * 3]


class Picture:
    """A screenshot; pixel rows run top to bottom as on the screen."""

    def __init__(self, data):
        self.width, self.height, self.rgb = read_ppm(data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def lit_pixels(self, threshold=24):
        """How many pixels have any channel above threshold."""
        rgb = self.rgb
        return sum(1 for i in range(0, len(rgb), 3) if max(rgb[i], rgb[i + 1], rgb[i + 2]) > threshold)

    def lit_share(self, threshold=24):
        return self.lit_pixels(threshold) / (self.width * self.height)


class Program:
    """One of the viewers, started on an XServer in a working directory."""

    def __init__(self, server, name, cwd=None, wrapper=(), timeout=30.0):
        """`wrapper` goes before the program on its command line (valgrind, say);
        `timeout` bounds every wait for the program."""
        self.server = server
        self.title = TITLES[name]
        self.entries = MENU_ENTRIES[name]
        self.timeout = timeout
        self.out = tempfile.TemporaryFile()
        self.process = subprocess.Popen([*wrapper, os.path.join(BIN_DIR, name)],
                                        cwd=cwd or SOURCE_DIR, env=server.env, stdout=self.out,
                                        stderr=subprocess.DEVNULL)
        self.window = wait_for("the window titled " + self.title, self._find_window, timeout)
        wait_for("the window's first frame", self._drawn, timeout)

    def _find_window(self):
        if self.process.poll() is not None:
            raise AssertionError("the program ended with %s" % self.process.returncode)
        found = self.server.run("xdotool", "search", "--name", "^%s$" % re.escape(self.title),
                                check=False).split()
        return found[0] if found else None

    def _drawn(self):
        """A mapped window stays black until the program's first frame."""
        try:
            rgb = self.screenshot().rgb
        except (subprocess.CalledProcessError, ValueError):
            return False
        return rgb.count(0) < len(rgb)

    def alive(self):
        return self.process.poll() is None

    def name(self):
        return self.server.run("xdotool", "getwindowname", self.window).strip()

    def geometry(self):
        return self.server.geometry(self.window)

    def keys(self, *names, delay=25):
        self.server.run("xdotool", "key", "--window", self.window, "--delay", str(delay), *names)

    def type(self, text, delay=10):
        self.server.run("xdotool", "type", "--window", self.window, "--delay", str(delay), "--", text)

    def _menu(self):
        return self.server.run("xdotool", "search", "--onlyvisible", "--name", "freeglut menu",
                               check=False).split()

    def choose(self, entry):
        """Selects menu entry number `entry` (from 0).

        A click of the right button opens freeglut's menu as a window of its
        own; a second click of the right button over an entry chooses it.
        freeglut takes the entry from where that click lands, so the click
        can follow as soon as the menu is on the screen: moving the pointer
        first and waiting for the entry's highlight adds nothing, and under
        valgrind the highlight is at times drawn minutes late.
        """
        x, y, width, height = self.geometry()
        self.server.run("xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "click", "--delay", "0", "3")
        menu = wait_for("the menu", self._menu, self.timeout)[0]
        mx, my, _, mh = self.server.geometry(menu)
        row = MENU_BORDER + int((mh - 2 * MENU_BORDER) / self.entries * (entry + 0.5))
        self.server.run("xdotool", "mousemove", str(mx + 20), str(my + row),
                        "click", "--delay", "0", "3")
        wait_for("the menu to close", lambda: not self._menu(), self.timeout)
        # Park the pointer away from the window so it never hides part of a screenshot.
        self.server.run("xdotool", "mousemove", "0", "0")

    def screenshot_bytes(self):
        return subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"],
                              env=self.server.env, check=True, capture_output=True, timeout=60).stdout

    def screenshot(self):
        return Picture(self.screenshot_bytes())

    def changed(self, before, what="the picture to change"):
        """Polls until a screenshot differs from `before`; returns it."""
        def probe():
            picture = self.screenshot()
            return picture if picture.rgb != before.rgb else None
        return wait_for(what, probe, self.timeout)

    def steady(self, what="the picture to hold still"):
        """Polls until two screenshots in a row agree; returns the picture."""
        last = [self.screenshot()]

        def probe():
            picture, previous = self.screenshot(), last[0]
            last[0] = picture
            return picture if picture.rgb == previous.rgb else None
        return wait_for(what, probe, self.timeout)

    def moved(self, before, what="the picture to change"):
        """The still picture after one that differs from `before`: whatever
        was sent has been handled and drawn."""
        self.changed(before, what)
        return self.steady()

    def output(self):
        self.out.seek(0)
        return self.out.read().decode("latin-1")

    def output_when(self, expected):
        """What the program has printed once it is `expected`, or once it
        cannot become that or the deadline has passed."""
        try:
            wait_for("the output %r" % expected, lambda: not expected.startswith(self.output())
                     or self.output() == expected, self.timeout)
        except AssertionError:
            pass
        return self.output()

    def resize(self, width, height):
        self.server.run("xdotool", "windowsize", self.window, str(width), str(height))

    def resident_kib(self):
        """The resident memory of the program's process, in KiB."""
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return 0

    def close(self, timeout):
        """Asks the window to close, as a window manager's close button does
        (a WM_DELETE_WINDOW message), and waits for the program to end. Its
        exit code; subprocess.TimeoutExpired if it is still running then."""
        connection = xdisplay.Display(self.server.display)
        try:
            window = connection.create_resource_object("window", int(self.window, 0))
            message = protocol.event.ClientMessage(
                window=window, client_type=connection.intern_atom("WM_PROTOCOLS"),
                data=(32, [connection.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
            window.send_event(message, event_mask=X.NoEventMask)
            connection.sync()
        finally:
            connection.close()
        return self.process.wait(timeout=timeout)

    def stop(self, timeout=10):
        """Closes the window; a program that does not end by then is
        terminated, so nothing outlives the test."""
        if self.alive():
            try:
                self.close(timeout)
            except (subprocess.TimeoutExpired, xerror.XError):
                self.process.terminate()
                self.process.wait(timeout=timeout)
        self.out.close()
