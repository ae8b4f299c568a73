"""Making the selection under Wine with real X input: a click takes the detected window, a drag draws a rectangle
(dashed frame while dragging; solid 1-pixel accent frame and eight 6 x 6 handles after the release), the selection
moves inside the desktop and resizes by its handles, the magnifier follows the cursor with the frozen pixels, the
toolbar (a dark 40-pixel band) opens beside the selection, and right click, ESC and the toolbar's exit button end
the run with exit code 0. Every check is made on the pixels the screen shows."""
import contextlib
import time
import unittest

import numpy as np

import test_overlay as overlay_checks
from qor_e2e import Picture, Session, dimmed, e2e_timeout, read_utf16_file, require_program, wait_until

ACCENT = (0x33, 0x77, 0xFF)  # COLORREF 0xFF7733
TOOLBAR_DARK = (0x26, 0x26, 0x26)
MAGNIFIER_DARK = (0x18, 0x1B, 0x26)  # COLORREF 0x261B18
TOOLBAR_WIDTH = 816  # the save button's right edge with the unscaled gaps, no save drop-down
TOOLBAR_HEIGHT = 40
EXIT_BUTTON_CENTRE = (508, 20)  # Btn_Rd_Del, 30 x 30 at 493, 5 in the toolbar
HANDLE = 6
PANEL_WIDTH, PANEL_HEIGHT = 154, 168
IMAGE_AT = 7  # Image_Expand's left and top in the panel
SIZE_LABEL_ROWS = (121, 141)  # Label_Size's band in the panel (Label_RGB starts at 142)
SCREEN_W, SCREEN_H = 1920, 1080
WHOLE = (0, 0, SCREEN_W, SCREEN_H)


def handle_rects(left, top, width, height):
    """The eight handles (left, top, right, bottom), numbered clockwise from the top-left corner."""
    left1, top1 = left - 2 - (7 if width < 0 else 0), top - 2 - (7 if height < 0 else 0)
    mid_x, mid_y = left + int(width / 2), top + int(height / 2)
    left3 = left + width + 3 if width < 0 else left + width - 4
    top5 = top + height + 3 if height < 0 else top + height - 4
    top7 = top + height - 4 + (7 if height < 0 else 0)
    corners = [(left1, top1), (mid_x, top1), (left3, top1), (left3, mid_y), (left3, top5), (mid_x, top5),
               (left1, top7), (left1, mid_y)]
    return [(x, y, x + HANDLE, y + HANDLE) for x, y in corners]


def toolbar_rect(selection):
    """The toolbar beside a finished selection on a single monitor: right-aligned with it (left 0 when the
    selection's right is less than the toolbar's width), below it when it fits, else above, else inside."""
    left, top, right, bottom = selection
    x = right - TOOLBAR_WIDTH + 1 if TOOLBAR_WIDTH <= right else 0
    if bottom + TOOLBAR_HEIGHT <= SCREEN_H:
        y = bottom + 2
    else:
        y = top + 2 if top - TOOLBAR_HEIGHT <= 0 else top - TOOLBAR_HEIGHT - 2
    return x, y, x + TOOLBAR_WIDTH, y + TOOLBAR_HEIGHT


def magnifier_panel(cursor):
    return overlay_checks.magnifier_panel(cursor, SCREEN_W, SCREEN_H)


def mask_of(rects):
    mask = np.zeros((SCREEN_H, SCREEN_W), bool)
    for left, top, right, bottom in rects:
        mask[max(top, 0):max(bottom, 0), max(left, 0):max(right, 0)] = True
    return mask


def is_accent(pixels):
    return (pixels == ACCENT).all(axis=-1)


def selected_picture(desktop, selection, toolbar=None, dashed=False, extra_exclusions=(), handles=None):
    """A finished (or, with dashed, a being-drawn) selection: the frozen screen exactly inside, dimmed outside, the
    frame on the selection's edge pixels, the handles (by default those of the finished selection), and the
    toolbar's dark band when given."""
    left, top, right, bottom = selection
    handles = handles or handle_rects(left, top, right - left, bottom - top)
    frame = mask_of([(left, top, right, top + 1), (left, bottom - 1, right, bottom), (left, top, left + 1, bottom),
                     (right - 1, top, right, bottom)])
    handle_mask = mask_of(handles)
    other = mask_of(([toolbar] if toolbar else []) + list(extra_exclusions))
    inside = mask_of([selection]) & ~frame & ~handle_mask & ~other
    outside = ~mask_of([selection]) & ~handle_mask & ~other
    dim = dimmed(desktop).astype(np.int16)

    def undimmed_inside(screen):
        bad = (screen != desktop).any(axis=2) & inside
        return f"{int(bad.sum())} pixels inside {selection} differ from the frozen screen" if bad.any() else None

    def dimmed_outside(screen):
        bad = (np.abs(screen.astype(np.int16) - dim).max(axis=2) > 1) & outside
        if bad.any():
            y, x = np.argwhere(bad)[0]
            return f"{int(bad.sum())} pixels outside {selection} are not dimmed (first at {x},{y})"

    def frame_lines(screen):
        if dashed:
            # 6 pixels on, 6 off, from the selection's top-left along the top and left edges (their last pixels
            # belong to the dashes of the right and bottom edges).
            width, height = right - left - 1, bottom - top - 1
            free_x, free_y = ~handle_mask[top, left:left + width], ~handle_mask[top:top + height, left]
            got_x, got_y = is_accent(screen[top, left:left + width]), is_accent(screen[top:top + height, left])
            if (got_x != (np.arange(width) % 12 < 6))[free_x].any() or \
                    (got_y != (np.arange(height) % 12 < 6))[free_y].any():
                return f"the dashed frame of {selection} is not 6 on, 6 off along its top and left edges"
        elif (missing := frame & ~other & ~is_accent(screen)).any():  # the toolbar may lie over the frame inside
            return f"{int(missing.sum())} pixels of the solid frame of {selection} are not the accent"

    def handle_squares(screen):
        shown = is_accent(screen) | other
        wrong = [n + 1 for n, (l, t, r, b) in enumerate(handles) if not shown[max(t, 0):b, max(l, 0):r].all()]
        return f"handles {wrong} of {selection} are not 6 x 6 accent squares at {handles}" if wrong else None

    def toolbar_band(screen):
        l, t, r, b = toolbar
        band = screen[t:b, l:r].astype(np.int16)  # right-aligned at the screen's right, its last column is off it
        dark = (np.abs(band - TOOLBAR_DARK).max(axis=2) <= 8)
        if dark.shape != (TOOLBAR_HEIGHT, min(r, SCREEN_W) - l) or dark.mean() < 0.6 or dark[:, 0].mean() < 0.9:
            return f"no dark {TOOLBAR_WIDTH} x {TOOLBAR_HEIGHT} toolbar at {toolbar}"

    return Picture(undimmed_inside, dimmed_outside, frame_lines, handle_squares, *([toolbar_band] if toolbar else []))


def magnifier_shown(cursor):
    """The magnifier's dark panel at its place for `cursor` (checked on the panel's frame around the image)."""
    left, top, right, bottom = magnifier_panel(cursor)

    def check(screen):
        panel = screen[top:bottom, left:right]
        # Above, left of and right of Image_Expand, and between it and Label_Size.
        strips = [panel[:IMAGE_AT - 1, :], panel[:, :IMAGE_AT - 1], panel[:, -5:],
                  panel[IMAGE_AT + 107:SIZE_LABEL_ROWS[0] - 2, :]]
        if any((strip != MAGNIFIER_DARK).any() for strip in strips):
            return f"no magnifier panel at {(left, top, right, bottom)} for the cursor at {cursor}"

    return Picture(check)


def size_label(screen, cursor):
    left, top, _, _ = magnifier_panel(cursor)
    return screen[top + SIZE_LABEL_ROWS[0]:top + SIZE_LABEL_ROWS[1], left + IMAGE_AT:left + PANEL_WIDTH].copy()


def press_at(session, x, y):
    session.mouse_move(x, y)
    time.sleep(0.1)  # one detection tick (35 ms) sees the cursor at the press point
    session.xdotool("mousedown", 1)


def release(session):
    session.xdotool("mouseup", 1)


def drag(session, start, end):
    press_at(session, *start)
    time.sleep(0.1)
    session.mouse_move(*end)
    time.sleep(0.1)
    release(session)


def first_screenshot_lines(session):
    _, text = read_utf16_file(session.log_path())
    return [line.split("  ", 1)[-1] for line in text.split("\r\n") if "g_FirstScreenShot" in line]


def start_windows(session, recipes):
    """Starts fixture windows (one program per recipe, in order, so that later ones lie above earlier ones) and
    waits until each shows its first colour at its top-left pixel; returns the screen."""
    for n, recipe in enumerate(recipes):
        session.start_fixture([recipe], name=f"windows-{n}")
        x, y, _, _, _, _, pattern = recipe.split(",")[:7]
        colour = pattern.split(":")[1] if pattern.startswith("checker:") else pattern
        rgb = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
        wait_until(lambda: (session.screenshot(int(x), int(y), 1, 1)[0, 0] == rgb).all(), 20,
                   what=f"the window {recipe}")
    time.sleep(0.3)
    return session.screenshot()


class SelectionTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @contextlib.contextmanager
    def region_run(self, session, cursor, desktop=None, detected=WHOLE, switch="/CaptrueAuto"):
        """A run for one step of a test (after `detected` shows under `cursor` when a desktop is given): a failing
        step leaves neither a pressed button nor a running program to the next one."""
        session.mouse_move(*cursor)
        program, overlay = session.start_program(switch), None
        try:
            overlay = session.wait_for_overlay(program)
            if desktop is not None:
                self.wait_detected(session, desktop, detected, cursor)
            yield program, overlay
        finally:
            if program.running():
                with contextlib.suppress(Exception):
                    release(session)
                with contextlib.suppress(Exception):
                    session.close_overlay(program, overlay)
                program.kill()

    def wait_detected(self, session, desktop, rect, cursor):
        session.mouse_move(*cursor)
        session.wait_for_screen(overlay_checks.region_mode_picture(desktop, rect, cursor),
                                what=f"{rect} detected under the cursor at {cursor}")

    def finish(self, session, program, overlay):
        self.assertEqual(session.close_overlay(program, overlay), 0, program.output())

    def wait_selected(self, session, desktop, selection, what="the selection", toolbar=True):
        session.wait_for_screen(selected_picture(desktop, selection, toolbar_rect(selection) if toolbar else None),
                                what=what)

    def wait_dashed(self, session, desktop, selection, cursor, what, handles=None):
        """The rectangle being dragged, the magnifier beside the cursor left out."""
        session.wait_for_screen(selected_picture(desktop, selection, dashed=True, handles=handles,
                                                 extra_exclusions=[magnifier_panel(cursor)]), what=what)

    def select(self, session, desktop, selection):
        drag(session, selection[:2], selection[2:])
        self.wait_selected(session, desktop, selection, f"the selection {selection}")

    @e2e_timeout(180)
    def test_click_on_a_detected_window_selects_exactly_its_rectangle_with_frame_handles_and_toolbar(self):
        narrow = (400, 300, 700, 500)  # narrower than the toolbar: the toolbar starts at left 0
        wide = (800, 560, 1800, 860)  # the toolbar is right-aligned with it
        with Session() as session:
            desktop = start_windows(session, ["400,300,300,200,QorSelNarrow,Narrow,F4F1E8,popup",
                                              "800,560,1000,300,QorSelWide,Wide,checker:204060:E0C0A0:5,popup"])
            for window, cursor in ((narrow, (500, 400)), (wide, (1300, 700))):
                with self.subTest(window=window), \
                        self.region_run(session, cursor, desktop, window) as (program, overlay):
                    session.click(1)
                    self.wait_selected(session, desktop, window, f"the selection of the window {window}")
                    self.assertTrue(program.running())
                    self.assertEqual(first_screenshot_lines(session)[-1], f"g_FirstScreenShot{cursor[0]},{cursor[1]}")
                    self.finish(session, program, overlay)

    @e2e_timeout(600)
    def test_drawing_moving_resizing_and_closing_a_selection_on_the_frozen_screen(self):
        with Session() as session:
            desktop = session.background
            # (press, release, selection): toolbar below and right-aligned; dragged up-left at the bottom of the
            # screen with the toolbar above; narrow near the left edge with the toolbar at left 0; from the top to
            # the bottom of the screen with the toolbar inside, 2 pixels below its top.
            for start, end, selection in (((300, 250), (1100, 650), (300, 250, 1100, 650)),
                                          ((1300, 1079), (500, 1000), (500, 1000, 1300, 1079)),
                                          ((100, 500), (400, 700), (100, 500, 400, 700)),
                                          ((200, 0), (1000, 1079), (200, 0, 1000, 1079))):
                with self.subTest("drag", start=start, end=end), \
                        self.region_run(session, (1700, 120), desktop) as (program, overlay):
                    press_at(session, *start)
                    session.mouse_move(*end)
                    # While dragging, the handles follow the drag's width and height, negative when dragged up-left.
                    self.wait_dashed(session, desktop, selection, end, f"the dashed frame of {selection}",
                                     handle_rects(*start, end[0] - start[0], end[1] - start[1]))
                    release(session)
                    self.wait_selected(session, desktop, selection, f"the selection {selection} after the release")
                    self.assertEqual(first_screenshot_lines(session)[-1], f"g_FirstScreenShot{start[0]},{start[1]}")
                    self.finish(session, program, overlay)

            with self.subTest("no rectangle until y changes"), \
                    self.region_run(session, (600, 500), desktop) as (program, overlay):
                dim = dimmed(desktop)
                press_at(session, 600, 500)
                for point in ((900, 500), (300, 500), (600, 700)):  # only x, then only y changes
                    session.mouse_move(*point)
                    time.sleep(0.5)
                    screen = session.screenshot()
                    dimmed_share = ((screen != desktop).any(axis=2) & (screen == dim).all(axis=2)).mean()
                    self.assertLess(dimmed_share, 0.001, f"a rectangle started at {point} although only one axis moved")
                session.mouse_move(900, 700)
                self.wait_dashed(session, desktop, (600, 500, 900, 700), (900, 700),
                                 "the rectangle from the press point once both x and y changed")
                release(session)
                self.wait_selected(session, desktop, (600, 500, 900, 700), "the selection after the release")
                self.finish(session, program, overlay)

            with self.subTest("moving"), self.region_run(session, (1700, 120), desktop) as (program, overlay):
                self.select(session, desktop, (400, 300, 700, 500))
                # Moved by (-100, +50), then far past the left edge: the left edge stops at 0, the size is kept.
                press_at(session, 550, 400)
                session.mouse_move(450, 450)
                self.wait_selected(session, desktop, (300, 350, 600, 550), "the selection moved", toolbar=False)
                session.mouse_move(0, 450)
                self.wait_selected(session, desktop, (0, 350, 300, 550), "the selection pushed against the left edge",
                                   toolbar=False)
                release(session)
                self.wait_selected(session, desktop, (0, 350, 300, 550), "the moved selection with its toolbar")
                # Far past the bottom-right corner: it stops in the corner, and the toolbar goes above it.
                press_at(session, 150, 450)
                session.mouse_move(SCREEN_W - 1, SCREEN_H - 1)
                time.sleep(0.2)
                release(session)
                self.wait_selected(session, desktop, (SCREEN_W - 300, SCREEN_H - 200, SCREEN_W, SCREEN_H),
                                   "the selection in the bottom-right corner with the toolbar above")
                self.finish(session, program, overlay)

            with self.subTest("handle 8 past the right edge flips"), \
                    self.region_run(session, (1700, 120), desktop) as (program, overlay):
                self.select(session, desktop, (400, 300, 700, 500))
                left, top, _, _ = handle_rects(400, 300, 300, 200)[7]  # handle 8, left middle
                press_at(session, left + 3, top + 3)
                session.mouse_move(900, top + 3)
                time.sleep(0.2)
                release(session)
                self.wait_selected(session, desktop, (700, 300, 900, 500), "the flipped selection")  # left: old right
                self.finish(session, program, overlay)

            selection = (400, 300, 1300, 700)
            with self.subTest("right click with a selection"), \
                    self.region_run(session, (1700, 120), desktop) as (program, overlay):
                drag(session, selection[:2], selection[2:])
                picture = selected_picture(desktop, selection, toolbar_rect(selection))
                session.wait_for_screen(picture, what="the selection")
                before = session.screenshot()
                for point in ((800, 500), (100, 100)):  # inside and outside the selection
                    session.mouse_move(*point)
                    session.click(3)
                time.sleep(1.5)
                self.assertTrue(program.running(), "a right click with a selection ended the run")
                self.assertTrue(picture(session.screenshot()), picture.report(session.screenshot()))
                self.assertTrue(np.array_equal(session.screenshot()[300:700, 400:1300], before[300:700, 400:1300]))
                self.finish(session, program, overlay)

            for how in ("exit button", "escape", "right click while detecting"):
                with self.subTest(how=how), self.region_run(session, (1700, 120), desktop) as (program, overlay):
                    if how == "right click while detecting":
                        session.click(3)
                    else:
                        self.select(session, desktop, selection)
                        if how == "escape":
                            session.key(overlay, "Escape")
                        else:
                            toolbar = toolbar_rect(selection)
                            session.mouse_move(toolbar[0] + EXIT_BUTTON_CENTRE[0], toolbar[1] + EXIT_BUTTON_CENTRE[1])
                            time.sleep(0.3)
                            session.click(1)
                    self.assertEqual(program.wait(10), 0, program.output())
                    self.assertEqual(session.covering_windows(), [])

            # Last, as it changes the live screen under the overlay: the magnifier keeps showing the frozen picture.
            with self.subTest("magnifier"), self.region_run(session, (500, 300)) as (program, overlay):
                session.set_background(255 - desktop)
                for cursor in ((500, 300), (1800, 300), (500, 1000), (1800, 1000), (1746, 892), (1747, 893)):
                    session.mouse_move(*cursor)
                    screen = session.wait_for_screen(magnifier_shown(cursor),
                                                     what=f"the magnifier beside the cursor at {cursor}")
                    left, top, _, _ = magnifier_panel(cursor)
                    # The cursor's pixel is enlarged about 2.8 x 2.94 times around the cross-hair's centre (70, 53).
                    self.assertEqual(tuple(screen[top + IMAGE_AT + 54, left + IMAGE_AT + 71]),
                                     tuple(desktop[cursor[1], cursor[0]]),
                                     f"the magnifier does not show the frozen pixel under the cursor at {cursor}")
                self.finish(session, program, overlay)

    @e2e_timeout(150)
    def test_magnifier_reads_out_the_size_of_the_rectangle_being_dragged(self):
        # The size readout while dragging 800 x 400 shows the same text (the same pixels) as while the magnifier
        # is over a detected window of 800 x 400, and differs from the readout for 801 x 400.
        with Session() as session:
            desktop = start_windows(session, ["1100,660,800,400,QorSelSize,Size,405060,popup",
                                              "60,60,801,400,QorSelOther,Other,605040,popup"])
            with self.region_run(session, (1300, 700), desktop, (1100, 660, 1900, 1060)) as (program, overlay):
                reference = size_label(session.screenshot(), (1300, 700))
                self.wait_detected(session, desktop, (60, 60, 861, 460), (200, 200))
                other = size_label(session.screenshot(), (200, 200))
                self.assertFalse(np.array_equal(reference, other), "the readouts of 800 x 400 and 801 x 400 look alike")
                self.assertTrue((reference != MAGNIFIER_DARK).any(axis=2).sum() > 20, "no readout text")

                press_at(session, 900, 100)
                session.mouse_move(1700, 500)
                self.wait_dashed(session, desktop, (900, 100, 1700, 500), (1700, 500), "the 800 x 400 drag")
                session.wait_for_screen(lambda s: np.array_equal(size_label(s, (1700, 500)), reference), 5,
                                        what="the readout \"Size: (800 x 400)\" in the magnifier while dragging")
                release(session)
                self.finish(session, program, overlay)

    @e2e_timeout(150)
    def test_window_mode_selects_the_topmost_suitable_window_passing_over_a_tiny_one(self):
        with Session() as session:
            desktop = start_windows(session, ["200,150,900,600,QorSelLarge,Large,C0D0E0,popup",
                                              "700,400,600,350,QorSelDialog,Dialog,checker:FFFFFF:305070:4,popup",
                                              "900,500,40,40,QorSelTiny,Tiny,FF00FF,topmost"])
            self.assertTrue((desktop[520, 920] == (255, 0, 255)).all(), "the tiny window is not on top")
            self.assertTrue((desktop[420, 720] == (255, 255, 255)).all(), "the dialog is not above the large window")
            with self.region_run(session, (100, 1000), switch="/CaptrueWins") as (program, overlay):
                self.wait_selected(session, desktop, (700, 400, 1300, 750), "the dialog selected at once")
                self.finish(session, program, overlay)
