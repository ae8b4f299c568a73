"""Save and copy under Wine: Ctrl+S writes the selected pixels of the frozen screen into the default folder in the
configured format and ends with exit code 0; Ctrl+C puts exactly those pixels on the clipboard, shows the tip and
remembers "Don't show this message again"."""
import re
import subprocess
import time
import unittest

import numpy as np
from PIL import Image

from qor_e2e import Session, e2e_timeout, read_picture, read_utf16_file, require_program, wait_until

SELECTION = (100, 120, 500, 420)  # left, top, right, bottom
SHOT_NAME = re.compile(r"^ScreenShot_\d{14}\.(png|jpeg|bmp)$")


def write_config(session, **keys):
    """Config.ini as the parent product keeps it: UTF-16 LE with BOM, section AIAssistant."""
    path = session.config_path()
    path.parent.mkdir(parents=True, exist_ok=True)
    text = "[AIAssistant]\r\n" + "".join(f"{key}={value}\r\n" for key, value in keys.items())
    path.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def select_region(session, program):
    overlay = session.wait_for_overlay(program)
    left, top, right, bottom = SELECTION
    session.mouse_move(left, top)
    time.sleep(0.2)
    session.xdotool("mousedown", "1")
    session.mouse_move((left + right) // 2, (top + bottom) // 2)
    session.mouse_move(right, bottom)
    time.sleep(0.1)
    session.xdotool("mouseup", "1")
    time.sleep(0.4)
    return overlay


def selected_pixels(session):
    left, top, right, bottom = SELECTION
    return session.background[top:bottom, left:right]


def config_text(session):
    return read_utf16_file(session.config_path())[1] if session.config_path().exists() else ""


def notice_window(session):
    """The capture notice: the program's visible top-level window that is 400 pixels wide; (x, y) or None."""
    for window in session.find_windows("qorscreenshot.exe", search="--classname"):
        geometry = session.geometry(window)
        if geometry and geometry[4] and geometry[2] == 400 and geometry[3] < 300:
            return geometry[0], geometry[1]
    return None


def saved_files(folder):
    return sorted(p for p in folder.iterdir() if SHOT_NAME.match(p.name)) if folder.exists() else []


def block_means(picture, size=8):
    height, width = (picture.shape[0] // size) * size, (picture.shape[1] // size) * size
    blocks = picture[:height, :width].astype(np.float64).reshape(height // size, size, width // size, size, 3)
    return blocks.mean(axis=(1, 3))


def psnr(a, b):
    mse = np.mean((a.astype(np.float64) - b.astype(np.float64)) ** 2)
    return 99.0 if mse == 0 else 10 * np.log10(255.0 ** 2 / mse)


class OutputTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def save_once(self, session, cap_format, folder_text, folder):
        write_config(session, ScreenshotCapPath=folder_text, ScreenshotCapFormat=cap_format)
        program = session.start_program("/CaptrueAuto")
        session.key(select_region(session, program), "ctrl+s")
        self.assertEqual(program.wait(20), 0, program.output())
        files = saved_files(folder)
        self.assertEqual(len(files), 1, f"files in {folder}: {list(folder.iterdir()) if folder.exists() else None}")
        with Image.open(files[0]) as image:
            luma_dc_step = image.quantization[0][0] if image.format == "JPEG" else None
            picture = np.asarray(image.convert("RGB"))
        files[0].unlink()
        return files[0].suffix, picture, luma_dc_step

    def save_as(self, session, overlay, answer):
        """Ctrl+S, C:\\picked\\shot.png typed into the save dialog, `answer` to the overwrite question."""
        session.key(overlay, "ctrl+s")
        session.focus(wait_until(lambda: (session.find_windows("Save As") or [None])[0], 15, what="the save dialog"))
        session.xdotool("key", "ctrl+a")
        session.xdotool("type", "--delay", "20", "C:\\picked\\shot.png")
        session.xdotool("key", "Return")
        question = wait_until(lambda: [w for w in session.find_windows() if w != overlay] or None, 15,
                              what="the overwrite question")[0]
        session.key(question, answer)

    @e2e_timeout(420)
    def test_ctrl_s_writes_the_selected_pixels_in_the_configured_format_to_the_default_folder_or_the_picked_file(self):
        with Session() as session:
            with self.subTest("before a selection Ctrl+S does nothing"):
                write_config(session, ScreenshotCapPath="C:\\early\\")
                program = session.start_program("/CaptrueAuto")
                overlay = session.wait_for_overlay(program)
                session.key(overlay, "ctrl+s")
                time.sleep(1.0)
                self.assertTrue(program.running(), "Ctrl+S during detection ended the capture")
                self.assertEqual(saved_files(session.prefix / "drive_c/early"), [])
                self.assertEqual(session.close_overlay(program, overlay), 0)

            # Spaces, a doubled separator and a forward slash: the folder is created level by level.
            folder = session.prefix / "drive_c" / "shots here" / "deep folder"
            expected = selected_pixels(session)
            for cap_format, suffix in (("1", ".png"), ("x", ".png"), ("", ".png"), ("2", ".bmp"), ("0", ".jpeg")):
                with self.subTest(cap_format=cap_format):
                    got_suffix, picture, luma_dc_step = self.save_once(session, cap_format,
                                                                       "C:\\shots here\\\\deep folder/", folder)
                    self.assertEqual(got_suffix, suffix)
                    self.assertEqual(picture.shape, expected.shape)
                    if suffix == ".jpeg":
                        # The screen is pixel noise with solid bands: compare 8 x 8 block means, which JPEG keeps.
                        self.assertGreater(psnr(block_means(picture), block_means(expected)), 30.0)
                        self.assertEqual(luma_dc_step, 3, "not the quantisation of quality 90")
                    else:
                        self.assertTrue(np.array_equal(picture, expected), "saved pixels differ from the screen")
            _, log = read_utf16_file(session.log_path())
            self.assertIn("[savebtn]createDirCir", log)
            self.assertIn("[SaveNewBitmap]filepath:SaveNewBitmap", log)
            self.assertIn('"stat":"332"', session.stat_path().read_text(encoding="utf-8"))

            # An unusable default folder opens the save dialog; No to the overwrite question keeps the capture open.
            with self.subTest("save dialog"):
                target = session.prefix / "drive_c" / "picked"
                target.mkdir(parents=True, exist_ok=True)
                (target / "shot.png").write_bytes(b"old")
                write_config(session, ScreenshotCapPath="Q:\\nowhere\\")  # a drive that does not exist
                program = session.start_program("/CaptrueAuto")
                overlay = select_region(session, program)
                self.save_as(session, overlay, "n")
                time.sleep(1.0)
                self.assertTrue(program.running(), "answering No ended the capture")
                self.assertEqual((target / "shot.png").read_bytes(), b"old")
                # Again, and Yes this time: the picture replaces the old file and the capture ends.
                self.save_as(session, overlay, "y")
                self.assertEqual(program.wait(20), 0, program.output())
                self.assertTrue(np.array_equal(read_picture(target / "shot.png"), selected_pixels(session)))
                _, log = read_utf16_file(session.log_path())
                self.assertIn("[savebtn]not DirectoryExists,Q:\\nowhere\\", log)

    @e2e_timeout(180)
    def test_ctrl_c_puts_the_selected_pixels_on_the_clipboard_and_ok_remembers_the_tip(self):
        with Session() as session:
            write_config(session, ScreenshotCapFormat="1")
            program = session.start_program("/CaptrueAuto")
            session.key(select_region(session, program), "ctrl+c")

            def clipboard_bmp():
                result = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"],
                                        env=session.env(), capture_output=True, timeout=10)
                return result.stdout if result.returncode == 0 and result.stdout[:2] == b"BM" else None

            data = wait_until(clipboard_bmp, 15, interval=0.3, what="a picture on the clipboard")
            self.assertTrue(np.array_equal(read_picture(data), selected_pixels(session)), "clipboard pixels differ")

            # The tip is up (centred, 380 x 120) and the program waits for it; OK with the box ticked.
            self.assertTrue(program.running(), "the program ended before the tip was dismissed")
            session.mouse_move((1920 - 380) // 2 + 380 - 10 - 42, (1080 - 120) // 2 + 120 - 10 - 17)
            session.click()
            self.assertEqual(program.wait(20), 0, program.output())
            self.assertIn("ScreenshotClipboardShow=1", config_text(session))
            self.assertIn('"stat":"333"', session.stat_path().read_text(encoding="utf-8"))

    @e2e_timeout(240)
    def test_notice_follows_the_cursor_goes_after_six_seconds_and_a_press_while_it_shows_keeps_it_away(self):
        with Session() as session:
            with self.subTest("gone after six seconds, a later press writes nothing"):
                session.mouse_move(300, 200)
                program = session.start_program("/CaptrueAuto")
                overlay = session.wait_for_overlay(program)
                wait_until(lambda: notice_window(session) is not None, 5, what="the notice")
                session.mouse_move(310, 210)
                wait_until(lambda: notice_window(session) is None, 9, what="the notice closing after 6 s")
                session.click()
                time.sleep(0.5)
                self.assertNotIn("ScreenshotCapTip", config_text(session))
                self.assertEqual(session.close_overlay(program, overlay), 0)

            session.mouse_move(300, 200)
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            # Right of the cursor, below the magnifier band (panel top = y + 20, height 168).
            wait_until(lambda: notice_window(session) == (320, 408), 5, what="the notice at (320, 408)")
            session.mouse_move(1800, 200)  # near the right edge it flips left of the cursor
            wait_until(lambda: notice_window(session) == (1400, 408), 5, what="the notice flipped to (1400, 408)")
            session.click()
            wait_until(lambda: notice_window(session) is None, 5, what="the notice closing on the press")
            self.assertIn("ScreenshotCapTip=1", config_text(session))
            self.assertEqual(session.close_overlay(program, overlay), 0)

            # With the setting written, the next run shows no notice.
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            session.mouse_move(500, 300)
            time.sleep(1.0)
            self.assertIsNone(notice_window(session))
            self.assertEqual(session.close_overlay(program, overlay), 0)
