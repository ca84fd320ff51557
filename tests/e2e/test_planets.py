"""The real planets under Xvfb: its window, keys, menu and output."""
import unittest

from xsession import Program, XServer

TITLE = "Quibblerama!"
ENTRIES = 5
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "x", "bracketleft", "braceright", "1", "Escape", "Left", "F5"]


class PlanetsWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "planets", TITLE)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def test_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLE)
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_keys_and_every_menu_entry_are_handled_and_nothing_is_printed(self):
        self.program.keys(*ALL_KEYS)
        for entry in range(ENTRIES):
            self.program.choose(entry, ENTRIES)
        self.program.settle()
        self.assertTrue(self.program.alive())
        self.assertEqual(self.program.output(), "")


if __name__ == "__main__":
    unittest.main()
