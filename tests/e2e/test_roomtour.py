"""The real roomtour under Xvfb: its window, keys, menu, pictures and output."""
import tempfile
import unittest

from xsession import Program, XServer

TITLE = "HARQ514 Final Project"
IMAGES = ["carpet", "b2_rock", "closet", "bookshelf", "quilt", "officebk", "officert", "greenup",
          "comp_desk", "door"]
# Every camera key in both cases, the step-size keys, and keys it ignores.
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "bracketleft", "bracketright", "braceleft", "braceright",
            "asciitilde", "1", "Escape", "Up", "F1", "x"]


def reddish(picture):
    """How many pixels are clearly red (the lit top of the bookshelf)."""
    rgb = picture.rgb
    return sum(1 for i in range(0, len(rgb), 3) if rgb[i] > rgb[i + 1] + 40 and rgb[i] > rgb[i + 2] + 40)


class RoomtourWithImages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "roomtour", TITLE)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def test_1_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLE)
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_2_keys_move_the_view_and_reset_goes_to_one_fixed_pose(self):
        p = self.program
        start = p.screenshot()
        self.assertGreater(start.lit_share(), 0.6, "the room is drawn")
        p.keys(*["w"] * 10)
        p.settle()
        self.assertNotEqual(p.screenshot().rgb, start.rgb, "W moves the eye")

        p.choose(0, 1)
        p.settle()
        first_reset = p.screenshot()
        self.assertNotEqual(first_reset.rgb, start.rgb, "the reset pose is not the start pose")
        p.keys("j", "j", "j", "w", "w", "f", "i", "bracketright", "braceright")
        p.settle()
        self.assertNotEqual(p.screenshot().rgb, first_reset.rgb)
        p.choose(0, 1)
        p.settle()
        self.assertEqual(p.screenshot().rgb, first_reset.rgb, "reset ends in the same picture")

    def test_3_every_key_is_taken_silently(self):
        self.program.keys(*ALL_KEYS)
        self.program.settle()
        self.assertTrue(self.program.alive())
        self.assertEqual(self.program.output(), "")


class RoomtourWithoutImages(unittest.TestCase):
    def test_reports_each_missing_image_and_still_draws_the_room(self):
        server = XServer()
        try:
            with tempfile.TemporaryDirectory() as empty:
                program = Program(server, "roomtour", TITLE, cwd=empty)
                try:
                    program.settle(1)
                    expected = "".join("Error reading ./img/%s.tga" % name for name in IMAGES)
                    self.assertEqual(program.output(), expected)
                    picture = program.screenshot()
                    self.assertGreater(picture.lit_share(), 0.9, "the room is drawn, untextured")
                    self.assertGreater(reddish(picture), 2000, "the red bookshelf shows")
                    self.assertTrue(program.alive())
                finally:
                    program.stop()
        finally:
            server.stop()


if __name__ == "__main__":
    unittest.main()
