# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""The Windows zip, unpacked and run under wine on Xvfb, against the Linux
build of the same commit: the same frames, pictures and output.

scripts/windows test builds both and runs this from its folder, with
VIEWER_WINDOWS_ZIP, the cross-built record tools' folder VIEWER_WINDOWS_TOOLS,
VIEWER_BIN_DIR (the Linux programs, with their record tools in ../tools),
VIEWER_SOURCE_DIR and WINEPREFIX.
"""
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

import wine
from xsession import BIN_DIR, SOURCE_DIR, Program, XServer, wait_for

ZIP = os.environ["VIEWER_WINDOWS_ZIP"]
WINDOWS_TOOLS = os.environ["VIEWER_WINDOWS_TOOLS"]
LINUX_TOOLS = os.path.join(BIN_DIR, "..", "tools")
# What the programs may import: DLLs that every Windows has.
SYSTEM_DLLS = {"ADVAPI32.dll", "GDI32.dll", "GLU32.dll", "KERNEL32.dll", "msvcrt.dll",
               "OPENGL32.dll", "USER32.dll", "WINMM.dll"}
IMAGES = ["b2_rock", "bookshelf", "carpet", "closet", "comp_desk", "door", "greenup", "officebk",
          "officert", "quilt"]
TEXT_FILES = ["LICENSE.txt", "README.txt", "licences/freeglut.txt", "licences/gcc-runtime.txt",
              "licences/mingw-w64-runtime.txt"]
# Seconds that any one wait may take: wine and a busy machine are slow.
TIMEOUT = 120
# Where a user unpacks it: a name with a space and a letter outside ASCII.
UNPACK_TO = "Übungen 3D"
# Record tool runs: program, keys typed first, frames, idle steps between frames.
RECORDINGS = [
    ("roomtour", "", 1, 0),
    ("roomtour", "jjjjjjjjjjjjjjjjkkk", 2, 5),
    ("planets", "wwwwwwwwwwffffjj", 3, 40),
]

server = None
work = None
folder = None


def setUpModule():
    global server, work, folder
    work = tempfile.mkdtemp()
    with zipfile.ZipFile(ZIP) as archive:
        archive.extractall(os.path.join(work, UNPACK_TO))
    folder = os.path.join(work, UNPACK_TO, os.path.basename(ZIP)[:-len(".zip")])
    server = XServer()
    wine.boot(server)


def tearDownModule():
    wine.stop(server)
    server.stop()
    shutil.rmtree(work)


class TheZip(unittest.TestCase):
    def test_it_unpacks_into_one_folder_with_the_programs_pictures_and_notices(self):
        with zipfile.ZipFile(ZIP) as archive:
            names = archive.namelist()
        top = os.path.basename(ZIP)[:-len(".zip")] + "/"
        self.assertTrue(all(name.startswith(top) for name in names), names)
        files = sorted(name[len(top):] for name in names if not name.endswith("/"))
        self.assertEqual(files, sorted(["planets.exe", "roomtour.exe", *TEXT_FILES,
                                        *("img/%s.tga" % image for image in IMAGES)]))

    def test_every_text_file_has_windows_line_endings(self):
        for name in TEXT_FILES:
            with self.subTest(name), open(os.path.join(folder, name), "rb") as f:
                text = f.read()
                self.assertTrue(text.endswith(b"\r\n"))
                self.assertEqual(text.count(b"\n"), text.count(b"\r\n"))

    def test_each_program_imports_only_dlls_that_every_windows_has(self):
        for program in ["roomtour.exe", "planets.exe"]:
            with self.subTest(program):
                dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", os.path.join(folder, program)],
                                      check=True, capture_output=True, text=True).stdout
                imported = {line.split()[-1] for line in dump.splitlines() if "DLL Name:" in line}
                self.assertTrue(imported, "objdump names no DLL")
                self.assertLessEqual(imported, SYSTEM_DLLS)


class RecordTools(unittest.TestCase):
    def test_frames_are_the_linux_frames_byte_for_byte(self):
        for program, keys, frames, steps in RECORDINGS:
            with self.subTest(program=program, keys=keys):
                out = tempfile.mkdtemp(dir=work)
                linux = subprocess.run(
                    [os.path.join(LINUX_TOOLS, "record_" + program), os.path.join(out, "linux"),
                     str(frames), str(steps), keys], cwd=SOURCE_DIR, env=server.env, check=True,
                    capture_output=True, text=True, timeout=120)
                # The Windows tool runs in the unpacked folder, which holds img/.
                status, camera = wine.run(server, folder, os.path.join(WINDOWS_TOOLS, "record_%s.exe" % program),
                                          os.path.join(out, "windows"), str(frames), str(steps), keys)
                self.assertEqual(status, 0)
                self.assertEqual(camera.decode().split(), linux.stdout.split(), "the camera after the keys")
                for frame in range(frames):
                    with open(os.path.join(out, "linux%03d.ppm" % frame), "rb") as f:
                        expected = f.read()
                    with open(os.path.join(out, "windows%03d.ppm" % frame), "rb") as f:
                        self.assertTrue(f.read() == expected, "frame %d differs" % frame)


# Each of these takes a program through some steps and calls see() where it
# looks at the picture: see(before) expects a change from `before`, see()
# none. The Linux program sees what it draws; the Windows one is then held
# to each of those pictures in turn.
def roomtour_walks(program, see):
    start = see()
    program.keys(*"jjjjjjwwwwdii")
    see(start)


def roomtour_resets(program, see):
    start = see()
    program.keys(*"wwwwwwwwww")
    walked = see(start)
    program.choose(0)
    see(walked)


def planets_moves_frozen(program, see):
    """Frozen, planets holds still, so its pictures can be compared."""
    start = program.screenshot()
    program.choose(1)
    frozen = see(start)
    program.keys(*"wwwwwwffffjjjaa")
    return frozen, see(frozen)


def planets_menu(program, see):
    """Freeze; the speeds leave it frozen; Reset view brings the eye back;
    Unfreeze sets the planets going."""
    frozen, moved = planets_moves_frozen(program, see)
    for entry in (2, 3, 4):
        program.choose(entry)
    see()
    program.choose(0)
    see(moved)
    program.choose(1)
    program.changed(frozen, "(Un)Freeze to set the planets going")


class ThePrograms(unittest.TestCase):
    """The real programs from the unpacked folder, after the Linux ones."""

    def assertSamePictures(self, name, steps):
        """Runs `steps` on the Linux program, then on the Windows one;
        returns the Linux program's pictures."""
        linux = Program(server, name, cwd=SOURCE_DIR, timeout=TIMEOUT)
        seen = []
        try:
            steps(linux, lambda before=None: seen.append(
                linux.moved(before) if before else linux.steady()) or seen[-1])
        finally:
            linux.stop()
        windows = wine.WineProgram(server, name, folder, timeout=TIMEOUT)
        shown = iter(seen)

        def see(before=None):
            expected = next(shown)
            index = seen.index(expected)
            return wait_for("%s's picture %d in %s to be Linux's" % (name, index, steps.__name__),
                            lambda: windows.screenshot().rgb == expected.rgb and expected,
                            windows.timeout)
        try:
            steps(windows, see)
        finally:
            windows.stop()
        return [picture.rgb for picture in seen]

    def test_roomtour_draws_the_linux_picture_at_the_start_and_after_the_same_keys(self):
        self.assertSamePictures("roomtour", roomtour_walks)

    def test_keys_move_planets_as_on_linux(self):
        self.assertSamePictures("planets", planets_moves_frozen)

    def test_the_menu_entries_act_as_on_linux(self):
        walked, reset = self.assertSamePictures("roomtour", roomtour_resets)[1:]
        self.assertNotEqual(walked, reset)
        frozen, moved, after_speeds, reset = self.assertSamePictures("planets", planets_menu)
        self.assertTrue(after_speeds == moved, "the speed entries leave it frozen")
        self.assertTrue(reset == frozen, "Reset view brings back the start view")

    def test_roomtour_without_img_prints_the_same_bytes_as_on_linux(self):
        bare = os.path.join(work, "ohne Bilder é")
        os.mkdir(bare)
        shutil.copy(os.path.join(folder, "roomtour.exe"), bare)
        linux = Program(server, "roomtour", cwd=bare, timeout=TIMEOUT)
        try:
            expected = wait_for("the Linux program's ten messages",
                                lambda: linux.output().count("Error reading") == 10 and linux.output(),
                                linux.timeout)
        finally:
            linux.stop()
        windows = wine.WineProgram(server, "roomtour", bare, timeout=TIMEOUT)
        self.addCleanup(windows.stop)
        self.assertEqual(windows.output_when(expected), expected)


if __name__ == "__main__":
    unittest.main()
