"""How long the user waits: time from process start to the overlay's first picture on screen, at 1920x1080 and
3840x2160, beside Wine's own floor (the fixture program showing one screen-sized window), measured side by side in
one session.

A measurement printed to the test log (and kept in build/e2e-artifacts/), not a performance assertion. The picture
waited for is a state that stays: a fixture window lies under the cursor, so detection undims that window, while
the corners and edge middles, away from it, show the dimmed frozen screen from the first paint on and keep showing
it. (Without that window, detection shows the desktop undimmed within one tick, and a poll could miss the dimmed
picture altogether.) tests/bench/startup/startup_timing.py runs the same measurement by hand."""
import statistics
import time
import unittest

import numpy as np

from qor_e2e import (MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Session, artifacts_dir, dimmed, e2e_timeout, fixture_exe,
                     require_program, save_png, wait_until)

RUNS = 5
PATCH = 16
STATE_TIMEOUT_S = 60  # only a broken program gets near it: every wait is for a picture that stays
FLOOR_COLOUR = (0x12, 0x34, 0x56)
TARGET_SIZE = (400, 300)


def edge_patches(width, height):
    """Top-left corners of the patches checked: the four corners and the four edge middles."""
    xs, ys = (0, width // 2 - PATCH // 2, width - PATCH), (0, height // 2 - PATCH // 2, height - PATCH)
    return [(x, y) for y in ys for x in xs if (x, y) != (xs[1], ys[1])]


def time_until_patches(session, program, expected, tolerance, what):
    """Polls the edge patches until each shows `expected` (±tolerance); returns the seconds since `program`
    started. Fails at once when the program ends first."""
    wanted = [(x, y, expected[y : y + PATCH, x : x + PATCH].astype(np.int16))
              for x, y in edge_patches(session.width, session.height)]

    def shown():
        now = time.monotonic()
        if not program.running():
            raise AssertionError(f"{program.name} ended with {program.popen.returncode} before showing {what}")
        return all(np.abs(session.screenshot(x, y, PATCH, PATCH).astype(np.int16) - want).max() <= tolerance
                   for x, y, want in wanted) and [now - program.started]

    def detail():
        path = artifacts_dir() / f"timing-{what.replace(' ', '-')}.png"
        save_png(session.screenshot(), path)
        return f"(screen kept in {path})"

    return wait_until(shown, STATE_TIMEOUT_S, 0.002, what, detail)[0]


class StartUpMeasurement:
    """A session with a fixture window under the cursor, measuring the program and the Wine floor in turn."""

    def __init__(self, session):
        self.session = session
        w, h = session.width, session.height
        tw, th = TARGET_SIZE
        left, top = (w - tw) // 2, (h - th) // 2
        session.start_fixture([f"{left},{top},{tw},{th},QorTimingTarget,Timing target,2a6f97,popup"], name="target")
        session.mouse_move(left + tw // 2, top + th // 2)
        centre = (top + th // 2, left + tw // 2)
        self.resting = session.wait_for_screen(lambda s: (s[centre] == (0x2A, 0x6F, 0x97)).all(), STATE_TIMEOUT_S,
                                               "the target window")
        self.floor_picture = np.empty_like(self.resting)
        self.floor_picture[:] = FLOOR_COLOUR

    def back_to_rest(self):
        self.session.wait_for_screen(lambda s: np.array_equal(s, self.resting), STATE_TIMEOUT_S, "the desktop again")

    def floor(self):
        """Wine's floor: the fixture program starting with one screen-sized topmost window."""
        s = self.session
        fixture = s.launch(fixture_exe(), ["--window", f"0,0,{s.width},{s.height},QorTiming,Timing,123456,topmost"],
                           name="timing-fixture")
        seconds = time_until_patches(s, fixture, self.floor_picture, 0, "the floor window")
        fixture.kill()
        self.back_to_rest()
        return seconds

    def program(self, check_exit=None, exe=None):
        """The program (the built one, or `exe`) in region mode, until its dimmed frozen screen shows at the corners
        and edges."""
        s = self.session
        program = s.start_program("/CaptrueAuto", exe=exe)
        seconds = time_until_patches(s, program, dimmed(self.resting), 1, "the dimmed overlay")
        s.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS)
        code = program.wait(10)
        if check_exit:
            check_exit(code)
        self.back_to_rest()
        return seconds

    def side_by_side(self, runs, check_exit=None):
        """One warm-up of each, then `runs` alternating pairs; returns (program seconds, floor seconds)."""
        self.floor()
        self.program(check_exit)
        figures, floors = [], []
        for _ in range(runs):
            floors.append(self.floor())
            figures.append(self.program(check_exit))
        return figures, floors


def report(width, height, figures, floors):
    def ms(values):
        return ", ".join(f"{v * 1000:.0f}" for v in values)

    median, floor = statistics.median(figures), statistics.median(floors)
    # Each program run is measured right after a floor run: their difference follows the machine's load drift.
    paired = statistics.median(f - b for f, b in zip(figures, floors))
    return (f"{width}x{height}: program {median * 1000:.0f} ms, Wine floor {floor * 1000:.0f} ms, own part "
            f"{(median - floor) * 1000:.0f} ms (median of the pairwise differences {paired * 1000:.0f} ms; medians "
            f"of {len(figures)}; program runs {ms(figures)} ms; floor runs {ms(floors)} ms)\n")


class TimingTests(unittest.TestCase):
    def setUp(self):
        require_program()
        require_program(fixture_exe())

    def measure(self, width, height):
        with Session(width, height) as session:
            figures, floors = StartUpMeasurement(session).side_by_side(RUNS, lambda code: self.assertEqual(code, 0))
        text = report(width, height, figures, floors)
        print("\n" + text, flush=True)
        path = artifacts_dir() / f"overlay-timing-{width}x{height}.txt"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)

    @e2e_timeout(300)
    def test_time_from_start_to_dimmed_overlay_1920x1080(self):
        self.measure(1920, 1080)

    @e2e_timeout(400)
    def test_time_from_start_to_dimmed_overlay_3840x2160(self):
        self.measure(3840, 2160)
