"""The harness itself: known pixels reach the screen and Wine's screen grab, messages reach windows, the DPI helper
works. These need only the fixture program."""
import unittest

import numpy as np

from qor_e2e import Session, e2e_timeout, mismatch_report, wait_until


class HarnessTests(unittest.TestCase):
    @e2e_timeout(240)
    def test_screen_reads_fixture_windows_posted_messages_and_dpi_reach_programs_as_set(self):
        with Session(width=1024, height=768, dpi=144) as session:
            code, output = session.run_fixture("--metrics")
            self.assertEqual(code, 0)
            self.assertIn("dpi 144", output)

        with Session() as session:
            with self.subTest("the DPI is back to 96 in the next session"):
                code, output = session.run_fixture("--metrics")
                self.assertIn("dpi 96", output)
                self.assertIn("virtual 0 0 1920 1080", output)

            with self.subTest("the root background is read back exactly by X and by Wine's grab"):
                self.assertTrue(np.array_equal(session.screenshot(), session.background),
                                mismatch_report(session.screenshot(), session.background, 0))
                grab = session.wine_grab()
                self.assertEqual(grab.shape, session.background.shape)
                self.assertTrue(np.array_equal(grab, session.background), mismatch_report(grab, session.background, 0))

            with self.subTest("fixture windows show their pixels at their rectangles"):
                session.start_fixture([
                    "100,120,300,200,QorFixtureSolid,Fixture Solid,3366CC,popup",
                    "500,300,256,128,QorFixtureChecker,Fixture Checker,checker:FF0000:00FF00:16,popup",
                ])
                wait_until(lambda: session.find_windows("Fixture Checker"), 20, what="the fixture windows")
                screen = wait_until(lambda: [s for s in [session.screenshot()]
                                             if (s[120:320, 100:400] == (0x33, 0x66, 0xCC)).all()], 20,
                                    what="the solid window's pixels")[0]
                checker = screen[300:428, 500:756]
                self.assertTrue((checker[0:16, 0:16] == (255, 0, 0)).all())
                self.assertTrue((checker[0:16, 16:32] == (0, 255, 0)).all())
                self.assertTrue((checker[16:32, 0:16] == (0, 255, 0)).all())
                self.assertTrue(np.array_equal(screen[0:100, :], session.background[0:100, :]))

            with self.subTest("a posted WM_CLOSE removes the fixture window"):
                session.start_fixture(["10,10,200,100,QorFixtureTarget,Fixture Target,FFFFFF,overlapped"])
                wait_until(lambda: session.find_windows("Fixture Target"), 20, what="the fixture window")
                self.assertFalse(session.post_message(0x10, caption="No Such Window"))
                self.assertTrue(session.post_message(0x10, caption="Fixture Target", window_class="QorFixtureTarget"))
                wait_until(lambda: not session.find_windows("Fixture Target"), 20, what="the window to close")
