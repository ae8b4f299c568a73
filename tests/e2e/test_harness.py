"""The harness itself: known pixels reach the screen and Wine's screen grab, messages reach windows, the DPI helper
works. These need only the fixture program."""
import unittest

import numpy as np

from qor_e2e import Session, e2e_timeout, mismatch_report, wait_until


class HarnessTests(unittest.TestCase):
    @e2e_timeout(120)
    def test_root_background_is_read_back_exactly_by_x_and_by_wine_grab(self):
        with Session() as session:
            self.assertTrue(np.array_equal(session.screenshot(), session.background),
                            mismatch_report(session.screenshot(), session.background, 0))
            grab = session.wine_grab()
            self.assertEqual(grab.shape, session.background.shape)
            self.assertTrue(np.array_equal(grab, session.background), mismatch_report(grab, session.background, 0))

    @e2e_timeout(120)
    def test_fixture_windows_show_their_pixels_at_their_rectangles(self):
        with Session(width=1280, height=800) as session:
            session.start_fixture([
                "100,120,300,200,QorFixtureSolid,Fixture Solid,3366CC,popup",
                "500,300,256,128,QorFixtureChecker,Fixture Checker,checker:FF0000:00FF00:16,popup",
            ])
            wait_until(lambda: session.find_windows("Fixture Checker"), 20, what="the fixture windows")

            def painted():
                screen = session.screenshot()
                return [screen] if (screen[120:320, 100:400] == (0x33, 0x66, 0xCC)).all() else None

            screen = wait_until(painted, 20, what="the solid window's pixels")[0]
            checker = screen[300:428, 500:756]
            self.assertTrue((checker[0:16, 0:16] == (255, 0, 0)).all())
            self.assertTrue((checker[0:16, 16:32] == (0, 255, 0)).all())
            self.assertTrue((checker[16:32, 0:16] == (0, 255, 0)).all())
            outside = screen[0:100, :]
            self.assertTrue(np.array_equal(outside, session.background[0:100, :]))

    @e2e_timeout(120)
    def test_posted_close_message_removes_the_fixture_window(self):
        with Session(width=1024, height=768, background="demo") as session:
            session.start_fixture(["10,10,200,100,QorFixtureTarget,Fixture Target,FFFFFF,overlapped"])
            wait_until(lambda: session.find_windows("Fixture Target"), 20, what="the fixture window")
            self.assertFalse(session.post_message(0x10, caption="No Such Window"))
            self.assertTrue(session.post_message(0x10, caption="Fixture Target", window_class="QorFixtureTarget"))
            wait_until(lambda: not session.find_windows("Fixture Target"), 20, what="the window to close")

    @e2e_timeout(180)
    def test_dpi_helper_changes_what_programs_see(self):
        with Session(width=1024, height=768, dpi=144) as session:
            code, output = session.run_fixture("--metrics")
            self.assertEqual(code, 0)
            self.assertIn("dpi 144", output)
        with Session(width=1024, height=768) as session:
            code, output = session.run_fixture("--metrics")
            self.assertIn("dpi 96", output)
            self.assertIn("virtual 0 0 1024 768", output)
