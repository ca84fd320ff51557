# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Runs the Windows programs under Debian's wine64 on the e2e tests' Xvfb.

Everything that knows about wine is here: its prefix (booted once, then
reused), the environment, starting a program, and what works differently
from the Linux programs: wine draws each window's frame itself, with the
picture in a child window, and keys reach that only after a click in it.
freeglut's menu is chosen as on Linux, by two clicks of the right button.
"""
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from xsession import MENU_ENTRIES, TITLES, Program, wait_for  # noqa: E402

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
PREFIX = os.environ.get("WINEPREFIX", os.path.join(os.path.dirname(__file__), "../../build-windows/wine"))


def environment(server):
    """The server's environment with the prefix. Without mscoree and mshtml a
    new prefix boots in seconds: they would install .NET and Gecko first.
    wine reads Linux file names in the locale's character set, so a folder
    named in UTF-8 needs a UTF-8 locale."""
    return dict(server.env, WINEPREFIX=os.path.abspath(PREFIX), WINEDLLOVERRIDES="mscoree,mshtml=",
                WINEDEBUG="-all", LC_ALL="C.UTF-8")


def boot(server):
    """Makes the prefix on first use; later runs find it made."""
    if not os.path.exists(os.path.join(PREFIX, "system.reg")):
        subprocess.run([WINE, "wineboot", "--init"], env=environment(server), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)


def stop(server):
    """Ends every program in the prefix and waits for its wineserver to go."""
    env = environment(server)
    subprocess.run([WINESERVER, "-k"], env=env, stderr=subprocess.DEVNULL, timeout=60)
    subprocess.run([WINESERVER, "-w"], env=env, timeout=60)


def run(server, folder, program, *args):
    """Runs a console program to its end; returns its exit code and standard output."""
    done = subprocess.run([WINE, program, *args], cwd=folder, env=environment(server),
                          capture_output=True, timeout=300)
    return done.returncode, done.stdout


class WineProgram(Program):
    """roomtour.exe or planets.exe under wine, started in `folder`."""

    def __init__(self, server, name, folder, timeout=60.0):
        self.server = server
        self.title = TITLES[name]
        self.entries = MENU_ENTRIES[name]
        self.timeout = timeout
        self.out = tempfile.TemporaryFile()
        self.process = subprocess.Popen([WINE, name + ".exe"], cwd=folder, env=environment(server),
                                        stdout=self.out, stderr=subprocess.DEVNULL)
        self.window = wait_for("the window titled " + self.title, self._find_window, timeout)
        wait_for("the window's first frame", self._drawn, timeout)

    def _find_window(self):
        """The picture of the program's window: wine draws the window's
        frame itself, with the picture in a child window. (The Linux
        program's window has the same title and no child.)"""
        if self.process.poll() is not None:
            raise AssertionError("the program ended with %s" % self.process.returncode)
        for frame in self.server.run("xdotool", "search", "--name", "^%s$" % re.escape(self.title),
                                     check=False).split():
            tree = self.server.run("xwininfo", "-children", "-id", frame, check=False)
            found = re.search(r"^\s+\d+ child(?:ren)?:\s+(0x[0-9a-f]+) ", tree, re.M)
            if found:
                return found.group(1)
        return None

    def close(self, timeout):
        """The picture is wine's child window, which takes no close request:
        the program is terminated (stop(server) ends the prefix whole)."""
        self.process.terminate()
        return self.process.wait(timeout=timeout)

    def _menu(self):
        """wine keeps the menu's window on the screen at 1 x 1 while it is closed."""
        return [window for window in super()._menu() if self.server.geometry(window)[3] > 1]

    def geometry(self):
        """x, y, width, height of the picture on the screen. (xdotool counts
        a window's offset twice when its parent is not the root, as wine's
        client areas are.)"""
        info = self.server.run("xwininfo", "-id", self.window)
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                value("Height"))

    def keys(self, *names, delay=25):
        """A click of the left button (which the programs ignore) gives the
        window the keyboard while the pointer stays on it; keys sent to a
        window by id never reach it."""
        x, y, width, height = self.geometry()
        self.server.run("xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "click", "1")
        self.server.run("xdotool", "key", "--delay", str(delay), *names)
        self.server.run("xdotool", "mousemove", "0", "0")
