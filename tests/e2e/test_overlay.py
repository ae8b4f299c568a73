"""The capture overlay under Wine: the frozen screen, dimmed to 140/255 in region mode except for the window under
the cursor (shown undimmed with the moving border, the magnifier beside the cursor), undimmed in full-screen mode,
and the ways it closes (ESC, message 1128), each ending the process with exit code 0."""
import unittest

import numpy as np

from qor_e2e import (MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Picture, Session, dimmed, e2e_timeout, require_program,
                     wait_until)

# Known windows on the desktop, so that the grab is checked on window pixels too, not only on the root background.
DESKTOP_WINDOWS = [
    "200,150,640,400,QorE2eEditor,E2E Editor,F4F1E8,overlapped",
    "1000,500,500,300,QorE2eChecker,E2E Checker,checker:FF0000:00FFFF:7,popup",
]


def start_desktop_windows(session):
    session.start_fixture(DESKTOP_WINDOWS, name="desktop-windows")
    wait_until(lambda: (session.screenshot(1000, 500, 8, 1)[0, [0, 7]] == [(255, 0, 0), (0, 255, 255)]).all(), 20,
               what="the desktop windows")
    return session.screenshot()


def magnifier_panel(cursor, width, height):
    """The magnifier's rectangle: 20 pixels right of and below the cursor, flipped near the right and bottom."""
    x, y = cursor
    left = x + 20 if x <= width - 154 - 20 else x - 154
    top = y + 20 if y <= height - 168 - 20 else y - 168
    return left, top, left + 154, top + 168


def region_mode_picture(desktop, detected, cursor):
    """Region mode: the detected rectangle shows the frozen screen exactly (but for its 2-pixel border band and the
    magnifier), everything else the frozen screen dimmed (within ±1)."""
    height, width = desktop.shape[:2]
    left, top, right, bottom = detected
    outside = np.ones((height, width), bool)
    outside[top:bottom, left:right] = False
    inside = np.zeros((height, width), bool)
    inside[top + 2:bottom - 2, left + 2:right - 2] = True
    m_left, m_top, m_right, m_bottom = magnifier_panel(cursor, width, height)
    for region in (outside, inside):
        region[max(m_top, 0):m_bottom, max(m_left, 0):m_right] = False
    dim = dimmed(desktop).astype(np.int16)

    def check(screen):
        off_dim = int(((np.abs(screen.astype(np.int16) - dim).max(axis=2) > 1) & outside).sum())
        off_bright = int(((screen != desktop).any(axis=2) & inside).sum())
        if off_dim or off_bright:
            return f"{off_dim} pixels outside the detected window are not dimmed, {off_bright} inside it differ"

    return Picture(check)


def mostly_equal(expected, fraction):
    """At least `fraction` of the pixels exactly equal `expected` (frames and toolbars may cover the rest)."""

    def check(screen):
        share = float((screen == expected).all(axis=2).mean())
        return f"only {share:.3f} of the pixels equal the frozen screen" if share < fraction else None

    return Picture(check)


class OverlayTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def assert_closed(self, session, program):
        self.assertEqual(program.wait(10), 0, program.output())
        self.assertEqual(session.covering_windows(), [])

    @e2e_timeout(240)
    def test_frozen_screen_dimmed_in_region_mode_undimmed_in_full_screen_and_closed_by_escape_or_message_1128(self):
        with Session() as session:
            with self.subTest("escape in region mode"):
                session.mouse_move(300, 200)
                program = session.start_program("/CaptrueAuto")
                overlay = session.wait_for_overlay(program)
                session.wait_for_screen(region_mode_picture(session.background, (0, 0, 1920, 1080), (300, 200)),
                                        what="the frozen screen with the desktop detected")
                session.key(overlay, "Escape")
                self.assert_closed(session, program)
                session.wait_for_screen(lambda s: np.array_equal(s, session.background), 5, what="the desktop again")

            desktop = start_desktop_windows(session)
            for switch in ("/CaptrueAuto", "/CaptrueFullScreen"):
                with self.subTest(switch=switch):
                    session.mouse_move(500, 300)  # over the editor (200, 150, 640 x 400)
                    program = session.start_program(switch)
                    overlay = session.wait_for_overlay(program)
                    if switch == "/CaptrueAuto":
                        session.wait_for_screen(region_mode_picture(desktop, (200, 150, 840, 550), (500, 300)),
                                                what="the dimmed frozen screen with the editor undimmed")
                        # Over an empty part of the desktop the whole desktop is the detected window.
                        session.mouse_move(1700, 120)
                        session.wait_for_screen(region_mode_picture(desktop, (0, 0, 1920, 1080), (1700, 120)),
                                                what="the whole frozen screen undimmed")
                    else:
                        screen = session.wait_for_screen(mostly_equal(desktop, 0.9), what="the undimmed frozen screen")
                        # Whatever is not the frozen screen (frame, handles, toolbar) is not the dimmed mask.
                        dim = dimmed(desktop).astype(np.int16)
                        distinct = np.abs(desktop.astype(np.int16) - dim).max(axis=2) > 2
                        dim_showing = ((np.abs(screen.astype(np.int16) - dim).max(axis=2) <= 1) & distinct).mean()
                        self.assertLess(dim_showing, 0.01, "parts of the dimmed mask show in full-screen mode")
                    self.assertTrue(session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS),
                                    "no window of class TScreenShotMainForm captioned \"Varnel Screenshot\"")
                    self.assert_closed(session, program)
