"""Drawing under Wine with real X input: the shape tools of the toolbar draw on the selection, Ctrl+Z and the Restore
button take the last shape back, and Ctrl+S and Ctrl+C write exactly what is shown (without the handles), cut at the
selection's edge; ESC with something drawn first shows the exit tip, and a second ESC ends the run without writing
anything."""
import math
import shutil
import unittest

import numpy as np

from overlay_pictures import TOOLBAR_DARK, tool_button_centre
from qor_e2e import Session, artifacts_dir, e2e_timeout, read_picture, require_program, save_png
from test_output import SELECTION, SELECTED, saved_files, start_and_select

RED = (255, 0, 0)
LEFT, TOP = SELECTION[:2]
WIDTH, HEIGHT = SELECTION[2] - LEFT, SELECTION[3] - TOP


def rectangle_border(picture, a, b, width=4, colour=RED):
    """Paints into `picture` (selection coordinates) the border a rectangle dragged from screen point a to b gets:
    both pixels included, `width` pixels inside that box, cut at the picture's edges."""
    left, top = min(a[0], b[0]) - LEFT, min(a[1], b[1]) - TOP
    right, bottom = max(a[0], b[0]) + 1 - LEFT, max(a[1], b[1]) + 1 - TOP
    for y0, y1, x0, x1 in ((top, top + width, left, right), (bottom - width, bottom, left, right),
                           (top, bottom, left, left + width), (top, bottom, right - width, right)):
        picture[max(y0, 0) : max(y1, 0), max(x0, 0) : max(x1, 0)] = colour


def empty_default_folder(session):
    """C:\\shots, emptied (the prefix outlives a test) and made the default folder of Save."""
    folder = session.prefix / "drive_c" / "shots"
    shutil.rmtree(folder, ignore_errors=True)
    session.write_config(ScreenshotCapPath="C:\\shots\\")
    return folder


def box_of(points, margin):
    """Selection-coordinate slices of the points' bounding box grown by `margin`."""
    xs, ys = [p[0] - LEFT for p in points], [p[1] - TOP for p in points]
    return np.s_[max(min(ys) - margin, 0) : max(ys) + margin + 1, max(min(xs) - margin, 0) : max(xs) + margin + 1]


def is_red(pixel):
    return pixel[0] >= 200 and pixel[1] <= 60 and pixel[2] <= 60


def on_screen(point):
    """A screen predicate: the pixel at `point` is red."""
    return lambda screen: is_red(screen[point[1], point[0]])


def draw(session, tool, points, shown_at):
    """Picks `tool` on the toolbar, drags through `points` and waits until the pixel `shown_at` turns red (a point
    away from the new shape's handles, which lie on its box's corners and edge middles)."""
    session.mouse_move(*tool_button_centre(SELECTION, 1080, tool))
    session.click()
    if tool == "brush":
        # The system keeps only the newest of the mouse moves waiting in the queue: each point of a stroke is waited
        # for on screen before the next, as a hand moves slowly enough to be followed.
        session.mouse_move(*points[0])
        session.mouse_button(True)
        for point in points[1:]:
            session.mouse_move(*point)
            session.wait_for_screen(on_screen(point), what=f"the brush reaching {point}")
        session.mouse_button(False)
    else:
        session.drag(*points)
    session.wait_for_screen(on_screen(shown_at), what=f"the {tool} drawn")


class AnnotationTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(300)
    def test_each_shape_tool_draws_what_ctrl_s_saves_ctrl_z_takes_the_last_back_and_the_edge_cuts(self):
        with Session() as session:
            folder = empty_default_folder(session)
            program, overlay = start_and_select(session)

            rect_a, rect_b = ((150, 170), (250, 240)), ((420, 350), (560, 470))  # the second runs over the edge
            draw(session, "rectangle", rect_a, shown_at=(150, 185))
            oval = ((300, 160), (440, 250))
            draw(session, "oval", oval, shown_at=(405, 168))
            line = ((150, 300), (300, 300))
            draw(session, "line", line, shown_at=(220, 300))
            arrow = ((320, 390), (450, 300))
            draw(session, "arrow", arrow, shown_at=(440, 307))
            # Near the selection's top-left corner, so that a point of the stroke taken in the overlay's coordinates
            # instead of the selection's would land inside the picture.
            brush = tuple((120 + 8 * i, 148 + round(12 * math.sin(i / 2.5))) for i in range(16))
            draw(session, "brush", brush, shown_at=brush[7])
            draw(session, "rectangle", rect_b, shown_at=(421, 380))
            # One more, taken back: the screen shows the picture without it again.
            extra = ((330, 262), (380, 290))
            draw(session, "rectangle", extra, shown_at=(340, 262))
            session.key(overlay, "ctrl+z")
            background = session.background
            session.wait_for_screen(lambda s: np.array_equal(s[262, 330:381], background[262, 330:381]),
                                    what="the last rectangle taken back")

            session.key(overlay, "ctrl+s")
            self.assertEqual(program.wait(20), 0, program.output())
            files = saved_files(folder)
            self.assertEqual(len(files), 1, f"files in {folder}")
            saved = read_picture(files[0])
            self.assertEqual(saved.shape, (HEIGHT, WIDTH, 3), "the picture is the selection, cut at its edges")

            expected = background[SELECTED].copy()
            rectangle_border(expected, *rect_a)
            rectangle_border(expected, *rect_b)
            free = np.ones((HEIGHT, WIDTH), bool)  # where nothing but the two rectangles may differ
            for points in (oval, line, arrow, brush):
                free[box_of(points, 6)] = False
            differs = np.any(saved != expected, axis=2) & free
            if differs.any():
                save_png(saved, artifacts_dir() / "failed-shapes-saved.png")
            self.assertFalse(differs.any(), f"{differs.sum()} pixels differ, first at {np.argwhere(differs)[:3]} "
                                            f"(saved picture kept in {artifacts_dir() / 'failed-shapes-saved.png'})")
            # Inside the other shapes' boxes: each drew red where it must and left the picture alone further away.
            for name, point in (("oval left", (300, 205)), ("oval right", (440, 205)), ("line", (160, 300)),
                                ("line", (290, 300)), ("arrow tip", (446, 303)), ("brush", brush[7])):
                self.assertTrue(is_red(saved[point[1] - TOP, point[0] - LEFT]), f"{name} at {point}")
            for name, point in (("inside the oval", (370, 205)), ("beside the line", (220, 306))):
                y, x = point[1] - TOP, point[0] - LEFT
                self.assertTrue(np.array_equal(saved[y, x], background[point[1], point[0]]), name)

    @e2e_timeout(300)
    def test_ctrl_c_copies_what_is_drawn_and_escape_warns_once_then_ends_without_writing(self):
        with Session() as session:
            folder = empty_default_folder(session)
            shape = ((200, 200), (300, 280))
            program, overlay = start_and_select(session)
            draw(session, "rectangle", shape, shown_at=(200, 215))
            # A second one, taken back with the Restore button of the toolbar.
            draw(session, "oval", ((350, 150), (450, 250)), shown_at=(354, 185))
            session.mouse_move(*tool_button_centre(SELECTION, 1080, "undo"))
            session.click()
            background = session.background
            session.wait_for_screen(lambda s: np.array_equal(s[185, 350:360], background[185, 350:360]),
                                    what="the oval taken back")
            session.key(overlay, "ctrl+c")

            data = session.wait_for_clipboard_picture()
            expected = session.background[SELECTED].copy()
            rectangle_border(expected, *shape)
            self.assertTrue(np.array_equal(read_picture(data), expected), "clipboard pixels differ from the drawing")
            self.assertEqual(program.wait(20), 0, program.output())

            program, overlay = start_and_select(session)
            draw(session, "rectangle", shape, shown_at=(200, 215))
            session.key(overlay, "Escape")
            # The tip lies centred on the selection, in the toolbar's dark colour.
            centre = ((LEFT + SELECTION[2]) // 2, (TOP + SELECTION[3]) // 2)

            def tip_shown(screen):
                # In the padding left of the text of the 320-pixel wide tip.
                return np.abs(screen[centre[1], centre[0] - 153].astype(int) - TOOLBAR_DARK).max() <= 8

            session.wait_for_screen(tip_shown, what="the exit tip")
            self.assertTrue(program.running(), "the first ESC ended the run")
            session.key(overlay, "Escape")
            self.assertEqual(program.wait(20), 0, program.output())
            self.assertEqual(saved_files(folder), [], "ESC wrote a file")

    @e2e_timeout(300)
    def test_pixelation_turns_a_swept_band_into_cells_that_take_in_a_shape_drawn_before(self):
        with Session() as session:
            folder = empty_default_folder(session)
            program, overlay = start_and_select(session)
            rect = ((150, 170), (250, 240))
            draw(session, "rectangle", rect, shown_at=(150, 185))
            # The band crosses the rectangle's sides; the brush is 20 pixels wide and the cells 10.
            session.mouse_move(*tool_button_centre(SELECTION, 1080, "pixelation"))
            session.click()
            band = [(130, 205), (300, 205), (470, 205)]
            session.drag(*band)
            cell = np.s_[200:210, 460:470]  # a cell on the band's far end, in screen coordinates

            def far_end_pixelated(screen):
                part = screen[cell].reshape(-1, 3)
                return (part == part[0]).all() and not np.array_equal(screen[cell], session.background[cell])

            session.wait_for_screen(far_end_pixelated, what="the band pixelated")
            session.key(overlay, "ctrl+s")
            self.assertEqual(program.wait(20), 0, program.output())
            files = saved_files(folder)
            self.assertEqual(len(files), 1, f"files in {folder}")
            saved = read_picture(files[0]).astype(int)

            before = session.background[SELECTED].copy()
            rectangle_border(before, *rect)
            before = before.astype(int)
            changed_rows = set()
            for top in range(0, HEIGHT, 10):
                for left in range(0, WIDTH, 10):
                    got, was = saved[top : top + 10, left : left + 10], before[top : top + 10, left : left + 10]
                    if np.array_equal(got, was):
                        continue
                    mean = np.floor(was.reshape(-1, 3).mean(axis=0) + 0.5)
                    self.assertTrue((np.abs(got - mean) <= 1).all(), f"cell at {left},{top} is not its mean")
                    changed_rows.add(top)
                    # Each swept cell lies within the brush's reach of the band.
                    self.assertLess(abs(top + 5 - (205 - TOP)), 10 + 5 + 5, f"cell at {left},{top} is off the band")
            self.assertIn(80, changed_rows, "the band's own cell row was not pixelated")
            # The rectangle's sides on the band are cells now: no red pixel is left where the band crossed them.
            self.assertFalse((saved[82:88, 50:54] == RED).all(axis=2).any(), "the rectangle's side survived")

    @e2e_timeout(300)
    def test_text_copied_while_typed_then_reopened_by_hovering_extended_and_moved_is_saved_once(self):
        with Session() as session:
            folder = empty_default_folder(session)
            background = session.background
            expected = background[SELECTED].astype(int)

            def red_text(picture, room):
                """The red pixels of `picture` (selection coordinates) that differ from the frozen picture inside
                room (the noise of the test desktop holds red pixels too); all changed pixels outside room."""
                inside = np.zeros((HEIGHT, WIDTH), bool)
                inside[room] = True
                differs = np.any(picture != expected, axis=2)
                return (np.abs(picture - RED).max(axis=2) <= 40) & differs & inside, differs & ~inside

            def frame_row(click):  # the top edge of an editor opened by a click there
                return np.s_[click[1], click[0] : click[0] + 60]

            def frame_shown(click):
                return lambda screen: not np.array_equal(screen[frame_row(click)], background[frame_row(click)])

            def type_at(click, text):
                session.focus(overlay)
                session.mouse_move(*tool_button_centre(SELECTION, 1080, "text"))
                session.click()
                session.mouse_move(*click)
                session.click()
                session.wait_for_screen(frame_shown(click), what="the text editor open")
                session.xdotool("type", "--delay", "30", text)

            def typed_at(click):
                box = np.s_[click[1] - 2 : click[1] + 40, click[0] - 2 : click[0] + 200]
                return lambda screen: (np.abs(screen[box].astype(int) - RED).max(axis=2) <= 40).sum() >= 40

            def room(click):  # the editor's room from its top-left, in selection coordinates
                return np.s_[click[1] - TOP - 2 : click[1] - TOP + 40, click[0] - LEFT - 2 : click[0] - LEFT + 200]

            # Ctrl+C while typing: the clipboard holds the text.
            click = (200, 250)
            program, overlay = start_and_select(session)
            type_at(click, "Hello 123")
            session.wait_for_screen(typed_at(click), what="the typed text")
            session.key(overlay, "ctrl+c")
            copied = read_picture(session.wait_for_clipboard_picture()).astype(int)
            self.assertEqual(program.wait(20), 0, program.output())
            red, stray = red_text(copied, room(click))
            self.assertFalse(stray.any(), "pixels changed outside the text's room")
            self.assertGreaterEqual(red.sum(), 40, "no red text in the clipboard picture")
            xs = np.nonzero(red)[1]
            first_width = xs.max() - xs.min()
            # "Hello 123" at 12 points: about 60 pixels wide, from the click on.
            self.assertLess(first_width, 100)
            self.assertGreater(first_width, 35)

            # Committed by a press elsewhere: the editor's frame goes, the text stays.
            program, overlay = start_and_select(session)
            type_at(click, "Hello 123")
            session.wait_for_screen(typed_at(click), what="the typed text")
            session.mouse_move(400, 380)
            session.click()
            session.wait_for_screen(lambda screen: not frame_shown(click)(screen) and typed_at(click)(screen),
                                    what="the text committed without its frame")
            # Hovering the text with the text tool opens it again, with its frame; typing goes on at its end.
            session.mouse_move(click[0] + 10, click[1] + 8)
            session.wait_for_screen(frame_shown(click), what="the text reopened")
            session.xdotool("type", "--delay", "30", " more")
            # Dragged by its frame's left edge 60 pixels right and 40 down.
            moved = (click[0] + 60, click[1] + 40)
            session.drag((click[0], click[1] + 10), (click[0] + 30, click[1] + 30), (moved[0], moved[1] + 10))
            session.wait_for_screen(typed_at(moved), what="the text at its new place")
            session.key(overlay, "ctrl+s")
            self.assertEqual(program.wait(20), 0, program.output())
            files = saved_files(folder)
            self.assertEqual(len(files), 1, f"files in {folder}")
            red, stray = red_text(read_picture(files[0]).astype(int), room(moved))
            self.assertFalse(stray.any(), "pixels changed outside the moved text's room: the text is doubled")
            xs = np.nonzero(red)[1]
            self.assertGreater(xs.max() - xs.min(), first_width + 15, "the text did not grow")

    @e2e_timeout(300)
    def test_size_24_chosen_in_the_font_size_box_makes_the_typed_text_larger(self):
        with Session() as session:
            program, overlay = start_and_select(session)
            session.mouse_move(*tool_button_centre(SELECTION, 1080, "text"))
            session.click()
            # The options panel hangs under the toolbar, which lies at the screen's left edge under this selection.
            panel_top = SELECTION[3] + 2 + 40 + 2
            session.mouse_move(10 + 32, panel_top + 25)  # Font_combox
            session.click()
            session.xdotool("key", "Down", "Down", "Down", "Down", "Down", "Down", "Return")  # 12 -> 24
            click = (150, 200)
            session.focus(overlay)
            session.mouse_move(*click)
            session.click()
            edge = np.s_[click[1], click[0] : click[0] + 40]  # the editor's frame, once it is open
            session.wait_for_screen(lambda screen: not np.array_equal(screen[edge], session.background[edge]),
                                    what="the text editor open")
            session.xdotool("type", "--delay", "30", "Hello")
            box = np.s_[click[1] - 2 : click[1] + 60, click[0] - 2 : click[0] + 200]
            background = session.background

            def heights(screen):
                red = (np.abs(screen[box].astype(int) - RED).max(axis=2) <= 40) & np.any(
                    screen[box] != background[box], axis=2)
                ys = np.nonzero(red)[0]
                return ys.max() - ys.min() if len(ys) > 40 else 0

            session.wait_for_screen(lambda screen: heights(screen) >= 16, what="text at 24 points")
            program.kill()


if __name__ == "__main__":
    unittest.main()
