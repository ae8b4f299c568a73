#!/usr/bin/python3
"""A scripted capture on a private Xvfb with a demo desktop (used by scripts/run.sh when there is no display).

Shows a plausible desktop (wallpaper, taskbar, a few windows of the fixture program), starts QorScreenshot.exe with
the given switch, waits for the capture overlay, writes what the user would see to a PNG and prints its path, then
closes the program (ESC, then message 1128, then kill) and cleans up every process it started.
"""
import argparse
import sys
import time

sys.dont_write_bytecode = True

import numpy as np  # noqa: E402

import qor_e2e as e2e  # noqa: E402
from overlay_pictures import magnifier_check, tool_button_centre, toolbar_check  # noqa: E402

DEMO_WINDOWS = [
    "140,110,760,520,QorDemoEditor,Notes - Editor,F4F1E8,overlapped",
    "1000,240,620,430,QorDemoPhotos,Photos,checker:5A8FC2:C8DCEE:24,overlapped",
    "480,700,420,220,QorDemoPlayer,Music,2B2F3A,overlapped",
]


def scaled_window(recipe, scale):
    """A window recipe ("left,top,width,height,...") with its rectangle multiplied by `scale`."""
    fields = recipe.split(",")
    return ",".join([str(int(f) * scale) for f in fields[:4]] + fields[4:])


def demo_desktop(width, height):
    """A plausible desktop: sky-to-sea wallpaper gradient with a sun and a taskbar, as uint8 RGB."""
    y = np.linspace(0.0, 1.0, height, dtype=np.float32)[:, None]
    x = np.linspace(0.0, 1.0, width, dtype=np.float32)[None, :]
    top = np.array([38, 92, 160], np.float32)
    bottom = np.array([120, 190, 210], np.float32)
    picture = top + (bottom - top) * y[..., None] + 18.0 * np.sin(6.0 * x + 3.0 * y)[..., None]
    cx, cy, radius = 0.78 * width, 0.22 * height, 0.07 * height
    yy, xx = np.mgrid[0:height, 0:width]
    sun = (xx - cx) ** 2 + (yy - cy) ** 2 < radius**2
    picture[sun] = (250, 214, 110)
    picture = np.clip(picture, 0, 255).astype(np.uint8)
    bar = max(24, height // 27)
    picture[height - bar :, :] = (32, 34, 40)
    picture[height - bar :, 8 : 8 + bar] = (0, 120, 215)
    for i in range(6):
        left = 8 + (i + 1) * (bar + 8)
        picture[height - bar + 4 : height - 4, left : left + bar - 8] = (70 + 20 * i, 80, 95)
    return picture


def play_selection(session, width, height, out, scale):
    """What a user does first: point at a window (it lights up, the magnifier follows), then drag a region (the
    toolbar opens beside it). The pointing picture is kept beside the final one as <out>-detect.png."""
    cursor = (width // 5, height // 4)
    session.mouse_move(*cursor)
    e2e.save_png(session.wait_for_screen(e2e.Picture(magnifier_check(cursor, (height, width), scale=scale)), what="the magnifier"),
                 out.replace(".png", "-detect.png"))
    left, top = width * 3 // 10, height * 3 // 10
    session.drag(*[(left + step * width // 12, top + step * height // 14) for step in range(6)])
    selection = (left, top, left + 5 * width // 12, top + 5 * height // 14)
    session.wait_for_screen(e2e.Picture(toolbar_check(selection, (height, width), scale)), what="the toolbar")
    play_annotations(session, selection, height, scale)
    return selection


def play_pin(session, program, selection, height, scale, out):
    """Pin: the annotated capture stays on the desktop where it was taken, kept as <out>-pin.png; then it is moved
    aside by a drag (the picture stays exact) and closed with Esc."""
    before = session.screenshot()
    left, top, right, bottom = selection
    session.mouse_move(*tool_button_centre(selection, height, "pin", scale))
    session.click()
    if program.wait(20) != 0:
        print("run: the capture did not end after Pin", file=sys.stderr)
    # Inside the selection's frame, which the pin does not show.
    inset = 4 * scale
    pinned = before[top + inset : bottom - inset, left + inset : right - inset]
    session.wait_for_screen(lambda screen: np.array_equal(screen[top + inset : bottom - inset, left + inset : right - inset],
                                                          pinned), what="the pin")
    grab = (left + (right - left) // 2, top + (bottom - top) // 2)
    session.drag(grab, (grab[0] + 60 * scale, grab[1] + 40 * scale))
    moved = np.s_[top + inset + 40 * scale : bottom - inset + 40 * scale,
                  left + inset + 60 * scale : right - inset + 60 * scale]
    e2e.save_png(session.wait_for_screen(lambda screen: np.array_equal(screen[moved], pinned), what="the pin moved"),
                 out.replace(".png", "-pin.png"))
    for window in session.find_windows("qorscreenshotpin.exe", search="--classname"):
        session.key(window, "Escape")


def play_scrolling(session, program, width, height, scale, out):
    """A scrolling capture: a click on an article window, then the wheel; the long picture grows in the preview."""
    left, top, w, h = 560 * scale, 140 * scale, 720 * scale, 640 * scale
    session.start_fixture([f"{left},{top},{w},{h},QorDemoArticle,Article,page:7:9000,popup"], name="article")
    e2e.wait_until(lambda: session.find_windows("Article @0"), 15, what="the article window")
    program = session.start_program("/CaptrueScroll")
    session.wait_for_overlay(program)
    session.mouse_move(left + w // 2, top + h // 2)
    session.wait_for_screen(lambda screen: not np.array_equal(screen[top:top + 40, left - 40:left],
                                                              session.background[top:top + 40, left - 40:left]),
                            what="the article detected")
    session.click()
    e2e.wait_until(lambda: session.find_windows("ScrollWinsTools"), 20, what="the scroll toolbar")
    preview = e2e.wait_until(lambda: session.find_windows("ScrollWinsPreView"), 15, what="the preview")[0]
    first_height = session.geometry(preview)[3]
    for _ in range(16):
        session.click(5)
        time.sleep(0.35)  # the user's pace
    e2e.wait_until(lambda: session.find_windows("Article @480"), 15, what="four steps")
    e2e.wait_until(lambda: (session.geometry(preview) or (0, 0, 0, 0))[3] > first_height, 15, what="the preview grown")
    e2e.save_png(session.screenshot(), out)
    return program


def play_annotations(session, selection, height, scale):
    """A few annotations over the selection: a rectangle, an oval, an arrow, a line, a brush stroke and a pixelated
    band, each waited for on screen before the next tool is picked."""
    left, top, right, bottom = selection
    w, h = right - left, bottom - top

    def at(fx, fy):
        return left + int(w * fx), top + int(h * fy)

    strokes = [
        ("rectangle", [at(0.08, 0.1), at(0.45, 0.45)]),
        ("oval", [at(0.55, 0.1), at(0.92, 0.42)]),
        ("arrow", [at(0.15, 0.85), at(0.4, 0.58)]),
        ("line", [at(0.55, 0.6), at(0.9, 0.62)]),
        ("brush", [at(0.5 + 0.4 * t / 24, 0.8 + 0.08 * np.sin(t / 3)) for t in range(25)]),
        ("pixelation", [at(0.62, 0.2), at(0.75, 0.16), at(0.9, 0.2)]),
    ]
    # A text typed into the picture, committed by the next tool.
    session.mouse_move(*tool_button_centre(selection, height, "text", scale))
    session.click()
    before = session.screenshot()
    session.mouse_move(*at(0.08, 0.52))
    session.click()
    session.xdotool("type", "--delay", "30", "Typed with the text tool")
    x, y = at(0.08, 0.52)
    session.wait_for_screen(
        lambda screen: (screen[y : y + 40 * scale, x : x + 200 * scale] != before[y : y + 40 * scale, x : x + 200 * scale]).any(axis=2).sum() > 200,
        what="the typed text")
    for tool, points in strokes:
        session.mouse_move(*tool_button_centre(selection, height, tool, scale))
        session.click()
        before = session.screenshot()
        # The system keeps only the newest of the mouse moves waiting in the queue, so a stroke is followed point
        # by point, as a hand moves.
        session.mouse_move(*points[0])
        session.mouse_button(True)
        for x, y in points[1:]:
            session.mouse_move(x, y)
            if tool == "brush":
                session.wait_for_screen(lambda screen, x=x, y=y: not np.array_equal(screen[y, x], before[y, x]),
                                        what="the brush following the pointer")
        session.mouse_button(False)
        box = (min(p[0] for p in points), min(p[1] for p in points), max(p[0] for p in points) + 1,
               max(p[1] for p in points) + 1)
        session.wait_for_screen(
            lambda screen, box=box, before=before: not np.array_equal(
                screen[box[1] : box[3], box[0] : box[2]], before[box[1] : box[3], box[0] : box[2]]),
            what=f"the {tool} drawn")


def play_language(session, program, width, height, out):
    """A first run in another language: the notice beside the cursor (written to `out`), then a region and the
    hint of the Save button under the pointer, with the translated captions on the toolbar (<out>-hint.png)."""
    cursor = (width // 5, height // 4)
    session.mouse_move(*cursor)
    e2e.wait_until(lambda: [t for t in session.program_texts() if t[:2] == ("window", "TNoticForm") and t[2]], 20,
                   what="the notice's text")
    notice = np.s_[cursor[1] + 20 : cursor[1] + 60, cursor[0] + 20 : cursor[0] + 400]
    # The notice is a dark panel over the dimmed screen, which already differs from the desktop by itself.
    dim = e2e.dimmed(session.background)[notice].astype(np.int16)
    e2e.save_png(session.wait_for_screen(lambda screen: np.abs(screen[notice].astype(np.int16) - dim).mean() > 20,
                                         what="the notice beside the cursor"), out)
    left, top = width * 3 // 10, height * 3 // 10
    right, bottom = left + 5 * width // 12, top + 5 * height // 14
    session.drag((left, top), (right, bottom))
    # The toolbar is right-aligned below the selection, whatever its captions make its width: its last pixels
    # are the blue Save button.
    x, y = right - 6, bottom + 2 + 6
    session.wait_for_screen(lambda screen: int(screen[y, x, 2]) > int(screen[y, x, 0]) + 60, what="the Save button")
    before = session.screenshot()
    session.mouse_move(x, y)
    below = np.s_[y + 36 : y + 70, x - 100 : x + 60]  # under the toolbar, where the hint reaches
    e2e.save_png(session.wait_for_screen(lambda screen: not np.array_equal(screen[below], before[below]),
                                         what="the hint of the Save button"), out.replace(".png", "-hint.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--switch", default="/CaptrueAuto")
    parser.add_argument("--out", required=True)
    parser.add_argument("--scaled", action="store_true", help="a 3840x2160 screen, where the layout doubles")
    parser.add_argument("--language", help="a first run with Config.ini's [Main] Language set to this language")
    arguments = parser.parse_args()
    width, height, scale = (3840, 2160, 2) if arguments.scaled else (1920, 1080, 1)

    e2e.arm_hard_timeout(180)
    with e2e.Session(width, height, clean_appdata=False) as session:
        session.set_background(demo_desktop(width, height))
        desktop = session.start_windows([scaled_window(w, scale) for w in DEMO_WINDOWS])
        if arguments.switch.lower() == "/captruescroll":
            program = play_scrolling(session, None, width, height, scale, arguments.out)
            session.key(session.find_windows("ScrollWinsTools")[0], "Escape")
            print(f"run: scrolling capture ended with {program.wait(20)}")
            print(arguments.out)
            return 0
        if arguments.language:
            session.write_config(sections={"Main": {"Language": arguments.language}}, ScreenshotCapTip=0)
        program = session.start_program(arguments.switch)
        try:
            overlay = session.wait_for_overlay(program)
        except AssertionError as error:
            program.kill()
            print(f"run: no capture overlay appeared for {arguments.switch}: {error}", file=sys.stderr)
            print(program.output(), file=sys.stderr, end="")
            return 1
        print(f"run: overlay shown {time.monotonic() - program.started:.2f} s after start")
        selection = None
        if arguments.language:
            play_language(session, program, width, height, arguments.out)
            print(arguments.out.replace(".png", "-hint.png"))
        elif arguments.switch.lower() == "/captrueauto":
            selection = play_selection(session, width, height, arguments.out, scale)
        elif arguments.switch.lower() == "/captruefullscreen":
            session.wait_for_screen(e2e.Picture(toolbar_check((0, 0, width, height), (height, width), scale)))
        else:
            session.wait_for_screen(lambda screen: not np.array_equal(screen, desktop), what="the overlay")
        if not arguments.language:
            e2e.save_png(session.screenshot(), arguments.out)
        if selection:
            play_pin(session, program, selection, height, scale, arguments.out)
            print(arguments.out.replace(".png", "-pin.png"))
            return 0
        try:
            print(f"run: closed by ESC or message 1128, exit code {session.close_overlay(program, overlay)}")
        except AssertionError:
            program.kill()
            print("run: did not close on ESC nor on message 1128: killed")
        if arguments.language:
            # The prefix is kept between runs: the later pictures are in English again.
            session.write_config()
    print(arguments.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
