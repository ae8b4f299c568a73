"""What the capture overlay shows, as screen predicates (qor_e2e.Picture) made from the frozen desktop picture.

Each predicate describes a steady state (nothing in it changes while the cursor and the buttons stand still), so a
test waits for it and never for a moment in between."""
import numpy as np

from qor_e2e import Picture, dimmed

ACCENT = (0x33, 0x77, 0xFF)  # COLORREF 0xFF7733
TOOLBAR_DARK = (0x26, 0x26, 0x26)
MAGNIFIER_DARK = (0x18, 0x1B, 0x26)  # COLORREF 0x261B18
TOOLBAR_WIDTH, TOOLBAR_HEIGHT = 816, 40  # the save button's right edge with the unscaled gaps, no save drop-down
EXIT_BUTTON_CENTRE = (508, 20)  # Btn_Rd_Del, 30 x 30 at 493, 5 in the toolbar
PANEL_WIDTH, PANEL_HEIGHT = 154, 168
IMAGE_AT = 7  # Image_Expand's left and top in the panel
SIZE_LABEL_ROWS = (121, 141)  # Label_Size's band in the panel (Label_RGB starts at 142)
HANDLE = 6


def magnifier_panel(cursor, width, height, scale=1):
    """The magnifier's rectangle: 20 pixels right of and below the cursor, flipped near the right and bottom (the
    panel doubles in the scaled layout, the 20 pixels do not)."""
    x, y = cursor
    panel_width, panel_height = PANEL_WIDTH * scale, PANEL_HEIGHT * scale
    left = x + 20 if x <= width - panel_width - 20 else x - panel_width
    top = y + 20 if y <= height - panel_height - 20 else y - panel_height
    return left, top, left + panel_width, top + panel_height


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


def toolbar_rect(selection, screen_height, scale=1):
    """The toolbar beside a finished selection on a single monitor: right-aligned with it (left 0 when the
    selection's right is less than the toolbar's width), below it when it fits, else above, else inside."""
    left, top, right, bottom = selection
    width, height = TOOLBAR_WIDTH * scale, TOOLBAR_HEIGHT * scale
    x = right - width + 1 if width <= right else 0
    if bottom + height <= screen_height:
        y = bottom + 2
    else:
        y = top + 2 if top - height <= 0 else top - height - 2
    return x, y, x + width, y + height


# The drawing tools' buttons, left to right, and where the first one lies in the toolbar (unscaled): 30-pixel buttons
# 12 apart after the size readout and its divider.
TOOL_BUTTONS = ("rectangle", "oval", "line", "arrow", "brush", "pixelation", "text")
FIRST_TOOL_LEFT, TOOL_SIZE, TOOL_STEP = 130, 30, 42
UNDO_LEFT = 451
PIN_LEFT = 604


def tool_button_centre(selection, screen_height, tool, scale=1):
    """The screen point at the middle of a drawing tool's button (or "undo" or "pin") of the toolbar beside
    `selection`."""
    left, top, _, _ = toolbar_rect(selection, screen_height, scale)
    x = {"undo": UNDO_LEFT, "pin": PIN_LEFT}.get(tool) or FIRST_TOOL_LEFT + TOOL_STEP * TOOL_BUTTONS.index(tool)
    return left + (x + TOOL_SIZE // 2) * scale, top + TOOLBAR_HEIGHT * scale // 2


def mask_of(rects, shape):
    mask = np.zeros(shape[:2], bool)
    for left, top, right, bottom in rects:
        mask[max(top, 0):max(bottom, 0), max(left, 0):max(right, 0)] = True
    return mask


def is_accent(pixels):
    return (pixels == ACCENT).all(axis=-1)


def magnifier_check(cursor, shape, desktop=None, scale=1):
    """The magnifier's dark panel at its place for `cursor` (its frame around the enlarged view) and, given the frozen
    desktop, the cursor's frozen pixel enlarged around the cross-hair's centre (70, 53)."""
    left, top, right, bottom = magnifier_panel(cursor, shape[1], shape[0], scale)
    image_at, label_top = IMAGE_AT * scale, SIZE_LABEL_ROWS[0] * scale

    def check(screen):
        panel = screen[top:bottom, left:right]
        # Above, left of and right of Image_Expand, and between it and Label_Size.
        strips = [panel[:image_at - 1, :], panel[:, :image_at - 1], panel[:, -5:],
                  panel[image_at + 107 * scale:label_top - 2, :]]
        if any((strip != MAGNIFIER_DARK).any() for strip in strips):
            return f"no magnifier panel at {(left, top, right, bottom)} for the cursor at {cursor}"
        if desktop is not None and (panel[IMAGE_AT + 54, IMAGE_AT + 71] != desktop[cursor[1], cursor[0]]).any():
            return f"the magnifier does not show the frozen pixel under the cursor at {cursor}"

    return check


def size_label(screen, cursor):
    left, top, _, _ = magnifier_panel(cursor, screen.shape[1], screen.shape[0])
    return screen[top + SIZE_LABEL_ROWS[0]:top + SIZE_LABEL_ROWS[1], left + IMAGE_AT:left + PANEL_WIDTH].copy()


def toolbar_check(selection, shape, scale=1):
    """The toolbar's dark band at its place beside the finished `selection`."""
    left, top, right, bottom = toolbar_rect(selection, shape[0], scale)

    frame = scale  # the window background's frame line, lighter than the band

    def check(screen):
        inner = screen[top + frame:bottom - frame, left + frame:right - frame]
        dark = np.abs(inner.astype(np.int16) - TOOLBAR_DARK).max(axis=2) <= 8
        # Right-aligned at the screen's right, the band's last columns are off the screen.
        expected = (bottom - top - 2 * frame, min(right - frame, shape[1]) - left - frame)
        if dark.shape != expected or dark.mean() < 0.6 or dark[:, 0].mean() < 0.9:
            return f"no dark {right - left} x {bottom - top} toolbar at {(left, top, right, bottom)}"

    return check


def region_mode_picture(desktop, detected, cursor):
    """Region mode with the cursor standing still: the detected rectangle shows the frozen screen exactly (but for its
    2-pixel border band), everything else the frozen screen dimmed (within ±1), and the magnifier beside the cursor."""
    left, top, right, bottom = detected
    magnifier = mask_of([magnifier_panel(cursor, desktop.shape[1], desktop.shape[0])], desktop.shape)
    outside = ~mask_of([detected], desktop.shape) & ~magnifier
    inside = mask_of([(left + 2, top + 2, right - 2, bottom - 2)], desktop.shape) & ~magnifier
    dim = dimmed(desktop).astype(np.int16)

    def detected_undimmed(screen):
        off_dim = int(((np.abs(screen.astype(np.int16) - dim).max(axis=2) > 1) & outside).sum())
        off_bright = int(((screen != desktop).any(axis=2) & inside).sum())
        if off_dim or off_bright:
            return f"{off_dim} pixels outside the detected {detected} are not dimmed, {off_bright} inside it differ"

    return Picture(detected_undimmed, magnifier_check(cursor, desktop.shape))


def selected_picture(desktop, selection, toolbar=True, dashed=False, exclude=(), handles=None):
    """A finished (or, with dashed, a being-drawn) selection: the frozen screen exactly inside, dimmed outside, the
    frame on the selection's edge pixels, the handles (by default those of the finished selection), and the
    toolbar's dark band at its place when `toolbar`. `exclude`: rectangles not checked (the magnifier)."""
    shape = desktop.shape
    left, top, right, bottom = selection
    band = toolbar_rect(selection, shape[0]) if toolbar else None
    handles = handles or handle_rects(left, top, right - left, bottom - top)
    frame = mask_of([(left, top, right, top + 1), (left, bottom - 1, right, bottom), (left, top, left + 1, bottom),
                     (right - 1, top, right, bottom)], shape)
    handle_mask = mask_of(handles, shape)
    other = mask_of(([band] if band else []) + list(exclude), shape)
    inside = mask_of([selection], shape) & ~frame & ~handle_mask & ~other
    outside = ~mask_of([selection], shape) & ~handle_mask & ~other
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

    return Picture(undimmed_inside, dimmed_outside, frame_lines, handle_squares,
                   *([toolbar_check(selection, shape)] if band else []))
