# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""The pages' main-thread script time a frame, today's build beside another
commit's, in one run of headless Chromium with SwiftShader.

Builds COMMIT's pages in a temporary git worktree with the commands that
build today's (emcmake cmake, cmake --build), serves both, and loads each page
in turn, interleaved, `--loads` times (today's also from the disk):
roomtour without its pictures (?noimages) and with them, planets, and a bare page
that only clears its canvas each animation frame (the browser's own floor).
For each load it reads Chrome's Performance metrics at the start and the end
of a window of `--seconds`: ScriptDuration over the frames drawn in it, and
the frames a second; and when the first frame was drawn. Prints the median
of the loads. A benchmark, not a test: nothing is
asserted about a time.

With --explorer it measures instead how quickly the explorer answers, from
the input until the second animation frame after it, when the picture is on
the screen: opening it, choosing a call (a click on one of a few rows in
turn), an edit (a colour typed in turn) and a pixel asked about (a click
on the picture, at points in turn), each input 0 to 15 ms into a
frame, as a person's comes; and the floor, an input that does nothing. The
median of many of each, in each load, then the median of the loads. COMMIT
defaults to 1d5015b then.

With --outside it measures instead today's pages with the camera from
outside hidden and shown, interleaved: the script time a frame and the
frames a second.

With --network it measures instead when each page draws its first frame on a
slow phone connection (DevTools' network emulation: 150 ms latency,
1.6 Mbit/s down, 750 kbit/s up, no cache), served as they are and served
gzipped as most web servers serve HTML; the transfer, not the busy machine,
sets those times. --then DIR takes COMMIT's pages already built in DIR.

Runs with Debian's python3 (Selenium, chromium-driver): scripts/web bench [COMMIT].
"""
import argparse
import functools
import gzip
import http.server
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SOURCE_DIR = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
# The commit before the pages drew on the GPU (docs/PERFORMANCE.md).
BASELINE = "623f98c"
# The explorer before it was made quick.
EXPLORER_BASELINE = "1d5015b"
PAGES = ("roomtour.html?noimages", "roomtour.html", "planets.html")

# A canvas like the programs', cleared each animation frame and nothing more;
# it counts its frames as the programs' pages do.
BARE_PAGE = """<!doctype html>
<html><head><meta charset="utf-8"><title>bare</title></head>
<body><canvas id="canvas" width="500" height="500"></canvas>
<script>
  var frames = 0;
  var gl = document.getElementById('canvas').getContext('webgl', {
    alpha: false, depth: true, stencil: false, antialias: false, preserveDrawingBuffer: false});
  function frame() {
    gl.clearColor(0, 0, 0, 0);
    gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
    ++frames;
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
  var Module = {calledRun: true, _web_frames: function () { return frames; }};
</script></body></html>
"""


def build(source, folder):
    """Builds the pages of the tree at `source` into `folder`; returns where
    they land (site/ today, bin/ before the pages were single files)."""
    env = dict(os.environ, NODE_PATH="/usr/share/nodejs")
    configure = subprocess.run(["emcmake", "cmake", "-S", source, "-B", folder, "-G", "Ninja",
                                "-DCMAKE_BUILD_TYPE=Release"], env=env, capture_output=True, text=True)
    if configure.returncode != 0:
        sys.stderr.write(configure.stdout + configure.stderr)
        raise SystemExit("configuring %s failed" % source)
    subprocess.run(["cmake", "--build", folder], env=env, check=True, stdout=subprocess.DEVNULL)
    site = os.path.join(folder, "site")
    return site if os.path.isdir(site) else os.path.join(folder, "bin")


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


class Gzipped(Quiet):
    """Serves each page gzipped to a browser that takes it."""

    def send_head(self):
        if "gzip" not in self.headers.get("Accept-Encoding", "") or not self.path.endswith(".html"):
            return super().send_head()
        path = self.translate_path(self.path)
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), compresslevel=6, mtime=0)
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
        return None


def serve(folder, handler=Quiet):
    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=folder))
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd, "http://127.0.0.1:%d/" % httpd.server_address[1]


# Run before each page's own scripts: notes when the program's first frame
# was drawn, in ms from the start of navigation.
FIRST_FRAME = """
(function poll() {
  if (window.Module && Module.calledRun && Module._web_frames() > 0) window.firstFrame = performance.now();
  else requestAnimationFrame(poll);
})();"""


def frames(driver):
    return driver.execute_script("return window.Module && Module.calledRun ? Module._web_frames() : 0")


def metrics(driver):
    found = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    values = {m["name"]: m["value"] for m in found}
    return values["ScriptDuration"], values["Timestamp"], frames(driver)


def measure(driver, url, seconds, outside=False):
    """(script ms a frame, frames a second, first frame ms) over `seconds`
    of one load; with `outside`, the camera from outside shown."""
    driver.get(url)
    driver.execute_cdp_cmd("Performance.enable", {})
    deadline = time.monotonic() + 60
    while frames(driver) < 10:
        if time.monotonic() > deadline:
            raise SystemExit("%s drew no frames" % url)
        time.sleep(0.05)
    if outside:
        driver.execute_script("document.querySelector('[data-action=\"outside\"]').click()")
        shown = frames(driver)
        while frames(driver) < shown + 10:
            time.sleep(0.05)
    script0, at0, frames0 = metrics(driver)
    time.sleep(seconds)
    script1, at1, frames1 = metrics(driver)
    drawn = max(frames1 - frames0, 1)
    first = driver.execute_script("return window.firstFrame")
    return 1000 * (script1 - script0) / drawn, drawn / (at1 - at0), first


# The explorer's answers, in ms from the input to the second animation
# frame after it: `act` is run, then `done` is called with the time.
EXPLORER = """
var done = arguments[arguments.length - 1], times = {floor: [], open: [], choose: [], edit: [], pixel: []};
// A person's input comes at any point of a frame: the inputs come 0 to 15 ms
// into one, in a fixed order, the same for both builds.
var phase = 0;
var timed = function (kind, act, next) {
  phase = (phase + 7) % 16;
  setTimeout(function () {
    var start = performance.now();
    act();
    requestAnimationFrame(function () { requestAnimationFrame(function () {
      times[kind].push(performance.now() - start);
      next();
    }); });
  }, phase);
};
var control = document.querySelector('[data-action="explore"]');
var rows = function () { return [].slice.call(document.querySelectorAll('[data-call]')); };
var named = function (text) { return rows().filter(function (r) { return r.textContent === text; })[0]; };
var steps = [], i;
for (i = 0; i < arguments[0]; ++i) {
  steps.push(['open', function () { control.click(); }]);
  steps.push([null, function () { control.click(); }]);  // closed again, untimed
}
steps.push([null, function () { control.click(); }]);
for (i = 0; i < arguments[0]; ++i) steps.push(['floor', function () {}]);
var picks = arguments[1];
for (i = 0; i < arguments[2]; ++i) steps.push(['choose', (function (text) {
  return function () { (named(text) || rows()[rows().length - 1]).click(); };
})(picks[i % picks.length])]);
steps.push([null, function () { (named(picks[0]) || rows()[0]).click(); }]);
for (i = 0; i < arguments[2]; ++i) steps.push(['edit', (function (value) {
  return function () {
    var field = document.querySelector('[data-arg="0"]');
    field.value = value;
    field.dispatchEvent(new Event('input'));
  };
})(i % 2 ? '0.25' : '0.75')]);
// Why this pixel: a click on the picture at points in turn (the last row
// chosen, so the whole frame is asked about).
steps.push([null, function () { rows()[rows().length - 1].click(); }]);
for (i = 0; i < arguments[0]; ++i) steps.push(['pixel', (function (i) {
  return function () {
    var c = document.getElementById('canvas'), box = c.getBoundingClientRect();
    c.dispatchEvent(new MouseEvent('click', {clientX: box.left + 40 + 47 * i % 420, clientY: box.top + 60 + 83 * i % 380}));
  };
})(i)]);
(function next() {
  var step = steps.shift();
  if (!step) return done(times);
  if (step[0]) return timed(step[0], step[1], next);
  step[1]();
  requestAnimationFrame(function () { requestAnimationFrame(next); });
})();
"""
# The rows each page's choices go through in turn; the first is edited.
EXPLORER_ROWS = {"roomtour.html": ["glColor3f(1, 0, 0)", "glutSolidCube(1)", "glEnd()", "glutPostRedisplay()"],
                 "planets.html": ["glColor3f(1, 0, 0)", "glutWireSphere(139, 40, 40)", "glEnd()",
                                  "glutPostRedisplay()"]}


def explorer(driver, urls, commit, loads, count):
    """Open, choose and edit, each the median of `count` in a load, then of
    the loads, interleaved."""
    runs = [(page, build_name) for page in ("roomtour.html", "planets.html") for build_name in ("today", commit)]
    results = {run: {"floor": [], "open": [], "choose": [], "edit": [], "pixel": []} for run in runs}
    for load in range(loads):
        print("Load %d of %d..." % (load + 1, loads), flush=True)
        for page, build_name in runs:
            driver.get("about:blank")
            driver.get(urls[build_name] + page)
            deadline = time.monotonic() + 60
            while frames(driver) < 10:
                if time.monotonic() > deadline:
                    raise SystemExit("%s drew no frames" % page)
                time.sleep(0.05)
            times = driver.execute_async_script(EXPLORER, count, EXPLORER_ROWS[page], 2 * count)
            for kind, values in times.items():
                results[(page, build_name)][kind].append(statistics.median(values))
    print("\nThe explorer's answers, ms from the input to the second animation frame after it;"
          " median of %d loads, each the median of %d opens and %d choices and edits" % (loads, count, 2 * count))
    print("%-15s %-9s %8s %8s %8s %8s %8s" % ("page", "build", "floor", "open", "choose", "edit", "pixel"))
    for page, build_name in runs:
        r = results[(page, build_name)]
        print("%-15s %-9s %8.1f %8.1f %8.1f %8.1f %8.1f" % ((page, build_name) + tuple(
            statistics.median(r[k]) for k in ("floor", "open", "choose", "edit", "pixel"))))
    for page in ("roomtour.html", "planets.html"):
        now, then = results[(page, "today")], results[(page, commit)]
        print("%s: today's open, choose and edit are %s of %s's" % (page, ", ".join(
            "%.2f" % (statistics.median(now[k]) / statistics.median(then[k])) for k in ("open", "choose", "edit")),
            commit))


# A slow phone connection, in bytes a second.
SLOW_NETWORK = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8,
                "uploadThroughput": 750e3 / 8}


def first_frame(driver, url):
    """When the page's first frame was drawn, in ms from the start of navigation."""
    driver.get(url)
    deadline = time.monotonic() + 120
    while True:
        first = driver.execute_script("return window.firstFrame")
        if first is not None:
            return first
        if time.monotonic() > deadline:
            raise SystemExit("%s drew no frame" % url)
        time.sleep(0.05)


def network(driver, urls, commit, loads):
    """The first frame of each page over the slow connection: the median of
    `loads` loads, interleaved."""
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", SLOW_NETWORK)
    runs = [(page, build_name, served) for page in ("roomtour.html", "planets.html")
            for build_name in (commit, "today") for served in ("as is", "gzipped")]
    results = {run: [] for run in runs}
    for load in range(loads):
        print("Load %d of %d..." % (load + 1, loads), flush=True)
        for page, build_name, served in runs:
            results[(page, build_name, served)].append(
                first_frame(driver, urls[(build_name, served)] + page))
    print("\nFirst frame over 150 ms latency, 1.6 Mbit/s down, 750 kbit/s up, no cache;"
          " median of %d loads" % loads)
    print("%-15s %-9s %-8s %9s %10s %13s" % ("page", "build", "served", "KiB sent", "first s",
                                           "least-most s"))
    for page, build_name, served in runs:
        folder = urls[(build_name, "folder")]
        with open(os.path.join(folder, page), "rb") as f:
            body = f.read()
        sent = len(gzip.compress(body, compresslevel=6, mtime=0) if served == "gzipped" else body)
        times = [ms / 1000 for ms in results[(page, build_name, served)]]
        print("%-15s %-9s %-8s %9d %10.2f %6.2f-%.2f" % (page, build_name, served, round(sent / 1024),
                                                         statistics.median(times), min(times),
                                                         max(times)))


def sizes(folder, program):
    """KiB of the page, and of its script and WebAssembly where they are
    files of their own."""
    paths = [os.path.join(folder, program + ext) for ext in (".html", ".js", ".wasm")]
    return "+".join("%d" % round(os.path.getsize(p) / 1024) for p in paths if os.path.exists(p))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("commit", nargs="?")
    parser.add_argument("--now", default=os.path.join(SOURCE_DIR, "build-web", "site"),
                        help="today's built pages (scripts/web builds them)")
    parser.add_argument("--loads", type=int, default=5)
    parser.add_argument("--seconds", type=float, default=5)
    parser.add_argument("--network", action="store_true",
                        help="the first frame over a slow connection instead")
    parser.add_argument("--explorer", action="store_true",
                        help="the explorer's open, choose and edit instead")
    parser.add_argument("--count", type=int, default=10, help="opens in a load (--explorer)")
    parser.add_argument("--outside", action="store_true",
                        help="today's pages with the camera from outside shown and hidden instead")
    parser.add_argument("--then", help="COMMIT's pages, already built in this folder")
    args = parser.parse_args()
    args.commit = args.commit or (EXPLORER_BASELINE if args.explorer else BASELINE)
    commit = subprocess.run(["git", "-C", SOURCE_DIR, "rev-parse", "--short", args.commit + "^{commit}"],
                            check=True, capture_output=True, text=True).stdout.strip()

    scratch = tempfile.mkdtemp(prefix="bench-pages-")
    tree = os.path.join(scratch, "tree")
    servers, driver = [], None
    try:
        if args.then:
            before = args.then
        else:
            subprocess.run(["git", "-C", SOURCE_DIR, "worktree", "add", "--detach", "--quiet", tree,
                            commit], check=True)
            print("Building %s's pages in a temporary worktree..." % commit, flush=True)
            before = build(tree, os.path.join(tree, "build-web"))
        bare = os.path.join(scratch, "bare")
        os.mkdir(bare)
        with open(os.path.join(bare, "bare.html"), "w") as page:
            page.write(BARE_PAGE)

        urls = {}
        for name, folder in (("today", args.now), (commit, before), ("bare", bare)):
            httpd, base = serve(folder)
            servers.append(httpd)
            urls[name] = base
        urls["today, disk"] = "file://" + os.path.abspath(args.now) + "/"
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=800,800",
                     "--user-data-dir=" + os.path.join(scratch, "profile")):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME})
        if args.explorer:
            explorer(driver, urls, commit, args.loads, args.count)
            return
        if args.outside:
            runs = [(page, shown) for page in ("roomtour.html", "planets.html") for shown in (False, True)]
            results = {run: [] for run in runs}
            for load in range(args.loads):
                print("Load %d of %d..." % (load + 1, args.loads), flush=True)
                for page, shown in runs:
                    results[(page, shown)].append(measure(driver, urls["today"] + page, args.seconds, shown))
            print("\nThe camera from outside: median of %d loads, %g s each" % (args.loads, args.seconds))
            print("%-15s %-8s %10s %10s" % ("page", "outside", "script ms", "frames/s"))
            for page, shown in runs:
                print("%-15s %-8s %10.3f %10.1f" % (page, "shown" if shown else "hidden", *(
                    statistics.median(r[k] for r in results[(page, shown)]) for k in (0, 1))))
            for page in ("roomtour.html", "planets.html"):
                hidden, shown = results[(page, False)], results[(page, True)]
                print("%s: shown, the script time a frame is %.2f and the frames a second %.2f of hidden" % (
                    page, *(statistics.median(r[k] for r in shown) / statistics.median(r[k] for r in hidden)
                            for k in (0, 1))))
            return
        if args.network:
            for name, folder in (("today", args.now), (commit, before)):
                httpd, base = serve(folder, Gzipped)
                servers.append(httpd)
                urls[(name, "as is")], urls[(name, "gzipped")] = urls[name], base
                urls[(name, "folder")] = folder
            network(driver, urls, commit, args.loads)
            return

        runs = [(page, build_name) for page in PAGES for build_name in ("today", "today, disk", commit)]
        runs.append(("bare.html", "bare"))
        results = {run: [] for run in runs}
        for load in range(args.loads):
            print("Load %d of %d..." % (load + 1, args.loads), flush=True)
            for page, build_name in runs:
                results[(page, build_name)].append(measure(driver, urls[build_name] + page, args.seconds))

        print("\nMedian of %d loads, %g s each; script = the renderer's main-thread script time;"
              " first = the first frame, from the start of navigation; disk = from file://"
              % (args.loads, args.seconds))
        print("%-24s %-11s %10s %10s %8s %9s" % ("page", "build", "script ms", "frames/s", "÷ bare",
                                                 "first ms"))
        floor = statistics.median(r[0] for r in results[("bare.html", "bare")])
        for page, build_name in runs:
            script = statistics.median(r[0] for r in results[(page, build_name)])
            fps = statistics.median(r[1] for r in results[(page, build_name)])
            first = statistics.median(r[2] for r in results[(page, build_name)])
            print("%-24s %-11s %10.3f %10.1f %8.1f %9.0f" % (page, build_name, script, fps, script / floor,
                                                              first))
        for page in PAGES:
            today = statistics.median(r[0] for r in results[(page, "today")])
            then = statistics.median(r[0] for r in results[(page, commit)])
            print("%s: today's script time a frame is %.2f of %s's" % (page, today / then, commit))
        print("\nFiles, KiB (page + script + WebAssembly):")
        for program in ("roomtour", "planets"):
            print("  %-9s today %s, %s %s" % (program, sizes(args.now, program), commit,
                                               sizes(before, program)))
    finally:
        if driver is not None:
            driver.quit()
        for httpd in servers:
            httpd.shutdown()
        if not args.then:
            subprocess.run(["git", "-C", SOURCE_DIR, "worktree", "remove", "--force", tree],
                           stderr=subprocess.DEVNULL)
            subprocess.run(["git", "-C", SOURCE_DIR, "worktree", "prune"])
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
