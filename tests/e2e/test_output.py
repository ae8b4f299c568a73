"""Save and copy under Wine: Ctrl+S writes the selected pixels of the frozen screen into the default folder in the
configured format (or, with an unusable folder, where the save dialog says) and ends with exit code 0; Ctrl+C puts
exactly those pixels on the clipboard and shows the tip; the capture notice of a first run beside the cursor is
remembered by a press while it shows."""
import re
import unittest

import numpy as np
from PIL import Image

from overlay_pictures import region_mode_picture, selected_picture
from qor_e2e import Session, e2e_timeout, read_picture, read_utf16_file, require_program, wait_until

SELECTION = (100, 120, 500, 420)  # left, top, right, bottom
SELECTED = np.s_[120:420, 100:500]  # its pixels in a screen picture
SHOT_NAME = re.compile(r"^ScreenShot_\d{14}\.(png|jpeg|bmp)$")


def start_and_select(session, before_selection=()):
    """A region run from the selection's top-left: waits for the desktop detected there, sends `before_selection`
    keys, drags the selection and waits for it with its toolbar; returns (program, overlay)."""
    session.mouse_move(*SELECTION[:2])
    program = session.start_program("/CaptrueAuto")
    overlay = session.wait_for_overlay(program)
    session.wait_for_screen(region_mode_picture(session.background, (0, 0, 1920, 1080), SELECTION[:2]),
                            what="the desktop detected")
    if before_selection:
        session.key(overlay, *before_selection)
    session.drag(SELECTION[:2], SELECTION[2:])
    session.wait_for_screen(selected_picture(session.background, SELECTION), what="the selection")
    return program, overlay


def program_window(session, width):
    """The geometry (x, y, width, height) of the program's visible top-level window `width` pixels wide, or None."""
    for window in session.find_windows("qorscreenshot.exe", search="--classname"):
        geometry = session.geometry(window)
        if geometry and geometry[4] and geometry[2] == width:
            return geometry[:4]
    return None


def saved_files(folder):
    return sorted(p for p in folder.iterdir() if SHOT_NAME.match(p.name)) if folder.exists() else []


def block_means(picture, size=8):
    height, width = (picture.shape[0] // size) * size, (picture.shape[1] // size) * size
    blocks = picture[:height, :width].astype(np.float64).reshape(height // size, size, width // size, size, 3)
    return blocks.mean(axis=(1, 3))


class OutputTests(unittest.TestCase):
    def setUp(self):
        require_program()

    def save_as(self, session, overlay, answer):
        """Ctrl+S, C:\\picked\\shot.png typed into the save dialog, `answer` to the overwrite question; waits until
        the dialog and the question are gone."""
        session.key(overlay, "ctrl+s")
        session.focus(wait_until(lambda: (session.find_windows("Save As") or [None])[0], 15, what="the save dialog"))
        session.xdotool("key", "ctrl+a")
        session.xdotool("type", "--delay", "20", "C:\\picked\\shot.png")
        session.xdotool("key", "Return")
        question = wait_until(lambda: [w for w in session.find_windows() if w != overlay] or None, 15,
                              what="the overwrite question")[0]
        session.key(question, answer)
        wait_until(lambda: not session.find_windows("Save As") and session.find_windows() in ([overlay], []), 15,
                   what="the save dialog and the question to close")

    @e2e_timeout(300)
    def test_ctrl_s_writes_the_selected_pixels_in_the_configured_format_to_the_default_folder_or_the_picked_file(self):
        with Session() as session:
            # Spaces, a doubled separator and a forward slash: the folder is created level by level.
            folder = session.prefix / "drive_c" / "shots here" / "deep folder"
            expected = session.background[SELECTED]
            for cap_format, suffix in (("", ".png"), ("0", ".jpeg")):
                with self.subTest(cap_format=cap_format):
                    session.write_config(ScreenshotCapPath="C:\\shots here\\\\deep folder/",
                                         ScreenshotCapFormat=cap_format)
                    # Ctrl+S before the selection does nothing (else the run ends or leaves a second file).
                    program, overlay = start_and_select(session, ["ctrl+s"] if suffix == ".png" else [])
                    session.key(overlay, "ctrl+s")
                    self.assertEqual(program.wait(20), 0, program.output())
                    files = saved_files(folder)
                    self.assertEqual([f.suffix for f in files], [suffix], f"files in {folder}")
                    with Image.open(files[0]) as image:
                        luma_dc_step = image.quantization[0][0] if image.format == "JPEG" else None
                        picture = np.asarray(image.convert("RGB"))
                    files[0].unlink()
                    self.assertEqual(picture.shape, expected.shape)
                    if suffix == ".jpeg":
                        # The screen is pixel noise with solid bands: compare 8 x 8 block means, which JPEG keeps.
                        mse = ((block_means(picture) - block_means(expected)) ** 2).mean()
                        self.assertLess(mse, 65.0, "block means further apart than 30 dB PSNR")
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
                session.write_config(ScreenshotCapPath="Q:\\nowhere\\")  # a drive that does not exist
                program, overlay = start_and_select(session)
                self.save_as(session, overlay, "n")
                self.assertTrue(program.running(), "answering No ended the capture")
                self.assertEqual((target / "shot.png").read_bytes(), b"old")
                # Again, and Yes this time: the picture replaces the old file and the capture ends.
                self.save_as(session, overlay, "y")
                self.assertEqual(program.wait(20), 0, program.output())
                self.assertTrue(np.array_equal(read_picture(target / "shot.png"), session.background[SELECTED]))
                _, log = read_utf16_file(session.log_path())
                self.assertIn("[savebtn]not DirectoryExists,Q:\\nowhere\\", log)

    @e2e_timeout(180)
    def test_first_run_notice_is_remembered_on_a_press_and_ctrl_c_puts_the_selected_pixels_on_the_clipboard(self):
        with Session(first_run=True) as session:
            session.mouse_move(*SELECTION[:2])
            program = session.start_program("/CaptrueAuto")
            overlay = session.wait_for_overlay(program)
            # Right of the cursor, below the magnifier band (panel top = y + 20, height 168); shown by the detection
            # tick, so the desktop is detected under the cursor by then.
            wait_until(lambda: (program_window(session, 400) or [None])[:2] == (120, 328), 15,
                       what="the notice at (120, 328)")
            session.drag(SELECTION[:2], SELECTION[2:])
            session.wait_for_screen(selected_picture(session.background, SELECTION), what="the selection, no notice")
            wait_until(lambda: "ScreenshotCapTip=1" in session.config_text(), 10, what="ScreenshotCapTip=1")
            session.key(overlay, "ctrl+c")

            data = session.wait_for_clipboard_picture()
            self.assertTrue(np.array_equal(read_picture(data), session.background[SELECTED]), "clipboard pixels differ")

            # The tip (380 x 120, centred) holds the run until OK, clicked here with "Don't show again" ticked.
            tip = wait_until(lambda: program_window(session, 380), 15, what="the tip")
            self.assertEqual(tip, ((1920 - 380) // 2, (1080 - 120) // 2, 380, 120))
            self.assertTrue(program.running(), "the program ended before the tip was dismissed")
            session.mouse_move(tip[0] + 380 - 10 - 42, tip[1] + 120 - 10 - 17)
            session.click()
            self.assertEqual(program.wait(20), 0, program.output())
            self.assertIn("ScreenshotClipboardShow=1", session.config_text())
            self.assertIn('"stat":"333"', session.stat_path().read_text(encoding="utf-8"))
