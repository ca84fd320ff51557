"""Drives the real programs under a private Xvfb, as a person would.

Each XServer is a display of its own, so tests can run side by side and never
send keys or clicks to a desktop. Screenshots are read with ImageMagick's
`import`, keys and clicks sent with xdotool.
"""
import os
import re
import subprocess
import tempfile
import time

BIN_DIR = os.environ.get("VIEWER_BIN_DIR", os.path.join(os.path.dirname(__file__), "../../build/bin"))
SOURCE_DIR = os.environ.get("VIEWER_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))


def wait_for(what, probe, timeout=20.0, interval=0.1):
    """Calls probe until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class XServer:
    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)

    def run(self, *args, check=True):
        return subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                              timeout=60).stdout

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


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

    def lit_share(self, threshold=24):
        """The share of pixels with any channel above threshold."""
        pixels = len(self.rgb) // 3
        lit = sum(1 for i in range(0, len(self.rgb), 3)
                  if max(self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]) > threshold)
        return lit / pixels


class Program:
    """One of the viewers, started on an XServer in a working directory."""

    def __init__(self, server, name, title, cwd=None, wrapper=(), timeout=20.0):
        """`wrapper` goes before the program on its command line (valgrind, say)."""
        self.server = server
        self.title = title
        self.out = tempfile.TemporaryFile()
        self.process = subprocess.Popen([*wrapper, os.path.join(BIN_DIR, name)],
                                        cwd=cwd or SOURCE_DIR, env=server.env, stdout=self.out,
                                        stderr=subprocess.DEVNULL)
        self.window = wait_for("the window titled " + title, self._find_window, timeout)
        wait_for("the window to be drawn", lambda: self._drawn(), timeout)

    def _find_window(self):
        if self.process.poll() is not None:
            raise AssertionError("the program ended with %s" % self.process.returncode)
        found = self.server.run("xdotool", "search", "--name", "^%s$" % re.escape(self.title),
                                check=False).split()
        return found[0] if found else None

    def _drawn(self):
        try:
            self.screenshot()
            return True
        except (subprocess.CalledProcessError, ValueError):
            return False

    def alive(self):
        return self.process.poll() is None

    def name(self):
        return self.server.run("xdotool", "getwindowname", self.window).strip()

    def geometry(self):
        """x, y, width, height of the window's client area on the screen."""
        text = self.server.run("xdotool", "getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in text.split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def keys(self, *names, delay=25):
        self.server.run("xdotool", "key", "--window", self.window, "--delay", str(delay), *names)

    def type(self, text, delay=10):
        self.server.run("xdotool", "type", "--window", self.window, "--delay", str(delay), "--", text)

    def choose(self, entry, entries):
        """Selects menu entry number `entry` (from 0) of a menu with `entries` entries.

        A click of the right button opens freeglut's menu as a window of its
        own; a second click of the right button over an entry chooses it.
        """
        x, y, width, height = self.geometry()
        self.server.run("xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "click", "3")
        menu = wait_for("the menu", lambda: self.server.run(
            "xdotool", "search", "--onlyvisible", "--name", "freeglut menu", check=False).split())
        values = dict(line.split("=", 1) for line in self.server.run(
            "xdotool", "getwindowgeometry", "--shell", menu[0]).split())
        mx, my, mh = int(values["X"]), int(values["Y"]), int(values["HEIGHT"])
        border = 2
        step = (mh - 2 * border) / entries
        target_y = my + border + int(step * (entry + 0.5))
        self.server.run("xdotool", "mousemove", str(mx + 20), str(target_y))
        time.sleep(0.3)
        self.server.run("xdotool", "click", "3")
        wait_for("the menu to close", lambda: not self.server.run(
            "xdotool", "search", "--onlyvisible", "--name", "freeglut menu", check=False).split())
        # Park the pointer away from the window so it never hides part of a screenshot.
        self.server.run("xdotool", "mousemove", "0", "0")

    def screenshot_bytes(self):
        return subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"], env=self.server.env,
                              check=True, capture_output=True, timeout=60).stdout

    def screenshot(self):
        return Picture(self.screenshot_bytes())

    def settle(self, seconds=0.5):
        """Gives the program time to handle what it was sent and draw again."""
        time.sleep(seconds)

    def output(self):
        self.out.seek(0)
        return self.out.read().decode("latin-1")

    def resize(self, width, height):
        self.server.run("xdotool", "windowsize", self.window, str(width), str(height))

    def resident_kib(self):
        """The resident memory of the program's process, in KiB."""
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return 0

    def stop(self, timeout=10):
        if self.alive():
            self.process.terminate()
            self.process.wait(timeout=timeout)
        self.out.close()
