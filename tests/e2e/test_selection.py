"""Making the selection under Wine with real X input, checked on the pixels the screen shows: a click takes the
detected window, a drag draws a dashed rectangle whose size the magnifier reads out, a handle and a move change the
finished selection (solid accent frame, handles, the toolbar beside it), window mode selects at once, the magnifier
shows the frozen pixels, and ESC, the toolbar's exit button and a right click while detecting end the run with exit
code 0. The geometry itself (handle places, clamping, toolbar places) is the unit tests' business."""
import contextlib
import unittest

import numpy as np

from overlay_pictures import (EXIT_BUTTON_CENTRE, MAGNIFIER_DARK, handle_rects, magnifier_check, magnifier_panel,
                              region_mode_picture, selected_picture, size_label, toolbar_rect)
from qor_e2e import Picture, Session, e2e_timeout, read_utf16_file, require_program

NARROW = (400, 300, 700, 500)
WIDE = (800, 560, 1800, 860)
# Later windows lie above earlier ones; the tiny topmost one is passed over in window mode.
WINDOWS = ["400,300,300,200,QorSelNarrow,Narrow,F4F1E8,popup",
           "800,560,1000,300,QorSelWide,Wide,checker:204060:E0C0A0:5,popup",
           "900,500,40,40,QorSelTiny,Tiny,FF00FF,topmost"]


def first_screenshot_line(session):
    _, text = read_utf16_file(session.log_path())
    return [line.split("  ", 1)[-1] for line in text.split("\r\n") if "g_FirstScreenShot" in line][-1]


class SelectionTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @contextlib.contextmanager
    def region_run(self, session, cursor, desktop, detected=None, switch="/CaptrueAuto"):
        """A run with the cursor at `cursor` (and, given `detected`, that rectangle detected under it): a failing step
        leaves neither a pressed button nor a running program to the next one."""
        session.mouse_move(*cursor)
        program, overlay = session.start_program(switch), None
        try:
            overlay = session.wait_for_overlay(program)
            if detected:
                session.wait_for_screen(region_mode_picture(desktop, detected, cursor),
                                        what=f"{detected} detected under the cursor at {cursor}")
            yield program, overlay
        finally:
            if program.running():
                with contextlib.suppress(Exception):
                    session.mouse_button(False)
                with contextlib.suppress(Exception):
                    session.close_overlay(program, overlay)
                program.kill()

    def assert_ended(self, session, program):
        self.assertEqual(program.wait(10), 0, program.output())
        self.assertEqual(session.covering_windows(), [])

    @e2e_timeout(300)
    def test_click_drag_handle_move_and_window_mode_select_on_the_frozen_screen_and_each_way_out_ends_with_0(self):
        with Session() as session:
            desktop = session.start_windows(WINDOWS)

            def wait_selected(selection, what, **options):
                return session.wait_for_screen(selected_picture(desktop, selection, **options), what=what)

            with self.subTest("click on a detected window, ESC"), \
                    self.region_run(session, (1300, 700), desktop, WIDE) as (program, overlay):
                wide_size = size_label(session.screenshot(), (1300, 700))  # "Size: (1000 x 300)"
                session.click(1)
                wait_selected(WIDE, "the selection of the detected window")
                self.assertEqual(first_screenshot_line(session), "g_FirstScreenShot1300,700")
                session.key(overlay, "Escape")
                self.assert_ended(session, program)

            with self.subTest("drag, right clicks, handle, move, exit button"), \
                    self.region_run(session, (500, 400), desktop, NARROW) as (program, overlay):
                narrow_size = size_label(session.screenshot(), (500, 400))
                self.assertFalse(np.array_equal(narrow_size, wide_size), "the readouts of 300 x 200 and 1000 x 300")
                self.assertGreater((narrow_size != MAGNIFIER_DARK).any(axis=2).sum(), 20, "no readout text")
                # A drag of 1000 x 300 from inside the detected window: dashed while the button is down, with the
                # same readout as the detected window of that size.
                drawn = (500, 400, 1500, 700)
                session.mouse_button(True)
                session.mouse_move(1500, 700)
                wait_selected(drawn, "the dashed frame while dragging", toolbar=False, dashed=True,
                              exclude=[magnifier_panel((1500, 700), 1920, 1080)])
                session.wait_for_screen(Picture(lambda s: None if np.array_equal(size_label(s, (1500, 700)), wide_size)
                                                else "another readout"), what="the readout \"Size: (1000 x 300)\"")
                session.mouse_button(False)
                wait_selected(drawn, "the selection after the release")
                self.assertEqual(first_screenshot_line(session), "g_FirstScreenShot500,400")
                # Right clicks inside and outside leave it; then handle 8 dragged past the right edge flips it.
                for point in ((1000, 550), (100, 100)):
                    session.mouse_move(*point)
                    session.click(3)
                left, top, _, _ = handle_rects(500, 400, 1000, 300)[7]
                session.drag((left + 3, top + 3), (1700, top + 3))
                wait_selected((1500, 400, 1700, 700), "the flipped selection")  # its left is the old right
                self.assertTrue(program.running(), "a right click with a selection ended the run")
                # Moved far past the bottom-right corner: it stops there, and the toolbar goes above it.
                corner = (1720, 780, 1920, 1080)
                session.drag((1600, 550), (1919, 1079))
                wait_selected(corner, "the selection moved into the corner with the toolbar above")
                toolbar = toolbar_rect(corner, 1080)
                session.mouse_move(toolbar[0] + EXIT_BUTTON_CENTRE[0], toolbar[1] + EXIT_BUTTON_CENTRE[1])
                session.click(1)
                self.assert_ended(session, program)

            with self.subTest("window mode"), \
                    self.region_run(session, (100, 1000), desktop, switch="/CaptrueWins") as (program, overlay):
                wait_selected(WIDE, "the topmost window that is not tiny selected at once")
                self.assertEqual(session.close_overlay(program, overlay), 0)

            # Last, as it changes the live screen under the overlay: the magnifier keeps showing the frozen picture.
            with self.subTest("magnifier, right click while detecting"), \
                    self.region_run(session, (200, 150), desktop, (0, 0, 1920, 1080)) as (program, overlay):
                session.set_background(255 - session.background)
                for cursor in ((200, 150), (1850, 1000)):
                    session.mouse_move(*cursor)
                    session.wait_for_screen(Picture(magnifier_check(cursor, desktop.shape, desktop)),
                                            what=f"the magnifier beside the cursor at {cursor}")
                session.click(3)
                self.assert_ended(session, program)
