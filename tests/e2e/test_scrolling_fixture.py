"""The fixture program's scrolling page under Wine with real X wheel input: the window shows exactly the rows of the
page it wrote with --page-out at the offset its caption tells, notch after notch, clamped at the top and the bottom,
with and without the header, footer, sidebar and banner that do not scroll. The scrolling capture's tests rely on it."""
import unittest

import numpy as np
from PIL import Image

from qor_e2e import Picture, Session, e2e_timeout, fixture_exe, require_program, to_windows_path, wait_until

WHEEL_UP, WHEEL_DOWN = 4, 5
WHITE, HEADER, FOOTER, SIDEBAR, BANNER = (0xFFFFFF, 0x1F3A5F, 0x44474C, 0xE4E7EC, 0xFFD24A)
PLAIN = dict(rect=(100, 100, 640, 480), caption="Plain page", pattern="page:11:6000")
STICKY = dict(rect=(900, 300, 640, 480), caption="Sticky page",
              pattern="page:12:1000:notch=150:header=24:footer=16:sidebar=40:banner=30@3",
              header=24, footer=16, sidebar=40, banner=30, banner_after=3)


def rgb(colour):
    return np.array([colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF], np.uint8)


def expected_view(page, offset, notches, height, header=0, footer=0, sidebar=0, banner=0, banner_after=0, **_):
    """The client area as the fixture's usage comment describes it."""
    view = np.empty((height, page.shape[1], 3), np.uint8)
    view[:] = rgb(WHITE)
    shown = page[offset:offset + height]
    view[:len(shown)] = shown
    view[:, :sidebar] = rgb(SIDEBAR)
    if banner and notches >= banner_after:
        view[header:header + banner] = rgb(BANNER)
    view[:header] = rgb(HEADER)
    view[height - footer:] = rgb(FOOTER)
    return view


class ScrollingFixtureTests(unittest.TestCase):
    def setUp(self):
        require_program(fixture_exe())

    @e2e_timeout(240)
    def test_wheel_notches_scroll_the_page_window_exactly_with_and_without_sticky_parts(self):
        with Session() as session:
            for variant, wheel, offsets in (
                    # The first notch up at the top stays at 0; then 5 down and 2 up.
                    (PLAIN, [WHEEL_UP] + [WHEEL_DOWN] * 5 + [WHEEL_UP] * 2, [0, 120, 240, 360, 480, 600, 480, 360]),
                    # 1000 rows in 480: the bottom is 520, so the fourth and fifth notch stop there.
                    (STICKY, [WHEEL_DOWN] * 5 + [WHEEL_UP] * 2, [150, 300, 450, 520, 520, 370, 220])):
                with self.subTest(variant["caption"]):
                    x, y, width, height = variant["rect"]
                    caption = variant["caption"]
                    page_file = session.tmp / f"{caption}.bmp"
                    recipe = f"{x},{y},{width},{height},Qor{caption.replace(' ', '')},{caption},{variant['pattern']},popup"
                    session.start_fixture([recipe], arguments=["--page-out", to_windows_path(page_file)])
                    page = np.asarray(Image.open(page_file).convert("RGB"))
                    self.assertEqual(page.shape, (int(variant["pattern"].split(":")[2]), width, 3))

                    def wait_for(offset, notches):
                        wait_until(lambda: session.find_windows(f"{caption} @{offset}"), 15,
                                   what=f"the caption of offset {offset} after {notches} notches")
                        want = expected_view(page, offset, notches, **variant, height=height)
                        session.wait_for_screen(
                            Picture(lambda s: None if np.array_equal(s[y:y + height, x:x + width], want) else
                                    f"{(s[y:y + height, x:x + width] != want).any(axis=2).sum()} pixels differ"),
                            what=f"page rows from {offset} after {notches} notches ({caption})")

                    wait_for(0, 0)
                    session.mouse_move(x + width // 2, y + height // 2)
                    for notches, (button, offset) in enumerate(zip(wheel, offsets), start=1):
                        session.mouse_button(True, button)
                        session.mouse_button(False, button)
                        wait_for(offset, notches)
