"""The real roomtour under Xvfb: its window, keys, menu and output."""
import unittest

from xsession import Program, XServer

TITLE = "HARQ514 Final Project"
# Every camera key in both cases, the step-size keys, and keys it ignores.
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "bracketleft", "bracketright", "braceleft", "braceright",
            "asciitilde", "1", "Escape", "Up", "F1", "x"]


class RoomtourWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "roomtour", TITLE)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def test_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLE)
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_keys_and_menu_are_handled_and_nothing_is_printed(self):
        self.program.keys(*ALL_KEYS)
        self.program.choose(0, 1)
        self.program.keys("w", "j")
        self.program.settle()
        self.assertTrue(self.program.alive())
        self.assertEqual(self.program.output(), "")


if __name__ == "__main__":
    unittest.main()
