"""The capture overlay under Wine: the frozen screen, dimmed to 140/255 in region mode except for the window under
the cursor (shown undimmed with the moving border, the magnifier beside the cursor), undimmed in full-screen mode,
and the ways it closes (ESC, message 1128), each ending the process with exit code 0."""
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


def magnifier_panel(cursor, width, height):
    """The magnifier's rectangle: 20 pixels right of and below the cursor, flipped near the right and bottom."""
    x, y = cursor
    left = x + 20 if x <= width - 154 - 20 else x - 154
    top = y + 20 if y <= height - 168 - 20 else y - 168
    return left, top, left + 154, top + 168


class RegionModePicture:
    """Screen predicate for region mode: the detected rectangle shows the frozen screen exactly (but for its 2-pixel
    border band and the magnifier), everything else the frozen screen dimmed (within ±1)."""

    def __init__(self, desktop, detected, cursor):
        height, width = desktop.shape[:2]
        self.desktop = desktop
        self.outside = np.ones((height, width), bool)
        left, top, right, bottom = detected
        self.outside[top:bottom, left:right] = False
        self.inside = np.zeros((height, width), bool)
        self.inside[top + 2:bottom - 2, left + 2:right - 2] = True
        m_left, m_top, m_right, m_bottom = magnifier_panel(cursor, width, height)
        for region in (self.outside, self.inside):
            region[max(m_top, 0):m_bottom, max(m_left, 0):m_right] = False
        self.dim = dimmed(desktop).astype(np.int16)

    def problems(self, screen):
        off_dim = (np.abs(screen.astype(np.int16) - self.dim).max(axis=2) > 1) & self.outside
        off_bright = (screen != self.desktop).any(axis=2) & self.inside
        return int(off_dim.sum()), int(off_bright.sum())

    def __call__(self, screen):
        return self.problems(screen) == (0, 0)

    def report(self, screen):
        dim, bright = self.problems(screen)
        return f"{dim} pixels outside the detected window are not dimmed, {bright} inside it differ from the screen"


class OverlayTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(120)
    def test_region_mode_dims_the_frozen_screen_to_140_of_255_around_the_window_under_the_cursor(self):
        with Session() as session:
            desktop = start_desktop_windows(session)
            session.mouse_move(500, 300)  # over the editor (200, 150, 640 x 400)
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            session.wait_for_screen(RegionModePicture(desktop, (200, 150, 840, 550), (500, 300)),
                                    what="the dimmed frozen screen with the editor undimmed")
            # Over an empty part of the desktop the whole desktop is the detected window.
            session.mouse_move(1700, 120)
            session.wait_for_screen(RegionModePicture(desktop, (0, 0, 1920, 1080), (1700, 120)),
                                    what="the whole frozen screen undimmed")
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
            session.mouse_move(300, 200)
            session.wait_for_screen(RegionModePicture(session.background, (0, 0, 1920, 1080), (300, 200)),
                                    what="the frozen screen with the desktop detected")
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
