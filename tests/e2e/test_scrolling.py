"""The scrolling capture under Wine with real X wheel input over the fixture program's scrolling page: /CaptrueScroll,
a click on the page window and wheel notches give a long picture that equals the page rows from the first frame to
the last; the preview grows beside the region; one notch in four reaches the page; Ctrl+S, Ctrl+C, a cancelled save
dialog and Esc end or keep the run as a user expects, and no hook is left behind; without the stitching library the
run still shows and ends cleanly."""
import re
import shutil
import statistics
import time
import unittest

import numpy as np
from PIL import Image

from qor_e2e import (Session, dist_dir, e2e_timeout, fixture_exe, read_picture, read_utf16_file, require_program,
                     to_windows_path, wait_until)
from test_scrolling_fixture import STICKY, expected_view

WHEEL_UP, WHEEL_DOWN = 4, 5
NOTCH_PAUSE = 0.35  # the user's cadence: slower than the run's 301 ms between steps
PAGE = dict(rect=(200, 150, 640, 480), caption="Long page", pattern="page:21:8000")
SHOT_NAME = re.compile(r"^ScreenShot_\d{14}\.png$")
SHOWN = re.compile(r"\[LongPicture\]shown (\d+) x (\d+) in (\d+) us")


def start_page(session, variant):
    """Starts the fixture's page window; returns (page picture, X window id, fixture program)."""
    x, y, width, height = variant["rect"]
    caption = variant["caption"]
    page_file = session.tmp / f"{caption}.bmp"
    recipe = f"{x},{y},{width},{height},Qor{caption.replace(' ', '')},{caption},{variant['pattern']},popup"
    fixture = session.start_fixture([recipe], name=caption, arguments=["--page-out", to_windows_path(page_file)])
    window = wait_until(lambda: (session.find_windows(f"{caption} @0") or [None])[0], 15, what=f"{caption} at 0")
    page = np.asarray(Image.open(page_file).convert("RGB"))
    want = expected_view(page, 0, 0, **{**variant, "height": height})
    session.wait_for_screen(lambda s: np.array_equal(s[y:y + height, x:x + width], want), what=f"{caption} shown")
    return page, window, fixture


def wait_for_offset(session, variant, offset, what):
    def now():
        names = session.xdotool("search", "--name", f"^{variant['caption']} @", check=False).split()
        return [session.xdotool("getwindowname", n, check=False).strip() for n in names]
    return wait_until(lambda: session.find_windows(f"{variant['caption']} @{offset}"), 15,
                      what=f"the page at {offset} ({what})", detail=lambda: f"now {now()}, shown {shown_results(session)}")


def shown_results(session):
    """(width, height, microseconds) of every preview shown so far, from the log."""
    if not session.log_path().exists():
        return []
    _, log = read_utf16_file(session.log_path())
    return [tuple(map(int, m)) for m in SHOWN.findall(log)]


def start_run(session, variant, exe=None):
    """/CaptrueScroll with the pointer on the page window, a click on it once detected; waits for the toolbar."""
    x, y, width, height = variant["rect"]
    session.mouse_move(x + width // 2, y + height // 2)
    live = session.screenshot(x, y, width, height)
    program = session.start_program("/CaptrueScroll", exe=exe)
    session.wait_for_overlay(program)
    # Detected: the page's top shows as it is (the frame and the magnifier lie elsewhere) in the dimmed screen.
    band = np.s_[5:60, 5:width - 5]
    beside = np.s_[y + 5:y + 60, x - 60:x - 10]

    def detected(s):
        dimmed = np.abs(s[beside].astype(int) - session.background[beside]).mean() > 10
        return dimmed and np.array_equal(s[y:y + height, x:x + width][band], live[band])
    session.wait_for_screen(detected, what="the page window detected")
    session.click()
    wait_until(lambda: session.find_windows("ScrollWinsTools"), 20, what="the scroll toolbar")
    wait_until(lambda: not session.covering_windows(), 20, what="the overlay to hide")
    return program


def notches(session, button, count, pause=NOTCH_PAUSE):
    for n in range(count):
        session.click(button)
        if pause and n + 1 < count:
            time.sleep(pause)  # the cadence of the input itself, not a wait for a state


def wait_for_shown(session, count, height, what):
    """Waits until `count` previews have been shown, the last of the result's `height` rows."""
    def done():
        shown = shown_results(session)
        return len(shown) >= count and shown[-1][1] == height
    wait_until(done, 20, what=f"a preview of {height} rows ({what})", detail=lambda: shown_results(session)[-3:])
    return shown_results(session)


def saved(folder):
    return sorted(p for p in folder.iterdir() if SHOT_NAME.match(p.name)) if folder.exists() else []


class ScrollingCaptureTests(unittest.TestCase):
    def setUp(self):
        require_program()
        require_program(fixture_exe())

    @e2e_timeout(420)
    def test_wheel_steps_stitch_the_page_exactly_and_every_ending_behaves(self):
        with Session() as session:
            folder = session.prefix / "drive_c" / "long shots"
            shutil.rmtree(folder, ignore_errors=True)  # the prefix outlives earlier runs
            session.write_config(ScreenshotCapPath="C:\\long shots\\", ScreenshotClipboardShow=1)
            page, page_window, _ = start_page(session, PAGE)
            x, y, width, height = PAGE["rect"]
            step = 120

            with self.subTest("20 notches, 4 quick ones, back up, Ctrl+S"):
                program = start_run(session, PAGE)
                # The first frame is the page at 0, shown at once beside the region.
                shown = wait_for_shown(session, 1, height, "the first frame")
                preview = wait_until(lambda: session.find_windows("ScrollWinsPreView"), 10, what="the preview")[0]
                first_box = session.geometry(preview)
                # 20 notches at the user's pace: one in four is passed on to the page.
                notches(session, WHEEL_DOWN, 20)
                wait_for_offset(session, PAGE, 5 * step, "20 notches")
                shown = wait_for_shown(session, 6, height + 5 * step, "20 notches")
                grown_box = session.geometry(preview)
                self.assertGreater(grown_box[3], first_box[3], "the preview did not grow")
                self.assertGreaterEqual(grown_box[0], x + width, "the preview lies over the region")
                # Four quick notches, a pause after the last step: one step.
                time.sleep(NOTCH_PAUSE)
                notches(session, WHEEL_DOWN, 4, pause=0)
                wait_for_offset(session, PAGE, 6 * step, "4 quick notches")
                shown = wait_for_shown(session, 7, height + 6 * step, "4 quick notches")
                # Back up over known rows: nothing is added.
                notches(session, WHEEL_UP, 8)
                wait_for_offset(session, PAGE, 4 * step, "8 notches up")
                shown = wait_for_shown(session, 9, height + 6 * step, "8 notches up")
                session.key(page_window, "ctrl+s")
                self.assertEqual(program.wait(30), 0, program.output())
                files = saved(folder)
                self.assertEqual(len(files), 1, f"files in {folder}")
                picture = read_picture(files[0])
                files[0].unlink()
                want = page[0:height + 6 * step]
                self.assertEqual(picture.shape, want.shape)
                self.assertTrue(np.array_equal(picture, want),
                                f"{(picture != want).any(axis=2).any(axis=1).sum()} rows differ from the page")
                micros = [m for _, _, m in shown]
                print(f"UI work per shown result: median {statistics.median(micros) / 1000:.2f} ms, "
                      f"max {max(micros) / 1000:.2f} ms over {len(micros)} results")

            with self.subTest("a cancelled save dialog returns to the run; Ctrl+C copies the whole picture"):
                session.write_config(ScreenshotCapPath="Q:\\nowhere\\", ScreenshotClipboardShow=1)
                before = len(shown_results(session))
                program = start_run(session, PAGE)
                wait_for_shown(session, before + 1, height, "the first frame")
                session.key(page_window, "ctrl+s")
                dialog = wait_until(lambda: (session.find_windows("Save As") or [None])[0], 15, what="the save dialog")
                session.key(dialog, "Escape")
                wait_until(lambda: not session.find_windows("Save As"), 15, what="the save dialog to close")
                self.assertTrue(program.running(), "cancelling the save dialog ended the run")
                notches(session, WHEEL_DOWN, 4)
                wait_for_offset(session, PAGE, 5 * step, "4 notches after the dialog")
                wait_for_shown(session, before + 2, height + step, "4 notches after the dialog")
                session.key(page_window, "ctrl+c")
                self.assertEqual(program.wait(30), 0, program.output())
                clip = read_picture(session.wait_for_clipboard_picture())
                want = page[4 * step:4 * step + height + step]
                self.assertEqual(clip.shape, want.shape)
                self.assertTrue(np.array_equal(clip, want), "the clipboard picture differs from the page rows")

            with self.subTest("Esc ends the run with 0 and leaves no hook"):
                program = start_run(session, PAGE)
                session.key(page_window, "Escape")
                self.assertEqual(program.wait(30), 0, program.output())
                # The wheel reaches the page again at once: every notch scrolls it.
                session.mouse_move(x + width // 2, y + height // 2)
                notches(session, WHEEL_DOWN, 1)
                wait_for_offset(session, PAGE, 6 * step, "a notch after the run")

            with self.subTest("without the stitching library"):
                bare = session.tmp / "bare"
                shutil.copytree(dist_dir(), bare, ignore=shutil.ignore_patterns("opencv_longpicture.dll"))
                before = len(shown_results(session))
                program = start_run(session, PAGE, exe=bare / "QorScreenshot.exe")
                run_window = wait_until(lambda: session.find_windows("LongScreenShot"), 10, what="the run window")
                self.assertTrue(run_window)
                notches(session, WHEEL_DOWN, 4)
                wait_for_offset(session, PAGE, 7 * step, "a step without the library")
                session.key(page_window, "Escape")
                self.assertEqual(program.wait(30), 0, program.output())
                self.assertEqual(len(shown_results(session)), before, "a preview without the library")

            with self.subTest("the pin button hands the whole long picture over"):
                picture_file = session.temp_dir() / "ZynPinTemp.bmp"
                picture_file.unlink(missing_ok=True)
                before = len(shown_results(session))
                program = start_run(session, PAGE)
                notches(session, WHEEL_DOWN, 4)
                wait_for_offset(session, PAGE, 8 * step, "a step before the pin")
                wait_for_shown(session, before + 2, height + step, "a step before the pin")
                toolbar = session.geometry(session.find_windows("ScrollWinsTools")[0])
                session.mouse_move(toolbar[0] + 60, toolbar[1] + 20)  # the pin button
                session.click()
                self.assertEqual(program.wait(30), 0, program.output())
                want = page[7 * step:7 * step + height + step]
                self.assertTrue(np.array_equal(read_picture(picture_file.read_bytes()), want),
                                "the handed-over picture differs from the page rows")
                config = session.config_text()
                lines = config[config.index("[StartPin]"):].splitlines()[1:5]
                self.assertEqual(lines, [f"Left={x}", f"Right={x + width}", f"Top={y}", f"Bottom={y + height}"])

    @e2e_timeout(300)
    def test_sticky_header_footer_sidebar_and_a_banner_appear_once_in_the_long_picture(self):
        sticky = "page:12:3000:notch=150:header=24:footer=16:sidebar=40"
        with Session() as session:
            folder = session.prefix / "drive_c" / "long shots"
            session.write_config(ScreenshotCapPath="C:\\long shots\\")
            # The banner comes under the header after the third notch, while the run goes on.
            for caption, pattern in (("Sticky long", sticky), ("Banner long", sticky + ":banner=30@3")):
                with self.subTest(caption):
                    shutil.rmtree(folder, ignore_errors=True)  # the prefix outlives earlier runs
                    variant = dict(STICKY, rect=(300, 200, 640, 480), caption=caption, pattern=pattern)
                    page, page_window, fixture = start_page(session, variant)
                    before = len(shown_results(session))
                    program = start_run(session, variant)
                    wait_for_shown(session, before + 1, 480, "the first frame")
                    notches(session, WHEEL_DOWN, 24)
                    wait_for_offset(session, variant, 6 * 150, "24 notches")
                    wait_until(lambda: len(shown_results(session)) >= before + 7, 20, what="the sixth step shown")
                    session.key(page_window, "ctrl+s")
                    self.assertEqual(program.wait(30), 0, program.output())
                    fixture.kill()
                    files = saved(folder)
                    self.assertEqual(len(files), 1)
                    picture = read_picture(files[0])
                    first = expected_view(page, 0, 0, **{**variant, "banner": 0}, height=480)
                    # Header once, the page rows from the first frame to the last beside the sidebar, footer once;
                    # the banner, which came later, covers nothing of the page.
                    content = page[24:900 + 464].copy()
                    content[:, :40] = first[24:25, :40]
                    want = np.concatenate([first[:24], content, first[464:]])
                    self.assertEqual(picture.shape, want.shape, f"last shown {shown_results(session)[-2:]}")
                    self.assertTrue(np.array_equal(picture, want),
                                    f"{(picture != want).any(axis=2).any(axis=1).sum()} rows differ")

if __name__ == "__main__":
    unittest.main()
