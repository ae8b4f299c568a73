"""The capture overlay under Wine: the frozen screen, dimmed to 140/255 in region mode and undimmed in full-screen
mode, and the ways it closes (ESC, message 1128), each ending the process with exit code 0."""
import unittest

import numpy as np

from qor_e2e import (MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Session, dimmed, e2e_timeout, mismatch_report,
                     require_program, wait_until)

# Known windows on the desktop, so that the grab is checked on window pixels too, not only on the root background.
DESKTOP_WINDOWS = [
    "200,150,640,400,QorE2eEditor,E2E Editor,F4F1E8,overlapped",
    "1000,500,500,300,QorE2eChecker,E2E Checker,checker:FF0000:00FFFF:7,popup",
]


def start_desktop_windows(session):
    session.start_fixture(DESKTOP_WINDOWS, name="desktop-windows")

    def painted():
        screen = session.screenshot()
        return (screen[500, 1000] == (255, 0, 0)).all() and (screen[500, 1007] == (0, 255, 255)).all()

    wait_until(painted, 20, what="the desktop windows")
    return session.screenshot()


class WithinOne:
    """Screen predicate: every pixel within ±1 of `expected`."""

    def __init__(self, expected):
        self.expected = expected

    def __call__(self, screen):
        return np.abs(screen.astype(np.int16) - self.expected.astype(np.int16)).max() <= 1

    def report(self, screen):
        return mismatch_report(screen, self.expected, 1)


class MostlyEqual:
    """Screen predicate: at least `fraction` of the pixels exactly equal `expected` (frames and toolbars may cover
    the rest)."""

    def __init__(self, expected, fraction):
        self.expected = expected
        self.fraction = fraction

    def share(self, screen):
        return float((screen == self.expected).all(axis=2).mean())

    def __call__(self, screen):
        return self.share(screen) >= self.fraction

    def report(self, screen):
        return f"only {self.share(screen):.3f} of the pixels equal the frozen screen"


class OverlayTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(120)
    def test_region_mode_shows_the_frozen_screen_dimmed_to_140_of_255_everywhere(self):
        with Session() as session:
            desktop = start_desktop_windows(session)
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            session.wait_for_screen(WithinOne(dimmed(desktop)), what="the dimmed frozen screen")
            self.assertEqual(session.close_overlay(program, overlay), 0)

    @e2e_timeout(120)
    def test_full_screen_mode_shows_the_frozen_screen_undimmed(self):
        with Session() as session:
            desktop = start_desktop_windows(session)
            program = session.start_program("/CaptrueFullScreen")
            overlay = session.wait_for_overlay(program)
            screen = session.wait_for_screen(MostlyEqual(desktop, 0.9), what="the undimmed frozen screen")
            # Whatever is not the frozen screen (frame, handles, toolbar) is not the dimmed mask showing through.
            dim = dimmed(desktop)
            distinct = np.abs(desktop.astype(np.int16) - dim.astype(np.int16)).max(axis=2) > 2
            dim_showing = ((np.abs(screen.astype(np.int16) - dim.astype(np.int16)).max(axis=2) <= 1) & distinct).mean()
            self.assertLess(dim_showing, 0.01, "parts of the dimmed mask show in full-screen mode")
            self.assertEqual(session.close_overlay(program, overlay), 0)

    @e2e_timeout(120)
    def test_escape_closes_the_overlay_in_region_mode_with_exit_code_0(self):
        with Session() as session:
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            session.wait_for_screen(WithinOne(dimmed(session.background)), what="the dimmed frozen screen")
            session.key(overlay, "Escape")
            self.assertEqual(program.wait(10), 0, program.output())
            self.assertEqual(session.covering_windows(), [])
            session.wait_for_screen(lambda s: np.array_equal(s, session.background), 5, what="the desktop again")

    @e2e_timeout(150)
    def test_message_1128_closes_the_overlay_with_exit_code_0(self):
        with Session() as session:
            for switch in ("/CaptrueAuto", "/CaptrueFullScreen"):
                with self.subTest(switch=switch):
                    program = session.start_program(switch)
                    session.wait_for_overlay(program)
                    self.assertTrue(session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS),
                                    "no window of class TScreenShotMainForm captioned \"Varnel Screenshot\"")
                    self.assertEqual(program.wait(10), 0, program.output())
                    self.assertEqual(session.covering_windows(), [])
