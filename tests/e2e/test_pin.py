"""Pin under Wine with real X input: the capture, annotations included, and its screen rectangle are handed to the pin
program, and the run ends."""
import unittest

import numpy as np

from overlay_pictures import tool_button_centre
from qor_e2e import Session, e2e_timeout, read_picture, require_program
from test_annotation import draw, rectangle_border
from test_output import SELECTION, SELECTED, start_and_select


def temporary_folder(session):
    """The Wine user's temporary folder (its TEMP)."""
    return session.corvane_dir().parent.parent.parent / "Temp"


class PinTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(300)
    def test_pin_hands_over_the_drawn_picture_and_its_rectangle_and_ends_the_run(self):
        with Session() as session:
            picture = temporary_folder(session) / "ZynPinTemp.bmp"
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


if __name__ == "__main__":
    unittest.main()
