# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""The browser pages in headless Chromium, against the desktop programs.

Each page is loaded from a local server or straight from the disk and driven
as a person would (keys with no click first, the right-button menu, and on
an emulated phone taps, holds and drags); its canvas is compared with the
desktop's picture at the same pose, drawn in the same run on Mesa under Xvfb
by the same scene code, and its camera and speed with the desktop's to the
float. Every wait polls the page (its frame count, its camera, what it says)
until a generous deadline.

Runs with Debian's python3 (Selenium, chromium-driver): scripts/web test.
"""
import base64
import functools
import gzip
import hashlib
import http.server
import json
import os
import struct
import subprocess
import sys
import tempfile
import threading
import unittest
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from test_roomtour import MISSING_IMAGES  # noqa: E402
from xsession import BIN_DIR, SOURCE_DIR, TITLES, Picture, Program, XServer, wait_for  # noqa: E402

WEB_DIR = os.path.abspath(os.environ.get(
    "VIEWER_WEB_DIR", os.path.join(os.path.dirname(__file__), "../../build-web/site")))
FILES = "file://" + WEB_DIR + "/"
# Where the phone test saves what it sees (portrait and landscape), if set.
PICTURES_DIR = os.environ.get("VIEWER_PICTURES_DIR")
TOOLS_DIR = os.path.join(BIN_DIR, "..", "tools")
# The poses compared, as the keys that reach them from the start; the fan is
# out of view in each. The steep one looks down at the screen and the quilt,
# whose tints show only where the pictures get light.
ROOM_POSES = {"start": "", "turned": "j" * 16, "steep": "j" * 16 + "a" * 15 + "f" * 35 + "i" * 8}
PLANETS_POSES = {"start": "", "above": "f" * 100 + "iiii"}
# A control held this long repeats its key (web/page/input.js).
HOLD_DELAY_MS = 400


class Page:
    """A page of build-web/site in the browser. Nothing is clicked first:
    keys reach the program as soon as it draws."""

    def __init__(self, driver, url):
        self.driver = driver
        driver.get(url)
        self.wait_frames(2)
        self.canvas = driver.find_element(By.ID, "canvas")

    def frames(self):
        return self.driver.execute_script(
            "return window.Module && Module.calledRun ? Module._web_frames() : 0")

    def wait_frames(self, count, after=0):
        """Until `count` more frames than `after` have been drawn."""
        return wait_for("frame %d of the page" % (after + count), lambda: self.frames() >= after + count)

    def keys(self, text):
        before = self.frames()
        ActionChains(self.driver).send_keys(text).perform()
        self.wait_frames(2, before)

    def choose(self, label):
        ActionChains(self.driver).context_click(self.canvas).perform()
        entry = wait_for("the menu entry " + label, lambda: [
            e for e in self.driver.find_elements(By.CSS_SELECTOR, "#menu li") if e.text == label])
        before = self.frames()
        entry[0].click()
        self.wait_frames(2, before)

    def menu_labels(self):
        return [e.get_attribute("textContent")
                for e in self.driver.find_elements(By.CSS_SELECTOR, "#menu li")]

    def read(self, symbol, kind="HEAPF32"):
        """A variable of the program, by its exported symbol."""
        return self.driver.execute_script(
            "return %s[Module._%s >> 2]" % (kind, symbol))

    def camera(self):
        return ["%.9g" % self.read(v) for v in
                ("camera_x", "camera_y", "camera_z", "camera_theta", "camera_pitch")]

    def messages(self):
        return self.driver.find_element(By.ID, "messages").get_attribute("textContent")

    def picture(self):
        """The canvas as drawn by the next frame, read right after it (the
        drawing buffer is not preserved)."""
        data = self.driver.execute_async_script("""
            var done = arguments[arguments.length - 1];
            Page.window.afterNextFrame(function (c) {
              var t = document.createElement('canvas');
              t.width = c.width; t.height = c.height;
              var g = t.getContext('2d');
              g.drawImage(c, 0, 0);
              var d = g.getImageData(0, 0, t.width, t.height).data, s = '';
              for (var i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
              done([t.width, t.height, btoa(s)]);
            });""")
        header = b"P6 %d %d 255\n" % (data[0], data[1])
        return Picture(header + base64.b64decode(data[2]))


def desktop(server, name, keys, menu=()):
    """The desktop scene's camera after the keys and menu choices, to the
    float, and its picture then: drawn on Mesa by the scene's own code (the
    record tool), with keypress and menuFunction called as GLUT calls them."""
    with tempfile.TemporaryDirectory() as folder:
        out = subprocess.run([os.path.join(TOOLS_DIR, "record_" + name), folder + "/frame", "1", "0",
                              keys, *map(str, menu)], cwd=SOURCE_DIR, env=server.env,
                             capture_output=True, text=True, check=True, timeout=60)
        with open(folder + "/frame000.ppm", "rb") as frame:
            return out.stdout.split(), Picture(frame.read())


def share_within(a, b, tolerance):
    """The share of pixels whose channels all differ by at most `tolerance`."""
    same = sum(1 for i in range(0, len(a.rgb), 3)
               if max(abs(a.rgb[i + k] - b.rgb[i + k]) for k in range(3)) <= tolerance)
    return same / (a.width * a.height)


def lit_found_in(a, b, lit=40, tolerance=48):
    """The share of a's lit pixels (a channel above `lit`) that have a pixel of
    about the same colour in b at most one pixel away."""
    found = total = 0
    for y in range(a.height):
        for x in range(a.width):
            p = a.pixel(x, y)
            if max(p) <= lit:
                continue
            total += 1
            found += any(
                max(abs(p[k] - q[k]) for k in range(3)) <= tolerance
                for q in (b.pixel(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)
                          if 0 <= x + dx < b.width and 0 <= y + dy < b.height))
    return found / max(total, 1)


class Chromium:
    """Headless Chromium with WebGL on SwiftShader (or with `flags` more), and
    a profile of its own that goes with it."""

    def __init__(self, *flags):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        self.profile = tempfile.TemporaryDirectory()
        for flag in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=800,800",
                     "--user-data-dir=" + self.profile.name, *flags):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(120)  # the deadline of a wait for the next frame

    def quit(self):
        self.driver.quit()
        self.profile.cleanup()


def problem(driver):
    """What the page says in place of its picture, once it says it."""
    return driver.execute_script("""
        var p = document.getElementById('problem');
        return p && !p.hidden && document.getElementById('canvas').hidden ? p.textContent : '';""")


class Pages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        handler = functools.partial(Quiet, directory=WEB_DIR)
        cls.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=cls.httpd.serve_forever, daemon=True).start()
        cls.base = "http://127.0.0.1:%d/" % cls.httpd.server_address[1]
        cls.chromium = Chromium()
        cls.driver = cls.chromium.driver
        cls.server = XServer()
        cls.figures = []

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()
        cls.httpd.shutdown()
        cls.server.stop()
        print("\n" + "\n".join(cls.figures), file=sys.stderr)

    def open(self, page, base=None):
        return Page(self.driver, (base or self.base) + page)

    def test_roomtour_matches_the_desktop_at_each_pose(self):
        for pose, keys in ROOM_POSES.items():
            page = self.open("roomtour.html", FILES)
            page.keys(keys)
            camera, picture = desktop(self.server, "roomtour", keys)
            self.assertEqual(page.camera(), camera, pose)
            share = share_within(page.picture(), picture, 8)
            self.figures.append("roomtour %s: %.2f %% of pixels within 8 levels" % (pose, 100 * share))
            self.assertGreaterEqual(share, 0.999, pose)

    def test_planets_matches_the_desktop_frozen_at_each_pose(self):
        for pose, keys in PLANETS_POSES.items():
            page = self.open("planets.html", FILES)
            page.keys(keys)
            page.choose("(Un)Freeze Planets")
            camera, picture = desktop(self.server, "planets", keys, menu=[2])
            self.assertEqual(page.camera(), camera, pose)
            web = page.picture()
            shares = lit_found_in(web, picture), lit_found_in(picture, web)
            self.figures.append("planets %s: %.2f %% of the page's lit pixels found on the desktop, "
                                "%.2f %% the other way" % (pose, 100 * shares[0], 100 * shares[1]))
            self.assertGreaterEqual(min(shares), 0.999, pose)

    def test_keys_and_menus_do_what_they_do_on_the_desktop(self):
        room_keys = "wwwAAdffvJJjlliKK]]w{j}}}Lsx1~[[[w"
        page = self.open("roomtour.html")
        self.assertEqual(self.driver.title, TITLES["roomtour"])
        self.assertEqual(page.menu_labels(), ["Reset view"])
        page.keys(room_keys)
        self.assertEqual(page.camera(), desktop(self.server, "roomtour", room_keys)[0])
        steps = page.read("move_speed"), page.read("turn_speed")
        page.choose("Reset view")
        self.assertEqual(page.camera(), ["0", "0", "5", "0", "0"])
        self.assertEqual((page.read("move_speed"), page.read("turn_speed")), steps)

        planet_keys = "wasdfvjlikWASDFVJLIK" * 3 + "x[{"
        page = self.open("planets.html")
        self.assertEqual(self.driver.title, TITLES["planets"])
        self.assertEqual(page.menu_labels(), ["Reset view", "(Un)Freeze Planets", "Speed up 2x",
                                              "Slow down 1/2x", "Normal speed"])
        page.keys(planet_keys)
        self.assertEqual(page.camera(), desktop(self.server, "planets", planet_keys)[0])
        for label, speed in (("Speed up 2x", 2), ("Speed up 2x", 4), ("Slow down 1/2x", 2),
                             ("Normal speed", 1)):
            page.choose(label)
            self.assertEqual(page.read("speed"), speed, label)
        page.choose("(Un)Freeze Planets")
        self.assertEqual(page.read("freeze_planets", "HEAP32"), 1)
        page.choose("Reset view")
        self.assertEqual(page.camera(), ["0", "0", "25", "0", "0"])

    def test_roomtour_without_its_pictures_says_so_and_draws_the_bare_room(self):
        for base in (self.base, FILES):
            page = self.open("roomtour.html?noimages", base)
            wait_for("the ten messages", lambda: page.messages() == MISSING_IMAGES)
            picture = page.picture()
            self.assertGreater(picture.lit_share(), 0.9, base)

    def test_a_lost_picture_or_program_is_said_in_words(self):
        page = self.open("planets.html", FILES)
        # No second context for the picture from outside: its words stay,
        # the page says why, and the program draws on.
        self.driver.execute_script("""
            var getContext = HTMLCanvasElement.prototype.getContext;
            HTMLCanvasElement.prototype.getContext = function (kind, options) {
              return this.id === 'outside' ? null : getContext.call(this, kind, options);
            };
            document.querySelector('[data-action="outside"]').click();""")
        said = wait_for("the refusal", lambda: self.driver.execute_script(
            "var s = document.querySelector('[data-view=\"outside\"] [role=status]'); return s && s.textContent"))
        self.assertIn("no WebGL context of its own", said)
        self.assertTrue(self.driver.execute_script("return document.querySelector('#outside').hidden"))
        page.wait_frames(5, page.frames())
        wait_for("the outside view's words", lambda: self.driver.execute_script(
            "return document.querySelector('[data-view=\"outside\"] [data-words]').textContent"))
        # Its context taken back, once drawn: the same.
        page = self.open("planets.html", FILES)
        self.driver.execute_script("document.querySelector('[data-action=\"outside\"]').click();"
                                   "document.getElementById('outside').getContext('webgl')"
                                   ".getExtension('WEBGL_lose_context').loseContext()")
        self.assertIn("took back the picture from outside", wait_for("the loss", lambda: self.driver.execute_script(
            "var s = document.querySelector('[data-view=\"outside\"] [role=status]'); return s && s.textContent")))
        page.wait_frames(5, page.frames())
        self.driver.execute_script(
            "document.getElementById('canvas').getContext('webgl')"
            ".getExtension('WEBGL_lose_context').loseContext()")
        self.assertIn("The picture was lost", wait_for("the lost context's message",
                                                       lambda: problem(self.driver)))
        self.assertTrue(self.driver.find_element(By.CSS_SELECTOR, "#problem button").is_displayed())

        # The program inside the page, spoilt: it fails as it compiles.
        with open(os.path.join(WEB_DIR, "planets.html")) as f:
            html = f.read()
        start = html.index("data:application/octet-stream;base64,") + 60
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "planets.html"), "w") as f:
                f.write(html[:start] + "A" * 400 + html[start + 400:])
            self.driver.get("file://" + folder + "/planets.html")
            self.assertIn("could not be loaded", wait_for("the load failure's message",
                                                          lambda: problem(self.driver)))

        # Shaders the browser refuses: one that does not compile, and a
        # fragment shader that reads a varying no vertex shader writes, so
        # that linking fails. The page says so, with the browser's reason.
        spoils = (("source.replace('void main', 'void spoilt main')", "syntax error"),
                  ("source.indexOf('gl_FragColor') < 0 ? source : source.replace('void main() {', "
                   "'varying vec4 spoilt;\\nvoid main() {\\n  if (spoilt.x > 2.0) discard;')", "spoilt"))
        for spoil, reason in spoils:
            script = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
                var shaderSource = WebGLRenderingContext.prototype.shaderSource;
                WebGLRenderingContext.prototype.shaderSource = function (shader, source) {
                  shaderSource.call(this, shader, %s);
                };""" % spoil})
            try:
                self.driver.get(FILES + "planets.html")
                said = wait_for("the shader's message", lambda: problem(self.driver))
            finally:
                self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
            self.assertIn("This page could not draw its picture:", said)
            self.assertIn(reason, said)


class WithoutWebGL(unittest.TestCase):
    def test_each_page_says_it_cannot_draw(self):
        chromium = Chromium("--disable-3d-apis")
        try:
            for name in ("roomtour", "planets"):
                chromium.driver.get(FILES + name + ".html")
                self.assertIn("This browser cannot draw WebGL", wait_for(
                    name + "'s message", lambda: problem(chromium.driver)), name)
        finally:
            chromium.quit()


class Framed(Page):
    """The page in the frame the driver has switched to."""

    def __init__(self, driver):  # pylint: disable=super-init-not-called
        self.driver = driver
        self.wait_frames(2)
        self.canvas = driver.find_element(By.ID, "canvas")


def png_picture(data):
    """A Picture of an 8-bit RGB or RGBA PNG, not interlaced."""
    at, chunks = 8, {}
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    assert depth == 8 and colour in (2, 6) and not interlace, (depth, colour, interlace)
    n = 3 if colour == 2 else 4
    raw, stride, rgb, above = zlib.decompress(chunks[b"IDAT"]), width * n, bytearray(), bytearray(width * n)
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a, b = row[i - n] if i >= n else 0, above[i]
            c = above[i - n] if i >= n else 0
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            row[i] = (row[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rgb += bytes(v for i, v in enumerate(row) if i % n < 3)
        above = row
    return Picture(b"P6 %d %d 255\n" % (width, height) + bytes(rgb))


class Classroom(unittest.TestCase):
    """The pages as a teacher uses them: a view shared by its address, and
    both pages inside a course page (tests/web/course.html) served from
    another origin than theirs: the host from 127.0.0.1, the frames from
    localhost; full screen, save, a gamepad, and roomtour's packed pictures."""

    # A view of planets that is not the start view, and what it gives.
    VIEW = ("v=1&x=7&y=1&z=20&theta=0.5&pitch=0.25&speed=2&frozen=1&mercury=10&venus=20&earth=30"
            "&mars=40&jupiter=50&saturn=60&uranus=70&neptune=80&pluto=90")
    UNREAD = {"text": "hello", "a missing field": VIEW.replace("&pluto=90", ""),
              "another version": VIEW.replace("v=1", "v=2"), "NaN": VIEW.replace("x=7", "x=nan"),
              "infinity": VIEW.replace("x=7", "x=inf"), "1e39": VIEW.replace("x=7", "x=1e39"),
              "a thousand characters": VIEW + "&" + "x" * 1000,
              "HTML": "<img src=x onerror=injected=1>", "script": "</p><script>injected=1</script>"}
    # A held frame's fields that cannot be read: the view is still taken.
    UNREAD_FRAME = {"a call past the frame": VIEW + "&call=81", "a call that is no number": VIEW + "&call=x",
                    "an edit of no argument": VIEW + "&call=3&edit=3,9,0,1",
                    "an edit that is no number": VIEW + "&call=3&edit=3,0,0,1e999",
                    "an edit of a clear's bits": VIEW + "&call=3&edit=0,0,0,1",
                    "an edit in HTML": VIEW + "&call=3&edit=<img src=x onerror=injected=1>"}

    @classmethod
    def setUpClass(cls):
        cls.downloads = tempfile.TemporaryDirectory()
        cls.servers = []
        for folder in (os.path.dirname(os.path.abspath(__file__)), WEB_DIR):
            httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
            threading.Thread(target=httpd.serve_forever, daemon=True).start()
            cls.servers.append(httpd)
        cls.frames = "http://localhost:%d/" % cls.servers[1].server_address[1]
        cls.host = "http://127.0.0.1:%d/course.html?frames=%s" % (cls.servers[0].server_address[1], cls.frames)
        cls.chromium = Chromium("--window-size=1000,800")
        cls.driver = cls.chromium.driver
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        cls.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {
            "behavior": "allow", "downloadPath": cls.downloads.name})

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()
        for httpd in cls.servers:
            httpd.shutdown()
        cls.downloads.cleanup()

    def course(self, name, address=None):
        """The course page, with the frame of `name` at `address`, switched to."""
        self.driver.switch_to.default_content()
        self.driver.get(self.host)
        frame = self.driver.find_element(By.ID, name)
        if address:  # by way of a blank page: a change of the fragment alone would not reload
            self.driver.execute_script("arguments[0].src = 'about:blank'", frame)
            wait_for("the blank frame", lambda: self.driver.execute_script(
                "var d = arguments[0].contentDocument; return d && d.URL === 'about:blank'", frame))
            self.driver.execute_script("arguments[0].src = arguments[1]", frame, address)
        self.driver.switch_to.frame(frame)
        wait_for("the frame's page", lambda: self.driver.execute_script(
            "return location.href").startswith(address or self.frames))
        return Framed(self.driver)

    def view(self, page):
        symbols = {"roomtour": ("move_speed", "turn_speed"), "planets": ("speed",)}[page.name]
        return page.camera() + ["%.9g" % page.read(s) for s in symbols]

    def test_a_shared_view_opens_to_the_bit(self):
        for name, keys, menu in (("roomtour", "jjjjwwwwii]]}a", None), ("planets", "fffffiiiijj", "(Un)Freeze Planets")):
            sender = self.course(name)
            sender.name = name
            entries = self.driver.execute_script("return history.length")
            ActionChains(self.driver).click(sender.canvas).perform()
            sender.keys(keys)
            if menu:
                sender.choose(menu)
            self.driver.find_element(By.CSS_SELECTOR, '[data-action="share"]').click()
            wait_for("Link copied", lambda: self.driver.find_element(By.ID, "status").text == "Link copied")
            view, picture = self.view(sender), sender.picture()
            self.driver.switch_to.default_content()
            self.driver.find_element(By.TAG_NAME, "h1").click()
            link = self.driver.execute_async_script(
                "navigator.clipboard.readText().then(arguments[arguments.length - 1])")
            self.assertRegex(link, r"^%s%s\.html#v=1&x=" % (self.frames, name))
            # The frame's address follows the camera, with no new history
            # (the fan and the orbits turn on after the last input).
            self.driver.switch_to.frame(self.driver.find_element(By.ID, name))
            wait_for("the address at the view", lambda: self.driver.execute_script(
                "return location.href").replace("?embed", "").split("&")[:6] == link.split("&")[:6])
            self.assertEqual(self.driver.execute_script("return history.length"), entries)

            receiver = self.course(name, link.replace("#", "?embed#"))
            receiver.name = name
            self.assertEqual(self.view(receiver), view, name)
            if name == "planets":
                shares = lit_found_in(receiver.picture(), picture), lit_found_in(picture, receiver.picture())
                self.assertGreaterEqual(min(shares), 0.999)
            else:
                receiver.choose("Reset view")
                self.assertEqual(self.view(receiver)[:5], ["0", "0", "5", "0", "0"])

    def test_a_view_that_cannot_be_read_is_ignored_whole(self):
        for what, fragment in {"a view": self.VIEW, **self.UNREAD, **self.UNREAD_FRAME}.items():
            self.driver.get("about:blank")
            page = Page(self.driver, self.frames + "planets.html#" + fragment)
            notice = self.driver.find_element(By.ID, "notice")
            if what == "a view":
                self.assertEqual(page.camera(), ["7", "1", "20", "0.5", "0.25"])
                self.assertFalse(notice.is_displayed())
                continue
            framed = what in self.UNREAD_FRAME
            self.assertEqual(page.camera(), ["7", "1", "20", "0.5", "0.25"] if framed else ["0", "0", "25", "0", "0"], what)
            self.assertIn("frame in this address could not be read" if framed else "could not be read", notice.text, what)
            self.assertTrue(self.driver.find_element(By.ID, "explorer").get_attribute("hidden"), what)
            self.assertEqual(page.messages(), "", what)
            self.assertIsNone(self.driver.execute_script(
                "return window.injected || document.querySelector('img, #notice *')"), what)

    def test_keys_reach_a_frame_only_while_it_has_the_focus(self):
        page = self.course("roomtour")
        if PICTURES_DIR:  # the course page, both viewers drawn, for the README
            self.driver.switch_to.default_content()
            self.driver.switch_to.frame(self.driver.find_element(By.ID, "planets"))
            Framed(self.driver)
            self.driver.switch_to.default_content()
            with open(os.path.join(PICTURES_DIR, "course-page.png"), "wb") as f:
                f.write(base64.b64decode(self.driver.execute_cdp_cmd("Page.captureScreenshot", {
                    "captureBeyondViewport": True,
                    "clip": {"x": 0, "y": 0, "width": 1000, "height": 690, "scale": 1}})["data"]))
            self.driver.switch_to.frame(self.driver.find_element(By.ID, "roomtour"))
        start = page.camera()
        outlined = "return getComputedStyle(document.getElementById('canvas')).outlineStyle !== 'none'"
        self.assertFalse(self.driver.execute_script(outlined))
        self.driver.switch_to.default_content()
        self.driver.execute_script("window.heard = ''; addEventListener('keydown', e => heard += e.key)")

        def host_keys(keys):
            ActionChains(self.driver).send_keys(keys).perform()
            wait_for("the host's keys", lambda: self.driver.execute_script("return heard").endswith(keys))
            self.driver.switch_to.frame(self.driver.find_element(By.ID, "roomtour"))
            self.assertEqual(page.camera(), start)
            self.assertFalse(self.driver.execute_script(outlined))

        host_keys("www")
        ActionChains(self.driver).click(page.canvas).perform()
        wait_for("the outline", lambda: self.driver.execute_script(outlined))
        page.keys("www")
        start = page.camera()
        self.assertNotEqual(start[2], "5")
        self.driver.switch_to.default_content()
        self.assertEqual(self.driver.execute_script("return heard"), "www")
        self.driver.find_element(By.ID, "notes").click()
        host_keys("ss")

    def test_full_screen_and_save_give_the_pictures_pixels(self):
        page = self.course("roomtour")
        size = page.canvas.get_attribute("width")
        control = self.driver.find_element(By.CSS_SELECTOR, '[data-action="fullscreen"]')
        control.click()
        sizes = """var e = document.fullscreenElement, c = document.getElementById('canvas');
                   return e && [c.width, c.height,
                                Math.round(Math.min(e.clientWidth, e.clientHeight) * devicePixelRatio)];"""
        wait_for("a square buffer of the full screen's size", lambda: (
            lambda s: s and s[0] == s[1] == s[2])(self.driver.execute_script(sizes)))
        self.assertGreater(self.driver.execute_script(sizes)[0], int(size))
        control.click()
        wait_for("the page as it was", lambda: self.driver.execute_script(
            "return !document.fullscreenElement && document.getElementById('canvas').width") == int(size))

        self.driver.find_element(By.CSS_SELECTOR, '[data-action="save"]').click()
        path = os.path.join(self.downloads.name, "roomtour.png")
        wait_for("roomtour.png", lambda: os.path.exists(path))
        with open(path, "rb") as saved:
            self.assertEqual(png_picture(saved.read()).rgb, page.picture().rgb)

    # The browser's standard mapping: the control, and the key it holds.
    STICKS_AND_BUTTONS = [("axes", 1, -1, "w"), ("axes", 1, 1, "s"), ("axes", 0, -1, "a"),
                          ("axes", 0, 1, "d"), ("axes", 2, -1, "j"), ("axes", 2, 1, "l"),
                          ("axes", 3, -1, "k"), ("axes", 3, 1, "i"), ("buttons", 5, 1, "f"),
                          ("buttons", 4, 1, "v"), ("buttons", 12, 1, "]"), ("buttons", 13, 1, "["),
                          ("buttons", 15, 1, "}"), ("buttons", 14, 1, "{")]
    START, A, B, DOWN = ("buttons", 9), ("buttons", 0), ("buttons", 1), ("buttons", 13)

    # A gamepad stubbed into navigator.getGamepads once the page runs (as one
    # connected late would be), and roomtour's packed pictures.

    def open_with_pad(self, name):
        """The page, with a pad that is all at rest; `sent` holds the keys
        the program was given since."""
        self.driver.switch_to.default_content()
        page = Page(self.driver, FILES + name + ".html")
        self.driver.execute_script("""
            window.pad = {id: 'stub', index: 0, connected: true, mapping: 'standard',
                          axes: [0, 0, 0, 0], buttons: []};
            for (var i = 0; i < 17; ++i) pad.buttons.push({pressed: false, value: 0});
            navigator.getGamepads = function () { return [pad, null, null, null]; };
            // The program's function replaces the first one called, which is kept.
            window.sent = '';
            var key = Module._web_key;
            Module._web_key = function spy(code) {
              sent += String.fromCharCode(code);
              var taken = key(code);
              if (Module._web_key !== spy) key = Module._web_key;
              Module._web_key = spy;
              return taken;
            };""")
        return page

    def sent(self):
        return self.driver.execute_script("return sent")

    def set(self, control, value):
        kind, index = control[:2]
        self.driver.execute_script(
            "if (arguments[0] == 'axes') pad.axes[arguments[1]] = arguments[2];"
            "else pad.buttons[arguments[1]] = {pressed: arguments[2] != 0, value: arguments[2]};",
            kind, index, value)

    def push(self, page, control, until, value=1):
        """The control pushed until `until()` holds, then let go; returns
        once the page has polled it let go."""
        self.set(control, value)
        wait_for("the page to see %s %d" % control[:2], until)
        self.set(control, 0)
        page.wait_frames(2, page.frames())

    def menu(self):
        return self.driver.execute_script("""
            var m = document.getElementById('menu'), h = document.activeElement;
            return m.hidden ? null : m.contains(h) ? h.textContent : '';""")

    def test_sticks_and_buttons_hold_keys_and_work_the_menu(self):
        page = self.open_with_pad("roomtour")
        for kind, index, sign, key in self.STICKS_AND_BUTTONS:
            before = len(self.sent())
            self.push(page, (kind, index), lambda: len(self.sent()) > before, sign * 0.9)
            self.assertEqual(set(self.sent()[before:]), {key}, (kind, index))
        # Within the dead zone nothing is held; past it, held, the key repeats
        # until the stick is let go.
        before = len(self.sent())
        self.set(("axes", 1), -0.3)
        page.wait_frames(10, page.frames())
        self.assertEqual(len(self.sent()), before, "a stick within its dead zone")
        self.push(page, ("axes", 1), lambda: len(self.sent()) >= before + 3, -1)
        held = self.sent()
        page.wait_frames(10, page.frames())
        self.assertEqual(self.sent(), held, "no press after the stick is let go")
        camera = page.camera()
        Page(self.driver, FILES + "roomtour.html").keys(held)
        self.assertEqual(page.camera(), camera)

        # Start opens the menu over the picture, the d-pad moves through it
        # (sending no key), A chooses, B closes.
        page = self.open_with_pad("planets")
        self.push(page, self.START, lambda: self.menu() == "Reset view")
        for label in ("(Un)Freeze Planets", "Speed up 2x"):
            self.push(page, self.DOWN, lambda: self.menu() == label)
        self.push(page, self.A, lambda: self.menu() is None)
        self.assertEqual(page.read("speed"), 2)
        self.push(page, self.START, lambda: self.menu() == "Reset view")
        self.push(page, self.B, lambda: self.menu() is None)
        self.assertEqual((page.read("speed"), self.sent()), (2, ""))

    def test_no_input_reaches_a_held_frame_and_a_paused_one_takes_keys_and_the_menu(self):
        # GLUT alone decides. While the explorer holds the frame, a key on the
        # picture, the right button, and a stick held with Start reach nothing
        # (the pad's key is sent, and refused) and the menu stays shut; the
        # words are still said on demand.
        page = self.open_with_pad("roomtour")
        camera = page.camera()
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="explore"]').click()
        wait_for("the explorer's rows", lambda: self.driver.execute_script(
            "return document.querySelectorAll('[data-call]').length"))
        page.canvas.send_keys("w")
        ActionChains(self.driver).context_click(page.canvas).perform()
        before = len(self.sent())
        self.set(self.START, 1)
        self.set(("axes", 1), -0.9)
        wait_for("the pad's key sent", lambda: len(self.sent()) > before)
        self.set(self.START, 0)
        self.set(("axes", 1), 0)
        self.assertEqual((page.camera(), self.menu()), (camera, None))
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="describe"]').click()
        self.assertIn("You ", self.driver.find_element(By.ID, "spoken").get_attribute("textContent"))

        # Closed and paused, keys and the menu reach the program.
        self.driver.find_element(By.CSS_SELECTOR, "[data-explorer=close]").click()
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="pause"]').click()
        page.keys("w")
        self.assertEqual(page.camera()[2], "4.9000001")
        page.choose("Reset view")
        self.assertEqual(page.camera(), ["0", "0", "5", "0", "0"])

    def written_pictures(self, url):
        """Each file the page wrote to ./img/ before its program started, by
        the SHA-256 of its bytes."""
        Page(self.driver, url)
        files = self.driver.execute_script("""
            var out = {};
            Module.FS.readdir('/img').forEach(function (name) {
              if (name[0] === '.') return;
              var b = Module.FS.readFile('/img/' + name), s = '';
              for (var i = 0; i < b.length; ++i) s += String.fromCharCode(b[i]);
              out[name] = btoa(s);
            });
            return out;""")
        return {name: hashlib.sha256(base64.b64decode(b)).hexdigest() for name, b in files.items()}

    def test_roomtour_is_at_most_1_mib_unpacks_its_pictures_as_they_were_or_says_it_cannot(self):
        self.assertLessEqual(os.path.getsize(os.path.join(WEB_DIR, "roomtour.html")), 1 << 20)
        self.driver.switch_to.default_content()
        # The files are img/'s byte for byte: no colour of the PNGs changed on
        # the way, no row or byte out of place. So with a picture packed by
        # gzip beside them, as one that is not a plain TGA is.
        folder, tga = os.path.join(SOURCE_DIR, "img"), {}
        for name in sorted(os.listdir(folder)):
            if name.endswith(".tga"):
                with open(os.path.join(folder, name), "rb") as f:
                    tga[name] = f.read()
        pictures = {name: hashlib.sha256(data).hexdigest() for name, data in tga.items()}
        self.assertEqual(self.written_pictures(FILES + "roomtour.html"), pictures)
        with open(os.path.join(WEB_DIR, "roomtour.html")) as f:
            html = f.read()
        start = html.index('id="pictures">') + len('id="pictures">')
        end = html.index("</script>", start)
        packed = json.loads(html[start:end])
        packed["/img/carpet.tga"] = {"gzip": base64.b64encode(gzip.compress(tga["carpet.tga"])).decode()}
        with tempfile.TemporaryDirectory() as mixed:
            with open(os.path.join(mixed, "roomtour.html"), "w") as f:
                f.write(html[:start] + json.dumps(packed) + html[end:])
            self.assertEqual(self.written_pictures("file://" + mixed + "/roomtour.html"), pictures)

        for spoil in ("delete window.createImageBitmap",
                      "window.createImageBitmap = function () { throw new TypeError('spoilt'); }"):
            script = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                 {"source": spoil})
            try:
                self.driver.get(FILES + "roomtour.html")
                said = wait_for("the pictures' message", lambda: problem(self.driver))
            finally:
                self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
            self.assertIn("This browser cannot unpack roomtour's pictures", said, spoil)


class Phone(unittest.TestCase):
    """Each page on an emulated phone, 390 x 844 CSS pixels at 3 device
    pixels to one, driven by touch alone."""

    KEYS = {"roomtour": set("wsadfvjlik[]{}"), "planets": set("wsadfvjlik")}

    @classmethod
    def setUpClass(cls):
        cls.chromium = Chromium()
        cls.driver = cls.chromium.driver
        cls.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                   {"enabled": True, "maxTouchPoints": 5})

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()

    def screen(self, width, height, ratio=3):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True})

    def touch(self, kind, x=None, y=None):
        points = [] if x is None else [{"x": x, "y": y, "id": 0}]
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def box(self, selector):
        return self.driver.execute_script(
            "var b = document.querySelector(arguments[0]).getBoundingClientRect();"
            "return [b.left, b.top, b.right, b.bottom];", selector)

    def centre(self, selector):
        b = self.box(selector)
        return (b[0] + b[2]) / 2, (b[1] + b[3]) / 2

    def tap(self, page, selector):
        """Taps, and says whether the page took it as quick: whether its own
        pointer down and up came less than its hold delay apart. (The touch
        calls return once the page has handled each event, so the test's
        clock counts any frame drawn meanwhile, which the page's does not.)"""
        before = page.frames()
        x, y = self.centre(selector)
        self.driver.execute_script("""
            if (!window.tapTimes) {
              window.tapTimes = {};
              ['pointerdown', 'pointerup'].forEach(function (name) {
                document.addEventListener(name, function (e) { tapTimes[name] = e.timeStamp; }, true);
              });
            }""")
        self.touch("touchStart", x, y)
        self.touch("touchEnd")
        held = self.driver.execute_script("return tapTimes.pointerup - tapTimes.pointerdown")
        page.wait_frames(2, before)
        return held < HOLD_DELAY_MS

    def layout(self):
        """The page's width, height and the canvas's CSS and buffer sizes."""
        return self.driver.execute_script("""
            var c = document.getElementById('canvas'), s = getComputedStyle(c);
            return [document.documentElement.scrollWidth, innerWidth, innerHeight,
                    parseFloat(s.width), parseFloat(s.height), c.width, c.height, devicePixelRatio];""")

    def check_fits(self, what, controls=True):
        """No sideways scrolling; with `controls`, the square canvas and
        every control on the screen at once."""
        if PICTURES_DIR:
            with open(os.path.join(PICTURES_DIR, what.replace(" ", "-") + ".png"), "wb") as f:
                f.write(base64.b64decode(self.driver.execute_cdp_cmd("Page.captureScreenshot", {})["data"]))
        scroll_width, width, height, css_w, css_h, buffer_w, buffer_h, ratio = self.layout()
        self.assertLessEqual(scroll_width, width, what + ": no sideways scrolling")
        if not controls:
            return
        self.assertEqual((buffer_w, buffer_h), (round(css_w * ratio), round(css_h * ratio)), what)
        self.assertEqual(css_w, css_h, what)
        for selector in ["#canvas"] + ["#controls button:nth-of-type(%d)" % n for n in range(1, 7)]:
            for b in self.driver.execute_script("""
                return [...document.querySelectorAll(arguments[0])].map(function (e) {
                  var b = e.getBoundingClientRect(); return [b.left, b.top, b.right, b.bottom]; });""",
                                                selector):
                self.assertTrue(0 <= b[0] and b[2] <= width and 0 <= b[1] and b[3] <= height,
                                "%s: %s at %s on a %d x %d screen" % (what, selector, b, width, height))

    def test_touch_does_what_the_keys_do(self):
        for name in ("roomtour", "planets"):
            with self.subTest(name):
                self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
                page = Page(self.driver, FILES + name + ".html")
                lit = page.picture().lit_share()
                # The page follows the phone's screen once open, buffer and all.
                self.screen(390, 844)
                wait_for("the canvas at device pixels", lambda: self.layout()[5] > 1000)
                page.wait_frames(2, page.frames())
                self.check_fits(name + " portrait")
                _, width, *_ = self.layout()
                self.assertGreaterEqual(self.box("#canvas")[2] - self.box("#canvas")[0], 0.9 * width)
                self.assertGreater(page.picture().lit_share(), lit - 0.01, "drawn over the whole canvas")

                controls = self.driver.execute_script("""
                    return [...document.querySelectorAll('#controls [data-key]')].map(function (e) {
                      return [e.dataset.key, e.getAttribute('aria-label')]; });""")
                self.assertEqual({key for key, _ in controls}, self.KEYS[name])
                self.assertTrue(all(label for _, label in controls))

                page.keys("jjjw")
                by_keys = page.camera()
                # A tap the page saw held past its hold delay may repeat: then
                # the taps are tapped again on a new page.
                def taps():
                    page = Page(self.driver, FILES + name + ".html")
                    quick = [self.tap(page, '#controls [data-key="%s"]' % key) for key in "jjjw"]
                    return all(quick) and page.camera()
                tapped = wait_for("four quick taps", taps, timeout=180)
                self.assertEqual(tapped, by_keys, "taps J J J W")

                page = Page(self.driver, FILES + name + ".html")
                page.keys("jjjjj")
                five = page.camera()
                page = Page(self.driver, FILES + name + ".html")
                left, top, right, bottom = self.box("#canvas")
                x, y = left + (right - left) / 4, (top + bottom) / 2
                self.touch("touchStart", x, y)
                for k in range(1, 6):
                    self.touch("touchMove", x + k * (right - left) / 20, y)
                self.touch("touchEnd")
                page.wait_frames(2, page.frames())
                self.assertEqual(page.camera(), five, "a drag of 5/20 of the width")

                # Held, a control repeats until it is let go.
                step = page.read("move_speed") if name == "roomtour" else 0.1
                y = float(page.camera()[1])
                self.touch("touchStart", *self.centre('#controls [data-key="f"]'))
                wait_for("three presses of a held F", lambda: float(page.camera()[1]) > y + 2.5 * step)
                self.touch("touchEnd")
                held = page.camera()
                page.wait_frames(2, page.frames())
                self.assertEqual(page.camera(), held, "no press after the lift")

                self.tap(page, "#controls [data-menu]")
                self.tap(page, "#menu li:first-child")
                self.assertEqual(page.camera(), ["0", "0", "5" if name == "roomtour" else "25", "0", "0"])

                self.screen(844, 390)
                wait_for("the landscape layout", lambda: self.layout()[1] == 844)
                self.check_fits(name + " landscape")
                for width in (320, 390):
                    self.screen(width, 640)
                    Page(self.driver, FILES + name + ".html" + ("?noimages" if name == "roomtour" else ""))
                    self.check_fits("%s %d wide" % (name, width), controls=False)

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node_modules", "axe-core", "axe.min.js")
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]
ROOM_OBJECTS = {"bookshelf", "fan", "desk", "computer", "monitor", "keyboard", "bed", "window", "door"}
BODIES = ["sun", "mercury", "venus", "earth", "mars", "jupiter", "saturn", "uranus", "neptune", "pluto"]


def tree(driver):
    """The page's accessibility tree as the browser computes it: for each
    node that is not ignored, its role, name, description and states."""
    nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    value = lambda node, key: (node.get(key) or {}).get("value", "")
    return [dict(role=value(n, "role"), name=value(n, "name"), description=value(n, "description"),
                 **{p["name"]: p["value"].get("value") for p in n.get("properties", [])})
            for n in nodes if not n.get("ignored")]


def node(driver, role, name=None):
    """The one node of the tree with this role (and name)."""
    found = [n for n in tree(driver) if n["role"] == role and (name is None or n["name"] == name)]
    assert len(found) == 1, (role, name, found)
    return found[0]


class Everyone(unittest.TestCase):
    """The pages for every student, by keyboard alone and as a screen
    reader has them: names, roles and states from the browser's
    accessibility tree, the view in words against the scene, pause and
    reduced motion, and axe-core's WCAG 2.2 AA and best-practice rules."""

    @classmethod
    def setUpClass(cls):
        cls.chromium = Chromium("--window-size=1000,900")
        cls.driver = cls.chromium.driver
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        handler = functools.partial(Quiet, directory=WEB_DIR)
        cls.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=cls.httpd.serve_forever, daemon=True).start()
        cls.base = "http://127.0.0.1:%d/" % cls.httpd.server_address[1]

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()
        cls.httpd.shutdown()

    def tearDown(self):
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    def press(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def active(self):
        return self.driver.execute_script(
            "var e = document.activeElement; return e.id || e.dataset.action || e.textContent")

    def tab_to(self, wanted):
        """Tabs on until `wanted` (an element's id, action or text) has the focus."""
        for _ in range(40):
            if self.active() == wanted:
                return
            self.press(Keys.TAB)
        self.fail("Tab never reached " + wanted)

    def objects(self):
        return set(self.driver.execute_script(
            "return [...document.querySelectorAll('[data-describe] [data-object]')].map(e => e.dataset.object)"))

    def test_axe_finds_nothing_and_every_control_is_big_enough(self):
        with open(AXE) as f:
            axe = f.read()
        screens = {"a desktop window": None, "a phone": (390, 844, True), "a frame": (420, 560, False)}
        pages = ["index.html", "roomtour.html", "roomtour.html?embed", "roomtour.html?noimages",
                 "planets.html", "planets.html?embed", "roomtour.html menu", "planets.html menu",
                 "roomtour.html explore", "planets.html outside"]
        for screen, size in screens.items():
            for address in pages:
                if screen == "a frame" and "embed" not in address:
                    continue
                with self.subTest(address + " on " + screen):
                    if size:
                        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                            "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": size[2]})
                    self.driver.get(self.base + address.split()[0])
                    if address != "index.html":
                        wait_for("the page's frames", lambda: self.driver.execute_script(
                            "return window.Module && Module.calledRun ? Module._web_frames() : 0") >= 2)
                    if address.endswith("explore"):  # with a vertex's way, its light and a pixel's answer
                        self.driver.find_element(By.CSS_SELECTOR, '[data-action="explore"]').click()
                        self.driver.find_element(By.ID, "crosshair").send_keys(Keys.ENTER)
                        self.driver.execute_script("""[...document.querySelectorAll('[data-call]')]
                            .find(e => e.textContent.startsWith('glVertex3fv')).click();""")
                    if address.endswith("outside"):  # by keyboard: the control, then the picture's keys
                        self.driver.find_element(By.CSS_SELECTOR, '[data-action="outside"]').send_keys(Keys.ENTER)
                        self.driver.find_element(By.CSS_SELECTOR, '[data-view="outside"] canvas').send_keys(
                            Keys.ARROW_LEFT, "+", "w")
                    if address.endswith("menu"):
                        ActionChains(self.driver).context_click(
                            self.driver.find_element(By.ID, "canvas")).perform()
                        wait_for("the menu", lambda: self.driver.execute_script(
                            "return !document.getElementById('menu').hidden"))
                    self.driver.execute_script(axe)
                    found = self.driver.execute_async_script("""
                        var done = arguments[arguments.length - 1];
                        // Label in name (2.5.3) is one of axe's experimental rules, so named.
                        axe.run(document, {runOnly: {type: 'tag', values: arguments[0]},
                                           rules: {'label-content-name-mismatch': {enabled: true}}}).then(function (r) {
                          done(r.violations.map(function (v) {
                            return v.id + ': ' + v.nodes.map(function (n) { return n.target.join(' '); }); }));
                        });""", AXE_TAGS)
                    self.assertEqual(found, [])
                    small = self.driver.execute_script("""
                        return [...document.querySelectorAll('button, a, input, [role=menuitem], [role=menuitemcheckbox]')]
                          .filter(e => e.getClientRects().length && getComputedStyle(e).visibility !== 'hidden')
                          .map(e => [e.outerHTML.slice(0, 60), e.getBoundingClientRect()])
                          .filter(([_, b]) => b.width < 24 || b.height < 24).map(([h, b]) => h + ' ' + b.width + 'x' + b.height);""")
                    self.assertEqual(small, [])
                    self.assertLessEqual(*self.driver.execute_script(
                        "return [document.documentElement.scrollWidth, innerWidth]"))

    def test_the_picture_and_its_menu_as_a_screen_reader_has_them(self):
        page = Page(self.driver, FILES + "planets.html")
        picture = node(self.driver, "application")
        self.assertTrue(picture["name"].startswith("planets: "), picture)
        self.assertTrue(picture["focused"], "the page gives the picture the focus")
        self.assertIn("The Sun is ahead", picture["description"])
        for action in ("Share", "Full screen", "Save", "Describe"):
            node(self.driver, "button", action)
        self.assertEqual(node(self.driver, "button", "Pause")["pressed"], "false")
        button = node(self.driver, "button", "menu")
        self.assertEqual((button["hasPopup"], button["expanded"]), ("menu", False))

        # By keyboard alone: the menu button opens the menu on its first
        # entry; Down, then Enter freezes, and the focus comes back.
        self.tab_to("menu-button")
        self.press(Keys.ENTER)
        self.assertEqual(node(self.driver, "button", "menu")["expanded"], True)
        menu = node(self.driver, "menu", "menu")
        entries = [n for n in tree(self.driver) if n["role"] in ("menuitem", "menuitemcheckbox")]
        self.assertEqual([(n["role"], n["name"]) for n in entries], [
            ("menuitem", "Reset view"), ("menuitemcheckbox", "(Un)Freeze Planets"),
            ("menuitem", "Speed up 2x"), ("menuitem", "Slow down 1/2x"), ("menuitem", "Normal speed")])
        self.assertTrue(entries[0]["focused"], menu)
        self.assertEqual(entries[1]["checked"], "false")
        self.press(Keys.ARROW_DOWN, Keys.ENTER)
        wait_for("the planets frozen", lambda: page.read("freeze_planets", "HEAP32") == 1)
        self.assertEqual(self.active(), "menu-button")
        self.assertEqual(node(self.driver, "button", "menu")["expanded"], False)
        wait_for("the result said", lambda: "frozen" in self.driver.execute_script(
            "return document.getElementById('spoken').textContent"))
        self.press(Keys.ARROW_UP)  # opens on the last entry
        self.assertEqual(self.active(), "Normal speed")
        self.press(Keys.HOME)
        self.assertEqual(node(self.driver, "menuitemcheckbox", "(Un)Freeze Planets")["checked"], "true")
        self.press(Keys.ESCAPE)
        self.assertEqual(self.active(), "menu-button")

        # A moved camera, and "Reset view" by the keys.
        self.driver.find_element(By.ID, "canvas").click()
        page.keys("ww")
        self.assertNotEqual(page.camera()[2], "25")
        self.tab_to("menu-button")
        self.press(Keys.ARROW_DOWN, Keys.ENTER)
        wait_for("the start view", lambda: page.camera() == ["0", "0", "25", "0", "0"])

        # Share by Enter.
        self.driver.find_element(By.ID, "canvas").click()
        self.tab_to("share")
        self.press(Keys.ENTER)
        wait_for("Link copied", lambda: self.driver.find_element(By.ID, "status").text == "Link copied")

        # A click on the page's text, or Tab out of the viewer, leaves the
        # letters alone.
        self.driver.find_element(By.ID, "help").click()
        self.press("www")
        self.driver.execute_script("[...document.querySelectorAll('#controls button')].pop().focus()")
        self.press(Keys.TAB, "www")
        self.driver.find_element(By.ID, "canvas").click()
        page.keys("s")
        self.assertEqual(page.camera()[2], "25.1000004")

    def test_the_words_name_what_the_camera_sees(self):
        j = lambda n: "j" * n
        poses = [
            ("roomtour", "", {"bookshelf", "window"}, {"desk", "computer", "monitor", "keyboard", "door"}),
            ("roomtour", j(16), {"desk", "keyboard", "monitor", "door"}, {"bed", "window", "bookshelf"}),
            ("roomtour", j(32) + "w" * 62 + j(16), set(), ROOM_OBJECTS),
            ("planets", "", set(BODIES[:6]), set()),
            ("planets", j(8), set(), set(BODIES[:9])),
        ]
        for name, keys, named, unnamed in poses:
            with self.subTest(name + " after " + (keys or "nothing")):
                page = Page(self.driver, FILES + name + ".html")
                if keys:
                    page.keys(keys)
                # Spoken once the view settles, since the picture has the focus.
                words = wait_for("the words after the keys", lambda: self.driver.execute_script(
                    "return document.getElementById('spoken').textContent") if keys else True)
                seen = self.objects()
                self.assertTrue(named <= seen and not seen & unnamed, seen)
                self.assertLessEqual(seen, ROOM_OBJECTS if name == "roomtour" else set(BODIES))
                described = self.driver.find_element(By.CSS_SELECTOR, "[data-describe]").text
                self.assertEqual(node(self.driver, "application")["description"], described)
                if keys:
                    self.assertEqual(words, described)

    def test_pause_holds_all_motion_and_reduced_motion_starts_paused(self):
        def field(page, name):
            view = self.driver.execute_script("return Page.view.text()")
            return dict(item.split("=") for item in view.split("&"))[name]
        fan = lambda page: field(page, "fan")
        page = Page(self.driver, FILES + "roomtour.html")
        pause = self.driver.find_element(By.CSS_SELECTOR, '[data-action="pause"]')
        pause.click()
        held = fan(page)
        page.wait_frames(10, page.frames())
        self.assertEqual((fan(page), node(self.driver, "button", "Pause")["pressed"]), (held, "true"))
        page.keys("w")  # keys still reach the program
        self.assertEqual(page.camera()[2], "4.9000001")
        pause.click()
        wait_for("the fan to turn on", lambda: fan(page) != held)

        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
        page = Page(self.driver, FILES + "planets.html")
        angle = field(page, "mercury")
        page.wait_frames(10, page.frames())
        self.assertEqual(field(page, "mercury"), angle)
        self.assertEqual(node(self.driver, "button", "Pause")["pressed"], "true")
        self.assertIn("reduced motion", self.driver.find_element(By.ID, "notice").text)


def desktop_frame(server, name, keys, tool, variable, read, ready):
    """A frame of the real desktop program after `keys`, as the preloaded
    `tool` (tools/<tool>.cpp) writes it to the file `variable` names: the
    file's lines through `read`, once `ready` holds for that. With keys,
    `ready` should tell a frame they have changed: the first frames may come
    before them."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "frame.txt")
        program = Program(server, name, wrapper=(
            "env", variable + "=" + out, "LD_PRELOAD=" + os.path.join(TOOLS_DIR, "lib%s.so" % tool)))
        try:
            if keys:
                program.keys(*keys)

            def frame():
                try:
                    with open(out) as f:
                        got = read(f.read().splitlines())
                except FileNotFoundError:
                    return None
                # In a list, so that a frame with nothing in it counts as found.
                return [got] if ready(got) else None
            return wait_for("the desktop's %s after %s" % (tool, keys), frame, 60)[0]
        finally:
            program.stop()


def desktop_calls(server, name, keys, ready):
    """The real desktop program's calls in a frame, from its call log."""
    return desktop_frame(server, name, keys, "calllog", "VIEWER_CALL_LOG", lambda lines: lines, ready)


def desktop_feedback(server, name, keys, ready=lambda items: True):
    """The real desktop program's frame as its own GL places it, from
    feedback mode: a list of ("polygon", [(x, y, z, r, g, b, a), ...]),
    ("line", [...]) and so on, x and y in window pixels from the bottom
    left."""
    def items(lines):
        found = []
        for line in lines:
            words = line.split()
            if len(words) == 7:
                found[-1][1].append(tuple(map(float, words)))
            else:
                found.append((words[0], []))
        return found
    return desktop_frame(server, name, keys, "feedback", "VIEWER_FEEDBACK", items, ready)


class Explorer(unittest.TestCase):
    """The frame, call by call: the explorer's rows against the real desktop
    program's calls, its vertices' window coordinates and colours against
    the desktop's own GL, why a pixel is what it is, the routines they lie
    under, stepping, GL's state, an edit, any value typed, the shapes edits
    keep, a program that stops, and the tree by keyboard."""

    @classmethod
    def setUpClass(cls):
        cls.chromium = Chromium("--window-size=1200,900")
        cls.driver = cls.chromium.driver
        cls.server = XServer()

    def open_explorer(self):
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="explore"]').click()
        wait_for("the explorer's rows", lambda: self.driver.execute_script(
            "return document.querySelectorAll('[data-call]').length"))

    def rows(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll('[data-call]')].map(e => e.textContent)")

    def held(self, text, nth=0):
        """Chooses the nth row whose text is `text` and returns the picture
        drawn up to it, read at once (the drawing buffer is not kept)."""
        data = self.driver.execute_script("""
            var row = [...document.querySelectorAll('[data-call]')].filter(e => e.textContent === arguments[0])[arguments[1]];
            row.click();
            var c = document.getElementById('canvas'), t = document.createElement('canvas');
            t.width = c.width; t.height = c.height;
            var g = t.getContext('2d'); g.drawImage(c, 0, 0);
            var d = g.getImageData(0, 0, t.width, t.height).data, s = '';
            for (var i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
            return [t.width, t.height, btoa(s)];""", text, nth)
        return Picture(b"P6 %d %d 255\n" % (data[0], data[1]) + base64.b64decode(data[2]))

    def test_the_rows_are_the_desktop_programs_calls(self):
        # Every argument compares exactly but the rotation angles of the fan
        # and the orbits, which each side takes from its own animation, and
        # the look-at's doubles: the camera's sine in double differs by an
        # ulp between glibc's libm and the page's, so they compare as the
        # floats the matrix is made of.
        def same(row):
            if row.startswith("glRotatef"):
                return "glRotatef(angle" + row[row.index(","):]
            if row.startswith("gluLookAt("):
                return [struct.unpack("f", struct.pack("f", float(v)))[0] for v in row[10:-1].split(",")]
            return row
        # A second witness of each program's arithmetic: its own GL's
        # feedback mode places a vertex in the window and colours it as the
        # explorer's journey does. A floor corner and a corner of the
        # bookshelf's picture (lit, immediate mode), and the Sun's pole (a
        # GLUT shape's point; the Sun stays where it is as the orbits turn),
        # each inside the view volume at both views.
        witnesses = {"roomtour": (("drawWalls", "glVertex3fv"), ("drawBookshelfTexture", "glVertex3fv({0, 3, 1.01})")),
                     "planets": (("drawPlanet", "glutWireSphere"),)}
        # Why this pixel, at points of the scene's own quads (a routine's
        # first four vertices, at u along their first edge and v along the
        # second, taken through the journey's clip coordinates; or a pixel
        # of its own): the calls that touched it, in frame order, as (what
        # each did, its text, a routine it lies under).
        bookshelf = [("covered", "glutSolidCube(1)", "drawBookshelf"), ("depth", "glEnd()", "drawWalls"),
                     ("final", "glEnd()", "drawBookshelfTexture")]
        pixels = {("roomtour", "jjiii"): ((("drawBookshelfTexture", 0.2, 0.6), bookshelf),
                                          (("drawWalls", 8.5 / 13, 0.25), [("final", "glEnd()", "drawWalls")])),
                  ("planets", ""): (((20, 480), [("final", "glClear(", "display")]),),
                  # Moved back 15 to z = 40: Pluto, the last sphere, lies past
                  # the far plane (at 40); it is asked at and round the pixel
                  # of its centre, until a pixel its lines cross.
                  ("planets", "s" * 150): ((("Pluto",), [("clipped far", "glutWireSphere(2.27", "drawPlanet")]),)}
        for name, keys in (("roomtour", "jj"), ("roomtour", "jjiii"), ("planets", ""), ("planets", "fffffiiiijj"),
                           ("planets", "s" * 150)):
            said = keys if len(keys) < 20 else "%s x %d" % (keys[0], len(keys))
            with self.subTest(name + " after " + (said or "nothing")):
                page = Page(self.driver, FILES + name + ".html")
                if keys:
                    page.keys(keys)
                self.from_outside(page, name, keys)
                self.open_explorer()
                rows = self.rows()
                look = same([r for r in rows if r.startswith("gluLookAt(")][0])
                calls = desktop_calls(self.server, name, keys, lambda calls: look in map(same, calls))
                self.assertEqual([same(r) for r in rows], [same(c) for c in calls])
                seen = [self.driver.execute_script("""
                    var row = [...document.querySelectorAll('[data-routine="' + arguments[0] + '"] [data-call]')]
                      .find(e => e.textContent.startsWith(arguments[1]));
                    Page.explorer.choose(Number(row.dataset.call));
                    var point = document.querySelectorAll('#journey input');
                    if (point.length) {  // the sphere's pole, at its radius along z
                      point[2].value = row.textContent.match(/\\((.*?),/)[1];
                      point[2].dispatchEvent(new Event('input'));
                    }
                    var values = s => document.querySelector(s + ' td[data-values]').dataset.values.split(' ').map(Number);
                    return [values('[data-stage="window"]'), values('[data-term="colour"]'),
                            document.querySelector('[data-stage="clip"]').textContent];""", *w) for w in witnesses[name]]
                for window, colour, clip in seen:
                    self.assertIn("inside all six planes", clip)
                # The desktop's frame once it is at the page's view: a vertex
                # within half a pixel of each; then to 1e-4.
                nearest = lambda items, window: min((v for _, vs in items for v in vs), key=lambda v: sum(
                    (a - b) ** 2 for a, b in zip(v, window)))
                fed = desktop_feedback(self.server, name, keys, lambda items: all(
                    items and max(abs(a - b) for a, b in zip(nearest(items, w), w)) < 0.5 for w, _, _ in seen))
                for window, colour, _ in seen:
                    vertex = nearest(fed, window)
                    worst = max(abs(a - b) for a, b in zip(vertex, window + colour))
                    self.assertLess(worst, 1e-4, (window, colour, vertex))
                    self.figures.append("%s after %r: window %s, colour %s; feedback within %.2g" % (
                        name, said, window, colour, worst))
                for where, story in pixels.get((name, keys), ()):
                    told = self.why_this_pixel(where)
                    rest = iter(told)  # the story's calls in its order, others between
                    for did, text, routine in story:
                        self.assertTrue(any(t[0] == did and t[1].startswith(text) and routine in t[2] for t in rest),
                                        (where, story, told))
                    self.figures.append("%s after %r, why %s: %s" % (name, said, where, told))
                meanings = self.driver.execute_script("return document.getElementById('meanings').textContent")
                self.assertEqual({r.split("(")[0] for r in rows} - {line.split("\t")[0] for line in meanings.splitlines()},
                                 set(), "a meaning for every function")
                self.figures.append("%s after %r: %d calls" % (name, said, len(rows)))

    figures = []

    # The camera from outside, at each view of the table above: what its
    # words say (and with the window reshaped, for roomtour), and for planets
    # a far corner of the volume where the observer's matrices put it.
    OUTSIDE = {("roomtour", "jj"): ["The eye is at (6.5, 4, 5)", "2 \u00d7 2 at the near plane, 1 unit ahead",
                                    "160 \u00d7 160 at the far plane, 80 units ahead", "Inside the volume: the bookshelf"],
               ("planets", ""): ["Inside the volume: the Sun", "Pluto", "80 \u00d7 80 at the far plane"],
               ("planets", "s" * 150): ["Pluto lies beyond the far plane"]}

    def from_outside(self, page, name, keys):
        """Shows the outside view, and holds the program's picture and view
        to what they were without it, to the bit (paused, so that nothing
        moves between); then its words and corners; then hides it."""
        pause = self.driver.find_element(By.CSS_SELECTOR, '[data-action="pause"]')
        pause.click()
        view, own = self.driver.execute_script("return Page.view.text()"), page.picture()
        control = self.driver.find_element(By.CSS_SELECTOR, '[data-action="outside"]')
        control.click()
        self.assertEqual(control.get_attribute("aria-pressed"), "true")
        self.assertEqual((self.driver.execute_script("return Page.view.text()"), page.picture().rgb), (view, own.rgb))
        words = wait_for("the outside view's words", lambda: self.driver.execute_script(
            "return document.querySelector('[data-view=\"outside\"] [data-words]').textContent"))
        for said in self.OUTSIDE.get((name, keys), ()):
            self.assertIn(said, words)
        # Its own canvas is drawn again as the observer turns, though the
        # program, paused, draws no frame; the program's picture stays.
        seen = "return document.querySelector('[data-view=\"outside\"] canvas').toDataURL()"
        before = self.driver.execute_script(seen)
        self.driver.find_element(By.CSS_SELECTOR, '[data-view="outside"] canvas').send_keys(Keys.ARROW_LEFT)
        wait_for("the observer turned", lambda: self.driver.execute_script(seen) != before)
        self.assertEqual(page.picture().rgb, own.rgb)
        if name == "planets":
            # Each far corner on the second picture in the volume's colour,
            # within two pixels of where the observer's matrices put it.
            found = self.driver.execute_script("""
                var at = Module._web_outside_far_corners() >> 2, c = document.createElement('canvas');
                var picture = document.querySelector('[data-view="outside"] canvas'), g = c.getContext('2d'), out = [];
                c.width = picture.width;
                c.height = picture.height;
                g.drawImage(picture, 0, 0);
                for (var k = 0; k < 4; ++k) {
                  var x = Math.floor(HEAPF32[at + 2 * k]), y = c.height - 1 - Math.floor(HEAPF32[at + 2 * k + 1]);
                  var d = g.getImageData(x - 2, y - 2, 5, 5).data, hit = false;
                  for (var i = 0; i < d.length; i += 4) hit = hit || (d[i] > 200 && d[i + 1] > 170 && d[i + 2] < 80);
                  if (x >= 2 && y >= 2 && x < c.width - 2 && y < c.height - 2) out.push([x, y, hit]);
                }
                return out;""")
            self.assertTrue(found and all(hit for _, _, hit in found), found)  # those on the picture
        if name == "roomtour":
            # A desktop window of 1000 x 500: the frustum does not follow it.
            self.driver.execute_script("Module._web_reshape(1000, 500)")
            wait_for("the words for a wide window", lambda: "1000 \u00d7 500, but the volume does not follow it" in
                     self.driver.execute_script("return document.querySelector('[data-view=\"outside\"] [data-words]').textContent"))
            self.driver.execute_script("var c = document.getElementById('canvas'); Module._web_reshape(c.width, c.height)")
        self.figures.append("%s after %r, from outside: %s" % (name, keys[:20], words))
        control.click()
        pause.click()
        self.assertTrue(self.driver.execute_script(
            "return document.querySelector('[data-view=\"outside\"]').hidden"))

    def why_this_pixel(self, where):
        """The explorer's answer for a pixel (see the pixels table above),
        asked by a click on the picture there, or by the crosshair's keys
        for a pixel given as it is; as (what each call did, its text, the
        routines it lies under), in frame order."""
        if len(where) == 2:  # from the middle, where the crosshair starts, by tens
            cross = self.driver.find_element(By.ID, "crosshair")
            cross.send_keys(Keys.SHIFT, *[Keys.ARROW_LEFT] * ((250 - where[0]) // 10) +
                            [Keys.ARROW_UP] * ((where[1] - 250) // 10) + [Keys.NULL, Keys.ENTER])
            wait_for("the crosshair's name to say where it is", lambda: [
                n for n in tree(self.driver) if n["name"].startswith("crosshair at x %d, y %d " % where)])
        else:
            for attempt in range(8 if where == ("Pluto",) else 1):
                if attempt:  # a sphere under a pixel may raster to none: hold a later frame
                    control = self.driver.find_element(By.CSS_SELECTOR, '[data-action="explore"]')
                    control.click()
                    frames = self.driver.execute_script("return Module._web_frames()")
                    wait_for("a later frame", lambda: self.driver.execute_script("return Module._web_frames()") > frames + 2)
                    self.open_explorer()
                self.ask_about(where)
                if self.driver.execute_script("return !!document.querySelector('[data-pixel] [data-did=\"clipped\"]')"):
                    break
        return self.driver.execute_script("""
            return [...document.querySelectorAll('[data-pixel] [data-call-ref]')].map(e => {
              var row = document.querySelector('[data-call="' + e.dataset.callRef + '"]'), under = [];
              for (var g = row.closest('[data-routine]'); g; g = g.parentElement.closest('[data-routine]')) under.push(g.dataset.routine);
              return [e.dataset.did + (e.dataset.plane ? ' ' + e.dataset.plane : ''), row.textContent, under];
            });""")

    def ask_about(self, where):
        """Asks about a pixel by a click on the picture (see why_this_pixel)."""
        self.driver.execute_script("""
                var click = function (x, y) {
                  var c = document.getElementById('canvas'), box = c.getBoundingClientRect();
                  c.dispatchEvent(new MouseEvent('click', {
                    clientX: box.left + c.clientLeft + (x + 0.5) * c.clientWidth / c.width,
                    clientY: box.top + c.clientTop + (c.height - y - 0.5) * c.clientHeight / c.height}));
                };
                var journey = function (row, stage) {
                  Page.explorer.choose(Number(row.dataset.call));
                  return document.querySelector('[data-stage="' + stage + '"] td[data-values]').dataset.values.split(' ').map(Number);
                };
                if (arguments[0] === 'Pluto') {
                  var spheres = [...document.querySelectorAll('[data-call]')].filter(e => e.textContent.startsWith('glutWireSphere'));
                  var w = journey(spheres[spheres.length - 1], 'window');
                  for (var i = 0; i < 25; ++i) {  // a sphere of a pixel or two, in lines
                    click(Math.floor(w[0]) + i % 5 - 2, Math.floor(w[1]) + Math.floor(i / 5) - 2);
                    if (document.querySelector('[data-pixel] [data-did="clipped"]')) break;
                  }
                  return;
                }
                var corners = [...document.querySelectorAll('[data-routine="' + arguments[0] + '"] [data-call]')]
                  .filter(e => e.textContent.startsWith('glVertex')).slice(0, 4).map(r => journey(r, 'clip'));
                var u = arguments[1], v = arguments[2], weights = [(1 - u) * (1 - v), (1 - u) * v, u * v, u * (1 - v)];
                var p = [0, 1, 3].map(k => corners.reduce((sum, c, i) => sum + weights[i] * c[k], 0));
                var last = document.querySelectorAll('[data-call]');
                Page.explorer.choose(last.length - 1);
                var c = document.getElementById('canvas');
                click(Math.floor((p[0] / p[2] + 1) * c.width / 2), Math.floor((p[1] / p[2] + 1) * c.height / 2));""", *where)

    def test_routines_steps_state_and_an_edit(self):
        page = Page(self.driver, FILES + "roomtour.html")
        own = page.picture()
        # The program's variables as the explorer holds them, read in the
        # same script as the click: no frame comes between.
        view = self.driver.execute_script(
            "var v = Page.view.text(); document.querySelector('[data-action=explore]').click(); return v")
        routines = set(self.driver.execute_script(
            "return [...document.querySelectorAll('[data-routine]')].map(e => e.dataset.routine)"))
        self.assertLessEqual({"display", "drawFurniture", "drawBookshelf", "drawDesk", "drawComputer",
                              "drawMonitor", "drawKeyboard", "drawBed", "drawFan", "drawWalls",
                              "drawWindow", "drawDoor", "drawQuilt"}, routines)
        under = lambda text: self.driver.execute_script("""
            var row = [...document.querySelectorAll('[data-call]')].find(e => e.textContent === arguments[0]), names = [];
            for (var g = row.closest('[data-routine]'); g; g = g.parentElement.closest('[data-routine]')) names.push(g.dataset.routine);
            return names;""", text)
        self.assertIn("drawFurniture", under("glTranslatef(8, 0, 0)"))
        self.assertIn("drawBookshelf", under("glutSolidCube(1)"))

        # Stepping: the clear colour alone, the furniture without the room,
        # then the whole frame as the program drew it.
        cleared = self.held("glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)")
        self.assertEqual(cleared.lit_pixels(threshold=0), 0)
        furniture = self.held("glEnable(GL_TEXTURE_2D)")
        self.assertEqual(furniture.pixel(40, 40), (0, 0, 0), "no back wall yet")
        self.assertNotEqual(own.pixel(40, 40), (0, 0, 0))
        self.assertGreater(furniture.lit_share(), 0.1, "the furniture is drawn")
        last = self.held(self.rows()[-1])
        self.assertGreaterEqual(share_within(last, own, 0), 0.999)

        # The state after the bookshelf's translate: the look-at times
        # translate(8, 0, 0), to the float.
        self.held("glTranslatef(8, 0, 0)")
        modelview = self.driver.find_element(By.CSS_SELECTOR, '[data-state="modelview"]').text
        self.assertEqual([float(v) for v in modelview.split()],
                         [1, 0, 0, 1.5, 0, 1, 0, -4, 0, 0, 1, -5, 0, 0, 0, 1])
        self.assertTrue(self.driver.execute_script(
            "return document.querySelector('[data-state=\"modelview\"]').hasAttribute('data-changed')"))
        # The bound texture (the carpet's, name 0) with a picture read back
        # from WebGL once the picture is shown.
        self.assertEqual(wait_for("the texture's picture", lambda: self.driver.execute_script(
            "var c = document.querySelector('#call-state canvas'); return c && [c.getAttribute('aria-label'), c.width]")),
            ["texture 0", 256])

        # An edit: the bookshelf's colour to green, typed; then every row
        # after it draws with it, until undone or closed.
        red = [(x, y) for y in range(own.height) for x in range(own.width // 2, own.width)
               if own.pixel(x, y)[0] > 100 and own.pixel(x, y)[1] < 60 and own.pixel(x, y)[2] < 60]
        self.held("glColor3f(1, 0, 0)")
        for k, value in ((0, "0"), (1, "1")):
            field = self.driver.find_element(By.CSS_SELECTOR, '[data-arg="%d"]' % k)
            field.send_keys(Keys.CONTROL, "a")
            field.send_keys(value)
        green = self.held(self.rows()[-1])
        # Its red faces (not the books on its front, a picture of their own).
        turned = sum(1 for x, y in red if green.pixel(x, y)[1] > 100 and green.pixel(x, y)[0] < 60)
        self.assertGreater(turned, 1000, "the bookshelf's red faces, green now")

        # The link holds the held frame: opened in a second page it chooses
        # the same call, with the same inputs, and draws the same picture.
        self.held("glColor3f(1, 0, 0)")
        chosen = lambda: self.driver.execute_script("""return [document.querySelector('[aria-selected=true]').textContent,
            [...document.querySelectorAll('#call-args input')].map(e => e.value)]""")
        link, shared = self.driver.execute_script("return Page.view.address()"), chosen()
        self.assertEqual(shared[1], ["0", "1", "0"])
        first = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        try:
            Page(self.driver, link)
            self.assertEqual(chosen(), shared)
            self.assertEqual(share_within(self.held(self.rows()[-1]), green, 0), 1, "the same picture")
            # An edit past a limit, written by hand, is shown as what is drawn.
            sphere = self.rows().index("glutSolidSphere(1, 20, 20)")
            self.driver.get("about:blank")
            Page(self.driver, link.split("&call=")[0] + "&call=%d&edit=%d,1,0,1e9" % (sphere, sphere))
            self.assertEqual(chosen(), ["glutSolidSphere(1, 20, 20)", ["1", "128", "20"]])
        finally:
            self.driver.close()
            self.driver.switch_to.window(first)

        # An array's item: the floor's first corner raised. The call reads
        # a copy; the program's own table is as it was once closed (below).
        before = self.held(self.rows()[-1])
        self.held("glVertex3fv({0, 0, 0})")
        field = self.driver.find_element(By.CSS_SELECTOR, '[data-arg="0"][data-item="1"]')
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys("0.5")
        self.assertLess(share_within(self.held(self.rows()[-1]), before, 0), 0.99, "the floor moved")

        # While the explorer is open nothing reaches the program; closing
        # gives back its picture and its variables.
        self.driver.find_element(By.ID, "calls").send_keys("w")
        self.assertEqual(self.driver.execute_script("return Page.view.text()"), view)
        self.assertEqual(self.driver.execute_script(
            "document.querySelector('[data-explorer=close]').click(); return Page.view.text()"), view)
        self.assertGreaterEqual(share_within(page.picture(), own, 0), 0.999)

    def test_the_tree_by_keyboard(self):
        page = Page(self.driver, FILES + "planets.html")
        self.open_explorer()
        focused = lambda: self.driver.execute_script(
            "var e = document.activeElement; return e.dataset.routine || e.textContent")
        self.assertEqual(focused(), "display")
        self.assertEqual(self.driver.execute_script(
            "return document.querySelectorAll('[data-routine=drawPlanet]').length"), 10, "a group a call")
        press = lambda *keys: ActionChains(self.driver).send_keys(*keys).perform()
        press(Keys.ARROW_DOWN)
        self.assertEqual(focused(), "draw_frame")
        press(Keys.PAGE_DOWN)
        self.assertEqual(focused(), "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)")
        press(Keys.PAGE_DOWN)
        self.assertEqual(focused(), "glutWireSphere(139, 40, 40)")
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.PAGE_UP).key_up(Keys.SHIFT).perform()
        self.assertEqual(focused(), "drawPlanet")
        press(Keys.ARROW_LEFT)
        self.assertEqual(self.driver.execute_script("return document.activeElement.getAttribute('aria-expanded')"), "false")
        press(Keys.ARROW_RIGHT, Keys.END, Keys.ENTER)
        self.assertEqual(focused(), "glutPostRedisplay()")
        self.assertEqual(self.driver.execute_script("return document.activeElement.getAttribute('aria-selected')"), "true")
        press(Keys.ESCAPE)
        wait_for("the explorer closed", lambda: self.driver.execute_script(
            "return document.getElementById('explorer').hidden"))
        self.assertEqual(self.driver.execute_script("return document.activeElement.dataset.action"), "explore")
        page.wait_frames(2, page.frames())

    # Each page's edits: the row, the argument, what is typed over it ("":
    # deleted) and the words beside the input then. What GL draws as it is
    # has none; past the page's limit or the C type's, the limit is drawn; no
    # number leaves the last drawn.
    MOST = "at most %s, the most %s holds; %s is drawn"
    EDITS = {
        "planets": (
            ("glutWireSphere(139, 40, 40)", 1, (
                ("1000000000", "at most 128 slices on this page; 128 is drawn"), ("0", ""), ("-7", ""),
                ("2147483648", "at most 128 slices on this page; 128 is drawn"),
                ("1e", "not a number; 1 is drawn"), ("", "empty; 1 is drawn"), ("40", ""))),
            ("glutWireSphere(139, 40, 40)", 0, (("0", ""), ("-139", ""), ("1e9", ""),
                                                ("--", "not a number; 1000000000 is drawn"))),
            ("glTranslatef(157.91, 0, 0)", 0, (("1e38", ""), ("-1e9", ""), ("0", ""), (
                "1e39", MOST % ("3.4028234663852886e+38", "a float", "3.4028234663852886e+38")))),
        ),
        "roomtour": (
            ("glBindTexture(GL_TEXTURE_2D, 1)", 1, (
                ("-1", "at least 0, the least a GLuint holds; 0 is drawn"), ("2.5", "whole numbers only; 2 is drawn"),
                ("5000000000", MOST % ("4294967295", "a GLuint", "4294967295")))),
            ("glutSolidSphere(1, 20, 20)", 2, (("1e9", "at most 128 stacks on this page; 128 is drawn"), ("-1", ""))),
            ("glutSolidCube(1)", 0, (("0", ""), ("-1", ""), ("1e9", ""), ("1e", "not a number; 1 is drawn"))),
        ),
    }

    def test_any_value_is_drawn_or_said_and_the_program_runs_on(self):
        words = lambda field: self.driver.execute_script("""
            var by = arguments[0].getAttribute('aria-describedby');
            return by ? document.getElementById(by).textContent : '';""", field)
        for name, edits in self.EDITS.items():
            with self.subTest(name):
                page = Page(self.driver, FILES + name + ".html")
                own = page.picture()
                self.open_explorer()
                for row, arg, typed in edits:
                    self.held(row)
                    field = self.driver.find_element(By.CSS_SELECTOR, '[data-arg="%d"]' % arg)
                    for text, said in typed:
                        field.send_keys(Keys.CONTROL, "a")
                        field.send_keys(text or Keys.DELETE)
                        self.assertEqual(words(field), said, "%s: %s typed" % (row, text))
                    if row.startswith("glutWireSphere") and arg == 1:
                        self.assertEqual(field.get_attribute("max"), "128")
                # Nor does the layer take what it cannot draw when called
                # straight, with what no input passes.
                for value in ("NaN", "Infinity", "-Infinity", "1e300"):
                    self.driver.execute_script("Module._web_explore_edit(arguments[0], 1, 0, %s)" % value,
                                               self.rows().index(edits[0][0]))
                self.held(self.rows()[-1])
                self.driver.find_element(By.CSS_SELECTOR, "[data-explorer=close]").click()
                page.wait_frames(2, page.frames())
                back = page.picture()
                if name == "roomtour":
                    self.assertGreaterEqual(share_within(back, own, 0), 0.999)
                else:  # the orbits move on: drawn, and as much of it
                    self.assertGreater(back.lit_pixels(), own.lit_pixels() * 0.8)
                self.assertEqual(problem(self.driver), "")

    def test_a_hundred_edits_keep_no_more_than_five(self):
        # The WebGL buffers alive, counted as the page makes and deletes them.
        script = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            var gl = WebGLRenderingContext.prototype, make = gl.createBuffer, drop = gl.deleteBuffer;
            window.buffers = 0;
            gl.createBuffer = function () { ++buffers; return make.call(this); };
            gl.deleteBuffer = function (b) { --buffers; return drop.call(this, b); };"""})
        try:
            Page(self.driver, FILES + "planets.html")
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
        kept = lambda: self.driver.execute_script("return [Module._web_meshes_kept(), buffers]")
        # One radius an animation frame, as a held arrow key steps it, so
        # that each is drawn (the explorer draws the last of a frame's).
        radii = lambda first, count: self.driver.execute_async_script("""
            var field = document.querySelector('[data-arg="0"]'), r = arguments[0], end = r + arguments[1];
            var done = arguments[arguments.length - 1];
            (function step() {
              if (r === end) return requestAnimationFrame(function () { requestAnimationFrame(done); });
              field.value = r++;
              field.dispatchEvent(new Event('input'));
              requestAnimationFrame(step);
            })();""", first, count)
        self.open_explorer()
        self.held("glutWireSphere(139, 40, 40)")
        held = kept()
        radii(140, 5)
        five = kept()
        radii(145, 95)
        self.assertEqual(kept(), five, "a hundred radii keep no more than five")
        self.driver.find_element(By.CSS_SELECTOR, "[data-explorer=close]").click()
        self.assertEqual(kept(), held, "every edited sphere let go")

    def test_a_program_that_stops_says_so_and_starts_again_at_its_view(self):
        page = Page(self.driver, FILES + "planets.html")
        page.keys("fffffjj")
        # The address follows the last key (the orbits move on after it).
        view = wait_for("the view in the address", lambda: self.driver.execute_script("""
            var camera = function (view) { return view.split('&speed')[0]; };
            return camera(location.hash.slice(1)) === camera(Page.view.text()) && location.hash"""))
        camera = page.camera()
        # A trap inside the program, as a wild pointer gives one.
        self.driver.execute_script("setTimeout(function () { Module._set_view(2147483000); })")
        said = wait_for("the stop said", lambda: problem(self.driver))
        self.assertIn("planets stopped with an error inside it: memory access out of bounds", said)
        again = self.driver.switch_to.active_element
        self.assertEqual(again.text, "Start planets again")
        self.assertFalse(self.driver.find_element(By.CSS_SELECTOR, "[data-action=share]").is_displayed(),
                         "no control left that would call into the stopped program")
        self.driver.execute_script("window.stopped = true")
        again.click()
        wait_for("planets started again", lambda: self.driver.execute_script(
            "return !window.stopped && window.Module && Module.calledRun && Module._web_frames() > 2"))
        self.assertEqual([self.driver.execute_script("return location.hash"), page.camera()], [view, camera])

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()
        cls.server.stop()
        print("\n" + "\n".join(cls.figures), file=sys.stderr)


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    unittest.main()
