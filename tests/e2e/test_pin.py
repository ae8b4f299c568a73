"""Pin under Wine with real X input: the capture, annotations included, and its screen rectangle are handed to the pin
program, the run ends, and the pin shows the picture exactly where it was taken; Esc closes it and the pin program
ends."""
import subprocess
import unittest
from pathlib import Path

import numpy as np

from overlay_pictures import tool_button_centre
from qor_e2e import Session, e2e_timeout, pin_exe, read_picture, require_program, wait_until
from test_annotation import draw, rectangle_border
from test_output import SELECTION, SELECTED, start_and_select
from test_pin_program import pin_windows, window_at


def pin_program_running(session):
    """Whether a pin program of this session's Wine prefix runs (the overlay started it, not the harness)."""
    found = subprocess.run(["pgrep", "-f", "QorScreenshotPin.exe"], capture_output=True, text=True).stdout.split()
    for pid in found:
        try:
            environ = Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={session.prefix}".encode() in environ:
            return True
    return False


class PinTests(unittest.TestCase):
    def setUp(self):
        require_program()
        require_program(pin_exe())

    @e2e_timeout(300)
    def test_pin_hands_over_the_drawn_picture_and_its_rectangle_and_ends_the_run(self):
        with Session() as session:
            picture = session.temp_dir() / "ZynPinTemp.bmp"
            picture.unlink(missing_ok=True)
            program, overlay = start_and_select(session)
            shape = ((200, 200), (300, 280))
            draw(session, "rectangle", shape, shown_at=(200, 215))
            session.mouse_move(*tool_button_centre(SELECTION, 1080, "pin"))
            session.click()
            self.assertEqual(program.wait(20), 0, program.output())

            expected = session.background[SELECTED].copy()
            rectangle_border(expected, *shape)
            self.assertTrue(np.array_equal(read_picture(picture.read_bytes()), expected),
                            "the handed-over picture differs from the drawing")
            config = session.config_text()
            section = config[config.index("[StartPin]"):]
            lines = [line for line in section.splitlines()[1:5]]
            self.assertEqual(lines, ["Left=100", "Right=500", "Top=120", "Bottom=420"], config)

            # The pin shows the frozen pixels with the rectangle exactly where they were taken.
            session.wait_for_screen(lambda screen: np.array_equal(screen[SELECTED], expected),
                                    what="the pinned picture at the selection")
            window = window_at(session, SELECTION)
            self.assertTrue(pin_program_running(session))
            session.key(window, "Escape")
            wait_until(lambda: not pin_windows(session), 15, what="the pin closed")
            wait_until(lambda: not pin_program_running(session), 15, what="the pin program to end")


if __name__ == "__main__":
    unittest.main()
