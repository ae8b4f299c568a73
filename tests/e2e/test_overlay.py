"""Start-up and the capture overlay under Wine: a first argument that is no capture switch ends the process quietly
(a reported error with 1), a capture switch in any case shows the frozen screen (undimmed and selected at once in
full-screen mode; dimmed in region mode but for the detected window, a captioned one included), a second copy leaves
the running capture alone, and message 1128 and ESC end the run with exit code 0."""
import unittest

from overlay_pictures import region_mode_picture, selected_picture
from qor_e2e import (LAUNCHER_CLASS, MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Session, e2e_timeout, read_utf16_file,
                     require_program)

# The switches keep their historical spelling ("Captrue"); only the first argument counts; /Scale alone does nothing;
# /TestBugReport raises an error that is reported (exit code 1).
QUIET_ARGUMENTS = [([], 0), (["/Bogus", "/CaptrueAuto"], 0), (["/Scale"], 0), (["/TestBugReport"], 1)]
WHOLE = (0, 0, 1920, 1080)
DESKTOP_WINDOWS = ["200,150,640,400,QorE2eEditor,E2E Editor,F4F1E8,overlapped",
                   "1000,500,500,300,QorE2eChecker,E2E Checker,checker:FF0000:00FFFF:7,popup"]


class OverlayTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def close_by_message(self, session, program):
        self.assertTrue(session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS),
                        "no window of class TScreenShotMainForm captioned \"Varnel Screenshot\"")
        self.assertEqual(program.wait(10), 0, program.output())
        self.assertEqual(session.covering_windows(), [])

    @e2e_timeout(300)
    def test_switches_frozen_screen_in_both_modes_second_copy_and_closing(self):
        with Session() as session:
            for arguments, exit_code in QUIET_ARGUMENTS:
                with self.subTest(arguments=arguments):
                    program = session.start_program(*arguments)
                    code, windows, changed = session.watch_for_windows(program, timeout=30)
                    self.assertEqual(code, exit_code, f"exit code for {arguments}: {program.output()}")
                    self.assertEqual(windows, set(), f"{arguments} showed a window")
                    self.assertFalse(changed, f"{arguments} changed the screen")
            # The reported error was caught by the crash reporter.
            self.assertIn("[CrashReport]version 4.0.0.0 error: /testbugreport", read_utf16_file(session.log_path())[1])

            with self.subTest("full-screen mode"):
                program = session.start_program("/CAPTRUEFULLSCREEN")
                session.wait_for_overlay(program)
                session.wait_for_screen(selected_picture(session.background, WHOLE),
                                        what="the undimmed frozen screen selected with its toolbar")
                self.close_by_message(session, program)

            with self.subTest("a second copy"):
                session.mouse_move(300, 200)
                first = session.start_program("/captrueauto")
                overlay = session.wait_for_overlay(first)
                expected = session.wait_for_screen(region_mode_picture(session.background, WHOLE, (300, 200)),
                                                   what="the frozen screen with the desktop detected")
                # The launcher that a second copy notifies: class TForm_ZynMain, caption "Varnel Screenshot" (WM_NULL).
                self.assertTrue(session.post_message(0, window_class=LAUNCHER_CLASS), "no launcher window to notify")
                # A second copy asking for a full-screen capture would show an undimmed picture if it got through.
                second = session.start_program("/CaptrueFullScreen")
                code, windows, _ = session.watch_for_windows(second, timeout=30)
                self.assertEqual(code, 0, second.output())
                self.assertEqual(windows, {overlay}, "the second copy showed a window of its own")
                self.assertTrue(first.running(), "the first copy ended")
                screen = session.screenshot()
                self.assertEqual(int((screen != expected).any(axis=2).sum()), 0, "pixels changed by the second copy")
                session.key(overlay, "Escape")
                self.assertEqual(first.wait(10), 0, first.output())
                self.assertEqual(session.covering_windows(), [])

            with self.subTest("region mode over windows"):
                desktop = session.start_windows(DESKTOP_WINDOWS)
                session.mouse_move(500, 300)  # over the editor, whose rectangle includes the caption Wine draws
                program = session.start_program("/CaptrueAuto")
                session.wait_for_overlay(program)
                session.wait_for_screen(region_mode_picture(desktop, (200, 150, 840, 550), (500, 300)),
                                        what="the dimmed frozen screen with the editor undimmed")
                session.mouse_move(1700, 120)  # over an empty part of the desktop the whole desktop is detected
                session.wait_for_screen(region_mode_picture(desktop, WHOLE, (1700, 120)),
                                        what="the whole frozen screen undimmed")
                self.close_by_message(session, program)
