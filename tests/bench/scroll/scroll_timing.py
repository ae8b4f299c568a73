#!/usr/bin/python3
"""A long scrolling capture under Wine + Xvfb: the user-interface thread's work for each shown result while the
long picture grows to about 30,000 rows of 1080-row frames, and whether the saved PNG equals the page.

  tests/bench/scroll/scroll_timing.py [--rows 30000] [--notch 540]

A 960 x 1080 page window of the fixture program on a 1920 x 1200 screen; each step is four quick wheel notches
(the run passes one in four on) after the run's 301 ms, then a wait for the page to have moved. The figures come from
the program's log lines "[LongPicture]shown W x H in N us (scaled and painted in M us)": the whole handling of a
result on the user-interface thread, and its scaling and painting part. Ctrl+S then writes the long picture, which
must equal the page rows it covers.

Uses the e2e harness and its Wine prefix (build/wineprefix-e2e); build QorScreenshot and qor_fixture_windows with
the windows preset first."""
import argparse
import re
import shutil
import statistics
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))

import numpy as np  # noqa: E402

from qor_e2e import Session, read_picture, read_utf16_file, to_windows_path, wait_until  # noqa: E402
from test_scrolling import start_page, start_run  # noqa: E402

SHOWN = re.compile(r"\[LongPicture\]shown (\d+) x (\d+) in (\d+) us \(scaled and painted in (\d+) us\)")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rows", type=int, default=30000)
    parser.add_argument("--notch", type=int, default=540)
    arguments = parser.parse_args()
    variant = dict(rect=(100, 20, 960, 1080), caption="Long article",
                   pattern=f"page:31:{arguments.rows + 2000}:notch={arguments.notch}")
    with Session(1920, 1200) as session:
        folder = session.prefix / "drive_c" / "long timing"
        shutil.rmtree(folder, ignore_errors=True)
        session.write_config(ScreenshotCapPath="C:\\long timing\\")
        if session.log_path().exists():
            session.log_path().unlink()
        page, page_window, _ = start_page(session, variant)
        program = start_run(session, variant)
        steps = (arguments.rows - 1080) // arguments.notch + 1
        started = time.monotonic()
        for step in range(1, steps + 1):
            time.sleep(0.32)  # the run takes a step at most every 301 ms
            for _ in range(4):
                session.click(5)
            offset = step * arguments.notch
            wait_until(lambda: session.find_windows(f"{variant['caption']} @{offset}"), 30,
                       what=f"the page at {offset}")
        height = 1080 + steps * arguments.notch

        def shown():
            _, log = read_utf16_file(session.log_path())
            return [tuple(map(int, m)) for m in SHOWN.findall(log)]
        wait_until(lambda: shown() and shown()[-1][1] == height, 60, what=f"the result of {height} rows shown")
        print(f"{steps} steps in {time.monotonic() - started:.1f} s")
        session.key(page_window, "ctrl+s")
        if program.wait(120) != 0:
            raise AssertionError(program.output())
        files = list(folder.iterdir())
        picture = read_picture(files[0])
        same = picture.shape == (height, 960, 3) and np.array_equal(picture, page[:height])
        print(f"saved {files[0].name}: {picture.shape[1]} x {picture.shape[0]}, equals the page: {same}")
        results = shown()
        for low, high in ((0, 5000), (5000, 15000), (15000, 25000), (25000, 10 ** 9)):
            band = [r for r in results if low <= r[1] < high]
            if band:
                whole = [r[2] / 1000 for r in band]
                paint = [r[3] / 1000 for r in band]
                print(f"results of {low}-{min(high, height)} rows ({len(band)}): median {statistics.median(whole):.1f} ms,"
                      f" max {max(whole):.1f} ms; scaling and painting median {statistics.median(paint):.1f} ms")
        return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
