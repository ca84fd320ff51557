"""The real planets under Xvfb: its window, keys, menu, pictures and output."""
import time
import unittest

from xsession import Program, XServer

TITLE = "Quibblerama!"
RESET, FREEZE, SPEED_UP, SLOW_DOWN, NORMAL = range(5)
ENTRIES = 5
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "x", "bracketleft", "braceright", "1", "Escape", "Left", "F5"]


class Planets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "planets", TITLE)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def changes(self):
        """How many pixels change over a second."""
        first = self.program.screenshot().rgb
        time.sleep(1)
        second = self.program.screenshot().rgb
        return sum(1 for i in range(0, len(first), 3) if first[i:i + 3] != second[i:i + 3])

    def still(self):
        return self.changes() == 0

    def choose(self, entry, times=1):
        for _ in range(times):
            self.program.choose(entry, ENTRIES)
        self.program.settle()

    def test_1_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLE)
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_2_orbits_move_untouched(self):
        self.assertFalse(self.still())

    def test_3_frozen_picture_holds_and_reset_view_returns_to_it(self):
        self.choose(FREEZE)
        frozen = self.program.screenshot()
        self.assertTrue(self.still(), "frozen, nothing moves")
        self.program.keys(*["w"] * 20 + ["j", "j", "f", "f", "i"])
        self.program.settle()
        self.assertNotEqual(self.program.screenshot().rgb, frozen.rgb, "keys move the camera")
        self.choose(RESET)
        self.assertEqual(self.program.screenshot().rgb, frozen.rgb, "back at the start pose")
        self.choose(FREEZE)
        self.assertNotEqual(self.program.screenshot().rgb, frozen.rgb, "unfrozen, they jump on")
        self.assertFalse(self.still())

    def test_4_speed_entries_change_how_fast_the_orbits_go(self):
        normal = self.changes()
        self.choose(SLOW_DOWN, 10)  # 1/1024
        slow = self.changes()
        self.assertLess(slow, normal / 5, "halved ten times, little moves")
        self.choose(SPEED_UP, 10)  # back to 1
        self.assertGreater(self.changes(), slow * 3, "doubled ten times, back to speed")
        self.choose(SLOW_DOWN, 10)
        self.choose(NORMAL)
        self.assertGreater(self.changes(), slow * 3, "normal speed at once")

    def test_5_every_key_is_taken_silently(self):
        self.program.keys(*ALL_KEYS)
        self.program.settle()
        self.assertTrue(self.program.alive())
        self.assertEqual(self.program.output(), "")


if __name__ == "__main__":
    unittest.main()
