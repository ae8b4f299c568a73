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


def spots(width, height):
    """Top-left corners of small patches spread over the screen (corners, edges, centre)."""
    xs = (0, width // 2 - PATCH // 2, width - PATCH)
    ys = (0, height // 2 - PATCH // 2, height - PATCH)
    return [(x, y) for y in ys for x in xs]


def wait_for_patches(session, expected, started, timeout=SANITY_LIMIT_S, tolerance=1):
    """Polls the patches until each shows `expected` (±tolerance); returns the seconds since `started`."""
    places = spots(session.width, session.height)
    wanted = [expected[y : y + PATCH, x : x + PATCH].astype(np.int16) for x, y in places]
    end = started + timeout
    while True:
        now = time.monotonic()
        if all(np.abs(session.screenshot(x, y, PATCH, PATCH).astype(np.int16) - want).max() <= tolerance
               for (x, y), want in zip(places, wanted)):
            return now - started
        if now > end:
            raise AssertionError(f"the expected picture did not show within {timeout} s")
        time.sleep(0.002)


class TimingTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def measure(self, width, height):
        with Session(width, height) as session:
            # Reference: Wine starting a program that shows one screen-sized window of one colour.
            colour = (0x12, 0x34, 0x56)
            solid = np.empty_like(session.background)
            solid[:] = colour
            baseline = []
            window = f"0,0,{width},{height},QorTiming,Timing,123456,topmost"
            for _ in range(3):
                fixture = session.launch(fixture_exe(), ["--window", window], name="timing-fixture")
                baseline.append(wait_for_patches(session, solid, fixture.started, tolerance=0))
                fixture.kill()
                wait_until(lambda: np.array_equal(session.screenshot(), session.background), 20,
                           what="the desktop after the reference window")

            expected = dimmed(session.background)
            figures = []
            for _ in range(RUNS):
                program = session.start_program("/CaptrueAuto")
                figures.append(wait_for_patches(session, expected, program.started))
                session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS)
                self.assertEqual(program.wait(10), 0)
                wait_until(lambda: np.array_equal(session.screenshot(), session.background), 20,
                           what="the desktop after the run")

        def ms(values):
            return ", ".join(f"{v * 1000:.0f}" for v in values)

        median = statistics.median(figures)
        reference = statistics.median(baseline)
        report = (
            f"start to dimmed overlay at {width}x{height}: median {median * 1000:.0f} ms over {RUNS} runs "
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

