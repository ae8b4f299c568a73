"""The pin program under Wine: started with /ZynMain after a hand-over (ZynPinTemp.bmp in the user's temporary
folder, the StartPin keys in Config.ini) it shows the picture exactly at the handed rectangle; it moves with a drag,
grows around the cursor with the wheel, copies and saves its original pixels, takes a second pin from a second start into the
same process, closes pins with Esc and ends with the last one; a broken hand-over shows nothing and ends."""
import io
import struct
import unittest

import numpy as np
from PIL import Image

from qor_e2e import Session, e2e_timeout, pin_exe, require_program, test_picture, wait_until

MARGIN = 10  # the shadow margin around a pin at 96 DPI


def bmp_bytes(picture):
    """A 32-bit bottom-up BI_RGB BMP file of an HxWx3 RGB picture, as the overlay writes it."""
    height, width, _ = picture.shape
    pixels = np.zeros((height, width, 4), np.uint8)
    pixels[..., :3] = picture[..., ::-1]
    data = pixels[::-1].tobytes()
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def hand_over(session, picture, rect, bmp=None):
    """Writes the picture and its rectangle (left, top, right, bottom) the way the overlay does before a pin."""
    session.temp_dir().mkdir(parents=True, exist_ok=True)
    (session.temp_dir() / "ZynPinTemp.bmp").write_bytes(bmp if bmp is not None else bmp_bytes(picture))
    keys = dict(zip(("Left", "Top", "Right", "Bottom"), rect)) if isinstance(rect, tuple) else rect
    session.write_config(sections={"StartPin": keys})


def shows(picture, rect):
    """A screen predicate: `picture` exactly at `rect`'s top-left."""
    height, width, _ = picture.shape

    def check(screen):
        return np.array_equal(screen[rect[1]:rect[1] + height, rect[0]:rect[0] + width], picture)

    return check


def pin_windows(session):
    """(X id, geometry) of the pin program's visible windows."""
    found = []
    for window in session.find_windows("qorscreenshotpin.exe", search="--classname"):
        geometry = session.geometry(window)
        if geometry and geometry[4]:
            found.append((window, geometry[:4]))
    return found


def window_at(session, rect):
    """The X id of the pin window around the picture rectangle `rect` (with its margin)."""
    want = (rect[0] - MARGIN, rect[1] - MARGIN, rect[2] - rect[0] + 2 * MARGIN, rect[3] - rect[1] + 2 * MARGIN)
    return wait_until(lambda: next((w for w, g in pin_windows(session) if g == want), None), 15,
                      what=f"a pin window at {want}", detail=lambda: str(pin_windows(session)))


class PinProgramTests(unittest.TestCase):
    def setUp(self):
        require_program(pin_exe())

    @e2e_timeout(240)
    def test_pin_shows_moves_zooms_copies_and_hosts_a_second_pin(self):
        with Session() as session:
            first = test_picture(240, 160, seed=11)
            rect = (300, 200, 540, 360)
            hand_over(session, first, rect)
            program = session.launch(pin_exe(), ["/ZynMain"], name="pin")
            session.wait_for_screen(shows(first, rect), what="the pin at its rectangle")
            window = window_at(session, rect)

            # A drag by (100, 50) moves it exactly that far.
            start = (rect[0] + 60, rect[1] + 40)
            session.drag(start, (start[0] + 40, start[1] + 20), (start[0] + 100, start[1] + 50))
            moved = (rect[0] + 100, rect[1] + 50, rect[2] + 100, rect[3] + 50)
            session.wait_for_screen(shows(first, moved), what="the pin moved by (100, 50)")
            self.assertEqual(window_at(session, moved), window)

            # Ctrl+C puts the original pixels on the clipboard.
            session.key(window, "ctrl+c")
            copied = np.asarray(Image.open(io.BytesIO(session.wait_for_clipboard_picture())).convert("RGB"))
            np.testing.assert_array_equal(copied, first)

            # Ctrl+S saves the original pixels through the save dialog, and the pin stays.
            folder = session.prefix / "drive_c" / "pinned"
            folder.mkdir(parents=True, exist_ok=True)
            (folder / "pin.png").unlink(missing_ok=True)  # left by an earlier run: no overwrite question
            session.key(window, "ctrl+s")
            session.focus(wait_until(lambda: (session.find_windows("Save As") or [None])[0], 15, what="the save dialog"))
            session.xdotool("key", "ctrl+a")
            session.xdotool("type", "--delay", "20", "C:\\pinned\\pin.png")
            session.xdotool("key", "Return")
            saved = wait_until(lambda: (folder / "pin.png").is_file() and folder / "pin.png", 15, what="pin.png")
            with Image.open(saved) as image:
                np.testing.assert_array_equal(np.asarray(image.convert("RGB")), first)
            wait_until(lambda: not session.find_windows("Save As") and len(pin_windows(session)) == 1, 15,
                       what="the save dialog to close", detail=lambda: str(pin_windows(session)))
            session.wait_for_screen(shows(first, moved), what="the pin after saving")

            # One wheel notch up grows it by 10% around the cursor: the picture point under it stays there.
            cursor = (moved[0] + 180, moved[1] + 120)  # picture point (180, 120), away from the readout
            session.mouse_move(*cursor)
            session.focus(window)
            session.mouse_button(True, 4)
            session.mouse_button(False, 4)
            grown = (round(cursor[0] - 180 * 1.1), round(cursor[1] - 120 * 1.1))
            grown = (*grown, grown[0] + 264, grown[1] + 176)
            window_at(session, grown)
            wait_until(lambda: self.point_stays(session, first, cursor, (180, 120)), 10,
                       what="the picture point under the cursor")

            # A second start hands its pin to the running program and ends.
            second = test_picture(160, 120, seed=12)
            rect2 = (1200, 600, 1360, 720)
            hand_over(session, second, rect2)
            helper = session.launch(pin_exe(), ["/ZynMain"], name="pin-second")
            self.assertEqual(helper.wait(30), 0)
            session.wait_for_screen(shows(second, rect2), what="the second pin")
            self.assertTrue(program.running())
            self.assertEqual(len(pin_windows(session)), 2)

            # Esc closes one pin; closing the last ends the program with exit code 0.
            session.key(window_at(session, rect2), "Escape")
            session.wait_for_screen(lambda s: np.array_equal(s[600:720, 1200:1360], session.background[600:720, 1200:1360]),
                                    what="the second pin gone")
            self.assertTrue(program.running())
            session.key(window_at(session, grown), "Escape")
            self.assertEqual(program.wait(15), 0)
            self.assertEqual(pin_windows(session), [])
            log = session.corvane_dir("Logs/QorScreenshotPin.log")
            self.assertIn("[Pin]last pin closed", log.read_bytes().decode("utf-16-le", errors="replace"))

    @staticmethod
    def point_stays(session, picture, cursor, point):
        """The screen pixel at the cursor shows the picture's pixel `point` (or, zoomed, a neighbour of it)."""
        shown = session.screenshot(cursor[0], cursor[1], 1, 1)[0, 0]
        x, y = point
        return any(np.array_equal(shown, picture[y + dy, x + dx]) for dy in (-1, 0, 1) for dx in (-1, 0, 1))

    @e2e_timeout(180)
    def test_broken_hand_over_shows_nothing_and_ends(self):
        with Session() as session:
            picture = test_picture(200, 100, seed=13)
            rect = (100, 100, 300, 200)
            cases = {
                "garbage picture": dict(bmp=np.random.default_rng(5).integers(0, 256, 30000, np.uint8).tobytes()),
                "truncated picture": dict(bmp=bmp_bytes(picture)[:20000]),
                "garbage keys": dict(rect={"Left": "abc", "Top": "100", "Right": "300", "Bottom": "200"}),
                "right not after left": dict(rect=(300, 100, 300, 200)),
            }
            for case, arguments in cases.items():
                with self.subTest(case):
                    hand_over(session, picture, arguments.get("rect", rect), arguments.get("bmp"))
                    program = session.launch(pin_exe(), ["/ZynMain"], name="pin")
                    seen, changed = set(), [False]

                    def ended():
                        seen.update(window for window, _ in pin_windows(session))
                        changed[0] |= not np.array_equal(session.screenshot(), session.background)
                        return not program.running()

                    wait_until(ended, 30, 0.03, f"the end of the pin program ({case})")
                    self.assertEqual(program.popen.returncode, 0)
                    self.assertEqual(seen, set())
                    self.assertFalse(changed[0], "the screen changed")
            log = session.corvane_dir("Logs/QorScreenshotPin.log").read_bytes().decode("utf-16-le", errors="replace")
            # Each start read the hand-over and turned it down for what was wrong with it.
            self.assertEqual(log.count("[Pin]no pin,picture unreadable"), 2)
            self.assertEqual(log.count("[Pin]no pin,rectangle keys missing or not numbers"), 1)
            self.assertEqual(log.count("[Pin]no pin,empty rectangle"), 1)


if __name__ == "__main__":
    unittest.main()
