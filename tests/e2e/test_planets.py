# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""The real planets under Xvfb: its window, keys, menu, pictures and output."""
import unittest

from xsession import TITLES, Program, XServer, wait_for

RESET, FREEZE, SPEED_UP, SLOW_DOWN, NORMAL = range(5)
ALL_KEYS = ["w", "s", "a", "d", "f", "v", "j", "l", "i", "k", "W", "S", "A", "D", "F", "V", "J",
            "L", "I", "K", "x", "bracketleft", "braceright", "1", "Escape", "Left", "F5"]
# Halved this often, the orbits move so little that hardly any of SHOTS
# screenshots in a row differs from the one before; at normal speed most do.
# Counting screenshots, not seconds, keeps the comparison fair on a busy machine.
HALVINGS = 16
SHOTS = 8


class Planets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        cls.program = Program(cls.server, "planets")

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.server.stop()

    def changes(self):
        """How many of SHOTS screenshots in a row differ from the one before."""
        before, changed = self.program.screenshot().rgb, 0
        for _ in range(SHOTS):
            now = self.program.screenshot().rgb
            changed += now != before
            before = now
        return changed

    def choose(self, entry, times=1):
        for _ in range(times):
            self.program.choose(entry)

    def test_1_window_has_its_title_and_a_500_by_500_client_area(self):
        self.assertEqual(self.program.name(), TITLES["planets"])
        self.assertEqual(self.program.geometry(), (100, 100, 500, 500))

    def test_2_orbits_move_untouched(self):
        self.program.changed(self.program.screenshot(), "the planets to move")

    def test_3_frozen_picture_holds_keys_move_the_camera_silently_and_reset_view_returns(self):
        p = self.program
        self.choose(FREEZE)
        frozen = p.steady("the frozen planets to hold still")
        p.keys(*ALL_KEYS, *["w"] * 20, "j", "j", "f", "f", "i")
        p.moved(frozen, "the keys to move the camera")
        self.assertTrue(p.alive())
        self.assertEqual(p.output(), "", "every key is taken silently")
        self.choose(RESET)
        wait_for("Reset view to return to the start pose", lambda: p.screenshot().rgb == frozen.rgb,
                 p.timeout)
        self.choose(FREEZE)
        p.changed(p.changed(frozen, "unfrozen, the planets to jump on"), "the planets to move on")

    def test_4_speed_entries_change_how_fast_the_orbits_go(self):
        normal = self.changes()
        self.choose(SLOW_DOWN, HALVINGS)
        slow = self.changes()
        self.assertLess(slow * 3, normal, "halved %d times, most screenshots agree" % HALVINGS)
        # Back to speed, the orbits move in at least half of the screenshots of
        # some run of SHOTS: one run may be starved by a busy machine.
        self.choose(SPEED_UP, HALVINGS)
        wait_for("doubled as often, back to speed", lambda: self.changes() * 2 > normal)
        self.choose(SLOW_DOWN, HALVINGS)
        self.choose(NORMAL)
        wait_for("normal speed at once", lambda: self.changes() * 2 > normal)


if __name__ == "__main__":
    unittest.main()
