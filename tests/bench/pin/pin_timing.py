#!/usr/bin/python3
"""Pin under Wine + Xvfb: how long the user sees no picture between the overlay going and the pinned picture
showing, beside Wine's floor (the fixture program starting with one small window), in one session per screen size.

  tests/bench/pin/pin_timing.py [--runs 5] [--sizes 1920x1080,3840x2160]

Each run selects a region, draws a red rectangle on it (so that the pin's picture differs from the desktop), presses
Pin and polls one pixel of the rectangle's border: red while the overlay shows it, not red once the overlay has gone,
red again when the pin shows it. The gap is from the first poll without red to the first with red again; "to pin" is
from the click to the pin. The pin is closed with Esc before the next run.

Uses the e2e harness and its Wine prefix (build/wineprefix-e2e); build QorScreenshot, QorScreenshotPin and
qor_fixture_windows with the windows preset first."""
import argparse
import os
import statistics
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))

from overlay_pictures import TOOLBAR_DARK, tool_button_centre, toolbar_rect  # noqa: E402
from qor_e2e import Session, fixture_exe, wait_until  # noqa: E402

STATE_TIMEOUT_S = 30
FLOOR_COLOUR = (0x12, 0x34, 0x56)


def is_red(pixel):
    return pixel[0] >= 200 and pixel[1] <= 60 and pixel[2] <= 60


class PinMeasurement:
    def __init__(self, session):
        self.session = session
        self.scale = 2 if session.width >= 3840 else 1
        s = self.scale
        self.selection = (100 * s, 120 * s, 500 * s, 420 * s)
        left, top = self.selection[:2]
        self.shape = ((left + 100 * s, top + 80 * s), (left + 300 * s, top + 200 * s))
        # A pixel of the rectangle's left side, a quarter down: away from its handles.
        (ax, ay), (_, by) = self.shape
        self.probe = (ax + 1, ay + (by - ay) // 4)

    def pixel(self, point):
        return self.session.screenshot(point[0], point[1], 1, 1)[0, 0]

    def wait_for_pixel(self, point, wanted, what):
        wait_until(lambda: wanted(self.pixel(point)), STATE_TIMEOUT_S, what=what)

    def floor(self):
        """Wine's floor: the fixture program starting with one small topmost window, until its colour shows."""
        s = self.session
        left, top = 40, 40
        colour = "%02x%02x%02x" % FLOOR_COLOUR
        started = time.monotonic()
        fixture = s.launch(fixture_exe(), ["--window", f"{left},{top},200,100,QorTiming,Timing,{colour},topmost"],
                           name="timing-fixture")
        wait_until(lambda: tuple(self.pixel((left + 100, top + 50))) == FLOOR_COLOUR, STATE_TIMEOUT_S, 0.002,
                   what="the floor window")
        seconds = time.monotonic() - started
        fixture.kill()
        self.wait_for_pixel((left + 100, top + 50), lambda p: tuple(p) != FLOOR_COLOUR, "the floor window gone")
        return seconds

    def pin(self):
        """One capture pinned; returns (gap seconds, click-to-pin seconds)."""
        s, scale = self.session, self.scale
        left, top, right, bottom = self.selection
        s.mouse_move(left, top)
        corner = (5, 5)
        resting = tuple(self.pixel(corner))
        program = s.start_program("/CaptrueAuto")
        s.wait_for_overlay(program)
        self.wait_for_pixel(corner, lambda p: tuple(p) != resting, "the dimmed overlay")
        s.drag((left, top), (right, bottom))
        bar_left, bar_top, _, _ = toolbar_rect(self.selection, s.height, scale)
        self.wait_for_pixel((bar_left + 120 * scale, bar_top + 20 * scale),  # between the size and the first tool
                            lambda p: max(abs(int(a) - b) for a, b in zip(p, TOOLBAR_DARK)) <= 8, "the toolbar")
        s.mouse_move(*tool_button_centre(self.selection, s.height, "rectangle", scale))
        s.click()
        s.drag(*self.shape)
        self.wait_for_pixel(self.probe, is_red, "the rectangle drawn")
        s.mouse_move(*tool_button_centre(self.selection, s.height, "pin", scale))
        clicked = time.monotonic()
        s.click()
        gone = []

        def pinned():
            now = time.monotonic()
            red = is_red(self.pixel(self.probe))
            if not red and not gone:
                gone.append(now)
            return red and gone and [now]

        shown = wait_until(pinned, STATE_TIMEOUT_S, 0.001, what="the pinned picture")[0]
        code = program.wait(20)
        if code != 0:
            raise AssertionError(f"the overlay ended with {code}")
        # The pin closed with Esc: its window takes the keys once given the focus.
        for window in s.find_windows("qorscreenshotpin.exe", search="--classname"):
            s.key(window, "Escape")
        self.wait_for_pixel(self.probe, lambda p: not is_red(p), "the pin closed")
        return shown - gone[0], shown - clicked


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--sizes", default="1920x1080,3840x2160")
    args = parser.parse_args()
    print(f"load average before: {' '.join(f'{v:.2f}' for v in os.getloadavg())}", flush=True)
    for size in args.sizes.split(","):
        width, height = map(int, size.split("x"))
        with Session(width, height) as session:
            measurement = PinMeasurement(session)
            measurement.floor(), measurement.pin()  # warm-up
            floors, gaps, totals = [], [], []
            for _ in range(args.runs):
                floors.append(measurement.floor())
                gap, total = measurement.pin()
                gaps.append(gap)
                totals.append(total)

            def ms(values):
                return ", ".join(f"{v * 1000:.0f}" for v in values)

            print(f"{width}x{height}: gap {statistics.median(gaps) * 1000:.0f} ms, click to pin "
                  f"{statistics.median(totals) * 1000:.0f} ms, Wine floor {statistics.median(floors) * 1000:.0f} ms, "
                  f"gap less floor {statistics.median(g - f for g, f in zip(gaps, floors)) * 1000:.0f} ms "
                  f"(medians of {args.runs}; gaps {ms(gaps)}; floors {ms(floors)})", flush=True)
    print(f"load average after: {' '.join(f'{v:.2f}' for v in os.getloadavg())}", flush=True)


if __name__ == "__main__":
    main()
