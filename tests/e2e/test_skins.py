"""Skin packages under Wine: the toolbar's window background is the picture of the mounted package, laid with its
border kept; an edited skin (zip tools) shows at once, the scaled layout takes "classic2.rcc", and a copy of the
program without webres.dll still captures, drawing its own pictures."""
import io
import shutil
import tempfile
import unittest
import zipfile
from pathlib import Path

import numpy as np
from PIL import Image

from overlay_pictures import TOOLBAR_HEIGHT, toolbar_check, toolbar_rect
from qor_e2e import Picture, Session, dist_dir, e2e_timeout, read_picture, require_program, wait_until

SKIN = Path("skin/ScreenShotSkin")
WHOLE_1X = (0, 0, 1920, 1080)
WHOLE_2X = (0, 0, 3840, 2160)
# Background pixels of the toolbar (unscaled): the top and bottom border bands left of the copy button, and the
# middle of the gap between the rectangle and ellipse buttons.
BAND_RIGHT = 600
GAP = (164, 168)
TIP_WIDTH, TIP_HEIGHT = 380, 120


def tip_window(session):
    """The copy tip's geometry (x, y, width, height) once it shows, else None."""
    for window in session.find_windows("qorscreenshot.exe", search="--classname"):
        geometry = session.geometry(window)
        if geometry and geometry[4] and geometry[2:4] == (TIP_WIDTH, TIP_HEIGHT):
            return geometry[:4]
    return None


def border_picture(size, border, edge_rgb, centre_rgb):
    """A window background `size` square with a `border`-pixel frame: each corner gets its own colour, so a
    corner drawn stretched or swapped shows."""
    picture = np.zeros((size, size, 4), np.uint8)
    picture[..., 3] = 255
    picture[..., :3] = edge_rgb
    picture[border:size - border, border:size - border, :3] = centre_rgb
    corners = [(0, 0, (255, 0, 0)), (0, size - border, (0, 255, 0)), (size - border, 0, (0, 0, 255)),
               (size - border, size - border, (255, 255, 0))]
    for y, x, rgb in corners:
        picture[y:y + border, x:x + border, :3] = rgb
        picture[y + 1, x + 1, :3] = (255, 255, 255)  # one odd pixel: the corner must not be resampled
    return picture


def replace_in_package(package, name, picture):
    """Rewrites one entry of a zip package, as a user editing the skin would."""
    with zipfile.ZipFile(package) as zin:
        entries = [(info, zin.read(info)) for info in zin.infolist()]
    names = [info.filename for info, _ in entries]
    assert name in names, f"{package.name} has no {name}: {names[:10]}"
    png = io.BytesIO()
    Image.fromarray(picture, "RGBA").save(png, "PNG")
    with zipfile.ZipFile(package, "w", zipfile.ZIP_DEFLATED) as zout:
        for info, data in entries:
            zout.writestr(info.filename, png.getvalue() if info.filename == name else data)


def expected_toolbar_background(picture, scale):
    """The parts of the toolbar that show only the background: its corners exactly as in the picture, the top and
    bottom border bands and the centre colour."""
    border = 4 * scale
    rgb = picture[..., :3]
    return {"top-left": rgb[:border, :border], "bottom-left": rgb[-border:, :border],
            "top band": rgb[:border, border + 2], "bottom band": rgb[-border:, border + 2],
            "centre": rgb[picture.shape[0] // 2, picture.shape[1] // 2]}


def toolbar_background_check(selection, shape, picture, scale):
    left, top, _, _ = toolbar_rect(selection, shape[0], scale)
    border, height = 4 * scale, TOOLBAR_HEIGHT * scale
    parts = expected_toolbar_background(picture, scale)
    band = np.s_[left + border:left + BAND_RIGHT * scale]

    def check(screen):
        bar = screen[top:top + height]
        shown = {"top-left": bar[:border, left:left + border], "bottom-left": bar[-border:, left:left + border],
                 "top band": bar[:border, band], "bottom band": bar[-border:, band],
                 "centre": bar[height // 2, left + GAP[0] * scale:left + GAP[1] * scale]}
        for name, expected in parts.items():
            got = shown[name]
            if name.endswith("band"):
                expected = np.broadcast_to(expected[:, None, :], got.shape)
            elif name == "centre":
                expected = np.broadcast_to(expected, got.shape)
            if got.shape != expected.shape or (np.abs(got.astype(int) - expected).max(axis=-1) > 2).any():
                return f"the toolbar's {name} at {(left, top)} is not the skin's (first row {got.reshape(-1, 3)[:3]})"

    return check


class SkinTests(unittest.TestCase):
    def setUp(self):
        require_program()
        self.work = Path(tempfile.mkdtemp(prefix="qor-skins-"))
        self.addCleanup(shutil.rmtree, self.work, True)

    def program_copy(self, name, webres=True):
        folder = self.work / name
        shutil.copytree(dist_dir(), folder)
        if not webres:
            (folder / "webres.dll").unlink()
        return folder

    def capture_full_screen(self, session, exe):
        program = session.start_program("/CAPTRUEFULLSCREEN", exe=str(exe))
        return program, session.wait_for_overlay(program)

    def copy(self, session, program, overlay, tip_picture=None):
        """Ctrl+C copies the desktop and ends the run. The first time, the tip holds the run: it shows the skin's
        corner (`tip_picture`) and its OK, with "Don't show this message again" ticked, ends the run."""
        session.key(overlay, "ctrl+c")
        copied = read_picture(session.wait_for_clipboard_picture())
        self.assertTrue(np.array_equal(copied, session.background), "the copied picture is not the desktop")
        if tip_picture is not None:
            tip = wait_until(lambda: tip_window(session), 15, what="the copy tip")
            corner = tip_picture[:4, :4, :3]
            session.wait_for_screen(Picture(lambda screen: None if np.array_equal(
                screen[tip[1]:tip[1] + 4, tip[0]:tip[0] + 4], corner) else "the tip's corner is not the skin's"),
                what="the copy tip laid with the skin's background")
            session.mouse_move(tip[0] + TIP_WIDTH - 10 - 42, tip[1] + TIP_HEIGHT - 10 - 17)
            session.click()
        self.assertEqual(program.wait(20), 0, program.output())

    @e2e_timeout(420)
    def test_the_toolbar_draws_the_mounted_skin_at_both_scales_and_its_own_pictures_without_the_library(self):
        edited = self.program_copy("edited")
        picture_1x = border_picture(12, 4, (80, 80, 200), (30, 90, 60))
        picture_2x = border_picture(24, 8, (200, 80, 80), (60, 30, 90))
        replace_in_package(edited / SKIN / "classic.rcc", "images/bg_window.png", picture_1x)
        replace_in_package(edited / SKIN / "classic2.rcc", "images/bg_window.png", picture_2x)
        bare = self.program_copy("bare", webres=False)
        replace_in_package(bare / SKIN / "classic.rcc", "images/bg_window.png", picture_1x)

        with Session(1920, 1080) as session:
            shape = (1080, 1920)
            with self.subTest("the edited skin at 1x: toolbar and copy tip"):
                program, overlay = self.capture_full_screen(session, edited / "QorScreenshot.exe")
                session.wait_for_screen(Picture(toolbar_background_check(WHOLE_1X, shape, picture_1x, 1)),
                                        what="the toolbar laid with the edited classic.rcc background")
                self.copy(session, program, overlay, tip_picture=picture_1x)

            with self.subTest("no webres.dll: own pictures, and the capture still copies"):
                program, overlay = self.capture_full_screen(session, bare / "QorScreenshot.exe")
                screen = session.wait_for_screen(Picture(toolbar_check(WHOLE_1X, shape)), what="the toolbar's dark band")
                self.assertIsNotNone(toolbar_background_check(WHOLE_1X, shape, picture_1x, 1)(screen),
                                     "without the library the package's picture was drawn")
                self.copy(session, program, overlay)

        with Session(3840, 2160) as session:
            shape = (2160, 3840)
            program, overlay = self.capture_full_screen(session, edited / "QorScreenshot.exe")
            session.wait_for_screen(Picture(toolbar_background_check(WHOLE_2X, shape, picture_2x, 2)),
                                    what="the scaled toolbar laid with the edited classic2.rcc background")
            session.key(overlay, "Escape")
            self.assertEqual(program.wait(15), 0, program.output())


if __name__ == "__main__":
    unittest.main()
