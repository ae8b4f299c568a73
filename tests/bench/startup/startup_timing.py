#!/usr/bin/python3
"""Start-up of the capture overlay under Wine + Xvfb, beside Wine's floor, measured side by side in one session
(the measurement of tests/e2e/test_timing.py), and with --steps the program's own time stamps per start-up step
(the "[StartUp]" lines of the detail log, written when "detaillog.ldt" lies beside the exe).

  tests/bench/startup/startup_timing.py [--runs 5] [--sizes 3840x2160,1920x1080] [--steps] [--other EXE]

--other measures a second build too (an exe in a copy of the dist folder), in turn with the floor and this build.

Uses the e2e harness and its Wine prefix (build/wineprefix-e2e); build QorScreenshot and qor_fixture_windows with
the windows preset first."""
import argparse
import os
import re
import statistics
import sys
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))

from qor_e2e import Session, program_exe, read_utf16_file  # noqa: E402
from test_timing import StartUpMeasurement, report  # noqa: E402

STEP = re.compile(r"\[StartUp\](.+?) (-?[\d.]+) ms, at (-?[\d.]+) ms")


def step_table(log_text):
    """Median duration and end per step over the runs in the log, in the order of the first run."""
    runs, current = [], None
    for name, duration, at in STEP.findall(log_text):
        if name == "process start":
            current = {}
            runs.append(current)
        if current is not None:
            current[name] = (float(duration), float(at))
    order = list(runs[0]) if runs else []
    rows = []
    for name in order:
        values = [run[name] for run in runs if name in run]
        rows.append((name, statistics.median(v[0] for v in values), statistics.median(v[1] for v in values)))
    return rows, len(runs)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--sizes", default="3840x2160,1920x1080")
    parser.add_argument("--steps", action="store_true", help="also run with the detail log and list the steps")
    parser.add_argument("--other", type=Path, help="a second build's exe, measured in turn with this one")
    args = parser.parse_args()
    marker = program_exe().parent / "detaillog.ldt"
    print(f"load average before: {' '.join(f'{v:.2f}' for v in os.getloadavg())}", flush=True)
    for size in args.sizes.split(","):
        width, height = map(int, size.split("x"))
        with Session(width, height) as session:
            measurement = StartUpMeasurement(session)
            if args.other:
                # Floor, this build and the other in turn, after one warm-up of each.
                other = args.other.resolve()
                measurement.floor(), measurement.program(), measurement.program(exe=other)
                floors, figures, others = [], [], []
                for _ in range(args.runs):
                    floors.append(measurement.floor())
                    figures.append(measurement.program())
                    others.append(measurement.program(exe=other))
                print("this build  " + report(width, height, figures, floors), end="")
                print(f"{args.other}  " + report(width, height, others, floors), end="", flush=True)
            else:
                figures, floors = measurement.side_by_side(args.runs)
                print(report(width, height, figures, floors), end="", flush=True)
            if args.steps:
                marker.write_text("")
                try:
                    session.log_path().unlink(missing_ok=True)
                    for _ in range(args.runs):
                        measurement.program()
                finally:
                    marker.unlink(missing_ok=True)
                rows, runs = step_table(read_utf16_file(session.log_path())[1])
                print(f"  steps at {width}x{height} (medians of {runs} runs with the detail log):")
                for name, duration, at in rows:
                    print(f"    {name:<20} {duration:7.1f} ms   ends at {at:7.1f} ms")
    print(f"load average after: {' '.join(f'{v:.2f}' for v in os.getloadavg())}", flush=True)


if __name__ == "__main__":
    main()
