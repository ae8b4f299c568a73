"""How long the user waits: time from process start to the dimmed overlay on screen, at 1920x1080 and 3840x2160.

A measurement printed to the test log (and kept in build/e2e-artifacts/), not a performance assertion: the only
check is a generous sanity limit. As a reference it also measures Wine's own start-up: the fixture program showing
one screen-sized window."""
import statistics
import time
import unittest

import numpy as np

from qor_e2e import (MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Session, artifacts_dir, dimmed, e2e_timeout, fixture_exe,
                     require_program, wait_until)

RUNS = 5
SANITY_LIMIT_S = 20.0
PATCH = 16


def wait_for_patches(session, expected, started, tolerance=1):
    """Polls small patches spread over the screen (corners, edges, centre) until each shows `expected`
    (±tolerance); returns the seconds since `started`."""
    w, h = session.width, session.height
    wanted = [(x, y, expected[y : y + PATCH, x : x + PATCH].astype(np.int16))
              for y in (0, h // 2 - PATCH // 2, h - PATCH) for x in (0, w // 2 - PATCH // 2, w - PATCH)]

    def shown():
        now = time.monotonic()
        return all(np.abs(session.screenshot(x, y, PATCH, PATCH).astype(np.int16) - want).max() <= tolerance
                   for x, y, want in wanted) and [now - started]

    return wait_until(shown, started + SANITY_LIMIT_S - time.monotonic(), 0.002, "the expected picture")[0]


class TimingTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def measure(self, width, height):
        with Session(width, height) as session:
            def back_to_the_desktop():
                wait_until(lambda: np.array_equal(session.screenshot(), session.background), 20, what="the desktop")

            # Reference: Wine starting a program that shows one screen-sized window of one colour.
            solid = np.empty_like(session.background)
            solid[:] = (0x12, 0x34, 0x56)
            baseline = []
            for _ in range(3):
                fixture = session.launch(fixture_exe(), ["--window", f"0,0,{width},{height},QorTiming,Timing,123456,"
                                                                     "topmost"], name="timing-fixture")
                baseline.append(wait_for_patches(session, solid, fixture.started, tolerance=0))
                fixture.kill()
                back_to_the_desktop()

            figures = []
            for _ in range(RUNS):
                program = session.start_program("/CaptrueAuto")
                figures.append(wait_for_patches(session, dimmed(session.background), program.started))
                session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS)
                self.assertEqual(program.wait(10), 0)
                back_to_the_desktop()

        def ms(values):
            return ", ".join(f"{v * 1000:.0f}" for v in values)

        median, reference = statistics.median(figures), statistics.median(baseline)
        report = (f"start to dimmed overlay at {width}x{height}: median {median * 1000:.0f} ms over {RUNS} runs "
                  f"(runs: {ms(figures)} ms)\n"
                  f"Wine reference (fixture program, one screen-sized window) at {width}x{height}: median "
                  f"{reference * 1000:.0f} ms (runs: {ms(baseline)} ms)\n"
                  f"program's own part, roughly: {(median - reference) * 1000:.0f} ms\n")
        print("\n" + report, flush=True)
        path = artifacts_dir() / f"overlay-timing-{width}x{height}.txt"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(report)
        self.assertLess(max(figures), SANITY_LIMIT_S)

    @e2e_timeout(240)
    def test_time_from_start_to_dimmed_overlay_1920x1080(self):
        self.measure(1920, 1080)

    @e2e_timeout(300)
    def test_time_from_start_to_dimmed_overlay_3840x2160(self):
        self.measure(3840, 2160)
