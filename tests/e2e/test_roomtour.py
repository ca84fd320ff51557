# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""The real roomtour under Xvfb: its window, keys, menu, pictures and output.

The fan turns all the time, but it is out of view in the start pose and in
the poses below other than the one that looks up at it, so those pictures
hold still once the program has handled what it was sent.
"""
import tempfile
import unittest

from xsession import TITLES, Program, XServer, wait_for

IMAGES = ["carpet", "b2_rock", "closet", "bookshelf", "quilt", "officebk", "officert", "greenup",
          "comp_desk", "door"]
# What roomtour prints when it finds none of its images.
MISSING_IMAGES = "".join("Error reading ./img/%s.tga" % name for name in IMAGES)
# Every camera key in both cases, the step-size keys, and keys it ignores.
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "bracketleft", "bracketright", "braceleft", "braceright",
            "asciitilde", "1", "Escape", "Up", "F1", "x"]
# From the middle of the room, this many presses of K tilt the view up to the
# fan at the middle of the ceiling.
TILT_TO_FAN = 10


def count(picture, test):
    rgb = picture.rgb
    return sum(1 for i in range(0, len(rgb), 3) if test(rgb[i], rgb[i + 1], rgb[i + 2]))


def reddish(picture):
    """How many pixels are clearly red (the lit top of the bookshelf)."""
    return count(picture, lambda r, g, b: r > g + 40 and r > b + 40)


class RoomtourWithImages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "roomtour")

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def test_1_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLES["roomtour"])
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_2_the_fan_turns_while_nothing_is_pressed(self):
        p = self.program
        start = p.steady("the start pose to hold still")
        p.keys(*["K"] * TILT_TO_FAN)
        seen = p.changed(start, "K to tilt the view")
        # The last keys may show in the next frame or two; after that only the fan moves.
        for _ in range(3):
            seen = p.changed(seen, "the fan to turn")
        white = count(seen, lambda r, g, b: min(r, g, b) > 240)
        self.assertGreater(white, 10000, "the white blades show")
        p.keys(*["I"] * TILT_TO_FAN)
        wait_for("I to tilt back to the start pose", lambda: p.screenshot().rgb == start.rgb,
                 p.timeout)

    def test_3_keys_move_the_view_silently_and_reset_goes_to_one_fixed_pose(self):
        p = self.program
        start = p.steady()
        self.assertGreater(start.lit_share(), 0.6, "the room is drawn")
        p.keys(*["w"] * 10)
        walked = p.moved(start, "W to move the eye")

        p.choose(0)
        first_reset = p.moved(walked, "Reset view to move the eye")
        self.assertNotEqual(first_reset.rgb, start.rgb, "the reset pose is not the start pose")
        p.keys(*ALL_KEYS, "j", "j", "j", "w", "w", "f", "i", "bracketright", "braceright")
        p.moved(first_reset, "the keys to move the eye")
        self.assertTrue(p.alive())
        self.assertEqual(p.output(), "", "every key is taken silently")
        p.choose(0)
        wait_for("Reset view to give the same picture again",
                 lambda: p.screenshot().rgb == first_reset.rgb, p.timeout)


class RoomtourWithoutImages(unittest.TestCase):
    def test_reports_each_missing_image_and_still_draws_the_room(self):
        server = XServer()
        try:
            with tempfile.TemporaryDirectory() as empty:
                program = Program(server, "roomtour", cwd=empty)
                try:
                    self.assertEqual(program.output_when(MISSING_IMAGES), MISSING_IMAGES)
                    picture = program.steady()
                    self.assertGreater(picture.lit_share(), 0.9, "the room is drawn, untextured")
                    self.assertGreater(reddish(picture), 2000, "the red bookshelf shows")
                    self.assertTrue(program.alive())
                finally:
                    program.stop()
        finally:
            server.stop()


if __name__ == "__main__":
    unittest.main()
