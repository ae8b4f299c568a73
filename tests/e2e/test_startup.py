"""Start-up under Wine: the first argument picks the capture mode (case ignored), anything else ends the process
quietly, and a second copy leaves the running capture alone."""
import unittest

import numpy as np

from qor_e2e import (LAUNCHER_CLASS, Session, e2e_timeout, mismatch_report, read_utf16_file, require_program,
                     settled_screen)
from test_overlay import region_mode_picture

# The switches keep their historical spelling ("Captrue"); only the first argument counts; /Scale alone does nothing.
QUIET_ARGUMENTS = [[], ["/Bogus"], ["/CaptrueAutoX"], ["CaptrueAuto"], ["/Captrue Auto"], ["/CaptureAuto"],
                   ["/Bogus", "/CaptrueAuto"], ["/Scale"], ["/scale"], ["/Scale", "/CaptrueAuto"]]


class StartupTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def assert_ends_quietly(self, session, arguments):
        program = session.start_program(*arguments)
        code, windows, changed = session.watch_for_windows(program, timeout=30)
        self.assertEqual(code, 0, f"exit code for {arguments}: {program.output()}")
        self.assertEqual(windows, set(), f"{arguments} showed a window")
        self.assertFalse(changed, f"{arguments} changed the screen")

    @e2e_timeout(300)
    def test_unknown_missing_or_scale_switch_ends_with_0_and_a_reported_error_with_1_showing_no_window(self):
        with Session() as session:
            for arguments in QUIET_ARGUMENTS:
                with self.subTest(arguments=arguments):
                    self.assert_ends_quietly(session, arguments)
            with self.subTest("/TestBugReport: caught by the crash reporter and logged"):
                code, windows, _ = session.watch_for_windows(session.start_program("/TestBugReport"), timeout=30)
                self.assertEqual(code, 1, "a reported error ends the process with exit code 1")
                self.assertEqual(windows, set(), "the crash reporter showed a window")
                _, log = read_utf16_file(session.log_path())
                self.assertIn("[CrashReport]version 4.0.0.0 error: /testbugreport", log)

    @e2e_timeout(180)
    def test_capture_switch_in_any_case_opens_the_overlay_and_a_second_copy_leaves_it_untouched(self):
        with Session() as session:
            for switch in ("/captrueauto", "/CAPTRUEAUTO"):
                with self.subTest(switch=switch):
                    program = session.start_program(switch)
                    overlay = session.wait_for_overlay(program)
                    self.assertEqual(session.geometry(overlay)[:4], (0, 0, session.width, session.height))
                    self.assertEqual(session.close_overlay(program, overlay), 0)

            session.mouse_move(300, 200)
            first = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(first)
            # Wait for the first detection tick (the whole desktop detected), then for a picture that stays put.
            session.wait_for_screen(region_mode_picture(session.background, (0, 0, 1920, 1080), (300, 200)),
                                    what="the frozen screen with the desktop detected")
            expected = settled_screen(session, 5)
            # The launcher that a second copy notifies: class TForm_ZynMain, caption "Varnel Screenshot" (WM_NULL).
            self.assertTrue(session.post_message(0, window_class=LAUNCHER_CLASS), "no launcher window to notify")

            # A second copy asking for a full-screen capture would show an undimmed picture if it got through.
            second = session.start_program("/CaptrueFullScreen")
            code, windows, _ = session.watch_for_windows(second, timeout=30)
            self.assertEqual(code, 0, second.output())
            self.assertEqual(windows, {overlay}, "the second copy showed a window of its own")
            self.assertTrue(first.running(), "the first copy ended")
            self.assertEqual(session.covering_windows(), [overlay])
            screen = session.screenshot()
            self.assertTrue(np.array_equal(screen, expected), mismatch_report(screen, expected, 0))
            self.assertEqual(session.close_overlay(first, overlay), 0)
