"""End-to-end harness: the real QorScreenshot.exe under Wine on a private Xvfb (see README.md).

Environment: QOR_DIST_DIR (default build/windows/dist), QOR_FIXTURE_EXE (default
build/windows/tests/qor_fixture_windows.exe), WINEPREFIX (default build/wineprefix-e2e; never the unit tests'
build/wineprefix, because the teardown ends every process in the prefix).
"""

import contextlib
import fcntl
import io
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import numpy as np
from PIL import Image
from Xlib import X
from Xlib import display as xdisplay
from Xlib import error as xerror
from Xlib.ext import xtest

REPO = Path(__file__).resolve().parents[2]
WINDOW_CAPTION = "Varnel Screenshot"
MSG_CLOSE_OVERLAY = 1128  # WM_USER + 104
OVERLAY_CLASS = "TScreenShotMainForm"
LAUNCHER_CLASS = "TForm_ZynMain"
MASK_ALPHA = 140
CJK_FONT_LINK = "wqy-microhei.ttc,WenQuanYi Micro Hei"
CJK_LINKED_FACES = ["Segoe UI", "Tahoma", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Arial",
                    "DejaVu Sans"]


def dist_dir():
    return Path(os.environ.get("QOR_DIST_DIR") or REPO / "build/windows/dist").resolve()


def program_exe():
    return dist_dir() / "QorScreenshot.exe"


def pin_exe():
    return dist_dir() / "QorScreenshotPin.exe"


def fixture_exe():
    return Path(os.environ.get("QOR_FIXTURE_EXE") or REPO / "build/windows/tests/qor_fixture_windows.exe").resolve()


def require_program(exe=None):
    """Skips the calling test while the program (or the fixture program) has not been built yet."""
    exe = exe or program_exe()
    if not exe.is_file():
        raise unittest.SkipTest(f"{exe} does not exist yet: build it with the windows preset")


def e2e_prefix():
    shared = (REPO / "build/wineprefix").resolve()
    chosen = os.environ.get("WINEPREFIX")
    if chosen and Path(chosen).resolve() != shared:
        return Path(chosen).resolve()
    return (REPO / "build/wineprefix-e2e").resolve()


def to_windows_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class HardTimeout(BaseException):
    """A BaseException, so that no `except Exception` swallows it."""


_deadline = None


def _on_alarm(signum, frame):
    raise HardTimeout(f"hard time-out of the end-to-end test (signal {signum})")


def arm_hard_timeout(seconds):
    """Starts the test's hard limit: SIGALRM (and a SIGTERM from CTest) raise HardTimeout, which tears down."""
    global _deadline
    signal.signal(signal.SIGALRM, _on_alarm)
    signal.signal(signal.SIGTERM, _on_alarm)
    _deadline = time.monotonic()
    extend_hard_timeout(seconds)


def extend_hard_timeout(seconds):
    """Gives one-off work (initialising the Wine prefix) its own allowance on top of the test's limit."""
    global _deadline
    if _deadline is not None:
        _deadline += seconds
        signal.alarm(max(1, int(_deadline - time.monotonic())))


def wait_until(predicate, timeout, interval=0.05, what="condition", detail=None):
    """Polls `predicate` until it returns a truthy value; returns it, or raises AssertionError after `timeout`
    (with the text of `detail()` when given)."""
    end = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() >= end:
            raise AssertionError(f"timed out after {timeout:.1f} s waiting for {what} {detail() if detail else ''}")
        time.sleep(interval)
    return value


class Picture:
    """Screen predicate made of checks, each returning a problem text or None; the report lists the problems."""

    def __init__(self, *checks):
        self.checks = checks

    def report(self, screen):
        return "; ".join(problem for problem in (check(screen) for check in self.checks) if problem)

    def __call__(self, screen):
        return not self.report(screen)


def test_picture(width, height, seed=7):
    """A picture whose every channel takes every value 0..255 many times (noise plus coarse bands), as uint8 RGB."""
    picture = np.random.default_rng(seed).integers(0, 256, (height, width, 3), dtype=np.uint8)
    band = max(1, height // 8)
    for i, colour in enumerate([(255, 255, 255), (0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (128, 128, 128)]):
        picture[band * i + band // 2 : band * i + band // 2 + 8, :, :] = colour
    return picture


def dimmed(picture, alpha=MASK_ALPHA):
    """The picture alpha-blended at a constant `alpha` over black, rounded (the overlay's mask)."""
    return ((picture.astype(np.uint32) * alpha + 127) // 255).astype(np.uint8)


def artifacts_dir():
    """Where tests keep screenshots and measurements for people to look at."""
    return Path(os.environ.get("QOR_E2E_ARTIFACTS") or REPO / "build/e2e-artifacts")


def save_png(picture, path):
    Path(path).parent.mkdir(parents=True, exist_ok=True)
    Image.fromarray(picture, "RGB").save(path)


def read_picture(source):
    """A picture file (path or bytes, e.g. a BMP) as HxWx3 uint8 RGB."""
    return np.asarray(Image.open(io.BytesIO(source) if isinstance(source, bytes) else source).convert("RGB"))


def read_utf16_file(path):
    """(has_bom, text) of a UTF-16 LE file."""
    data = Path(path).read_bytes()
    has_bom = data[:2] == b"\xff\xfe"
    return has_bom, data[2 if has_bom else 0 :].decode("utf-16-le", errors="replace")


def _die_with_parent():
    """Runs in each child before exec: it gets SIGKILL when the harness dies, even by SIGKILL (CTest's time-out).
    Wine's daemons (wineserver, the desktop process) are ended by the next session's `wineserver -k`."""
    import ctypes

    PR_SET_PDEATHSIG = 1
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class Program:
    """A Windows program started under Wine by a session."""

    def __init__(self, name, popen, started, log_path):
        self.name, self.popen, self.started, self.log_path = name, popen, started, log_path

    def running(self):
        return self.popen.poll() is None

    def wait(self, timeout):
        """Waits for the end and returns the exit code; AssertionError if it still runs after `timeout` seconds."""
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"{self.name} still runs after {timeout} s") from None

    def output(self):
        with contextlib.suppress(OSError):
            return Path(self.log_path).read_text(errors="replace")
        return ""

    def kill(self):
        if self.running():
            with contextlib.suppress(ProcessLookupError, subprocess.TimeoutExpired):
                os.killpg(self.popen.pid, signal.SIGKILL)
                self.popen.wait(timeout=5)


class Session:
    """One test session: Xvfb + the e2e Wine prefix + keep-alive program + known root background."""

    XVFB_DISPLAYS = range(100, 200)

    def __init__(self, width=1920, height=1080, clean_appdata=True, first_run=False):
        """clean_appdata: start without the per-user folder, as on a first run (first_run) or as after one: with
        Config.ini saying that the capture notice was seen, so that no notice lies over the pictures."""
        self.width, self.height = width, height
        self.clean_appdata, self.first_run = clean_appdata, first_run
        self.prefix = e2e_prefix()
        self.tmp = Path(tempfile.mkdtemp(prefix="qor-e2e-"))
        self.xvfb = self.display_name = self.display = self.background = self._pixmap = self._lock_file = None
        self.programs = []

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        self._lock_prefix()
        self._start_xvfb()
        self._init_prefix()
        self.wine_kill()  # anything left in the prefix by an aborted earlier run
        if self.clean_appdata:
            shutil.rmtree(self.corvane_dir(), ignore_errors=True)
            if not self.first_run:
                self.write_config()
        self.start_fixture(name="keep-alive")
        self.set_background(test_picture(self.width, self.height))

    def close(self):
        remaining = signal.alarm(0)  # the clean-up has its own limits and must not be cut short
        try:
            self._close()
        finally:
            signal.alarm(remaining)  # 0: none was set

    def _close(self):
        for program in self.programs:
            program.kill()
        if self.xvfb is not None:
            self.wine_kill()
        for program in self.programs:
            program.kill()
        if self.display is not None:
            with contextlib.suppress(Exception):
                self.display.close()
            self.display = None
        if self.xvfb is not None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait(timeout=5)
            self.xvfb = None
        if self._lock_file is not None:
            self._lock_file.close()  # releases the prefix's lock
            self._lock_file = None
        shutil.rmtree(self.tmp, ignore_errors=True)

    def _lock_prefix(self):
        # One session per prefix at a time, across CTest runs of different build folders too: the mutex, the
        # desktop process and `wineserver -k` are per prefix.
        self.prefix.parent.mkdir(parents=True, exist_ok=True)
        self._lock_file = open(str(self.prefix) + ".lock", "w")
        end = time.monotonic() + 600
        while True:
            try:
                fcntl.flock(self._lock_file, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return
            except BlockingIOError:
                if time.monotonic() > end:
                    raise RuntimeError(f"{self.prefix} stayed locked by another test session") from None
                extend_hard_timeout(1)
                time.sleep(1)

    def _start_xvfb(self):
        for number in self.XVFB_DISPLAYS:
            if Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists():
                continue
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten", "tcp",
                 "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
                preexec_fn=_die_with_parent)
            end = time.monotonic() + 10
            while process.poll() is None and time.monotonic() < end:
                try:
                    self.display = xdisplay.Display(f":{number}")
                except Exception:
                    time.sleep(0.05)
                    continue
                self.xvfb, self.display_name, self.root = process, f":{number}", self.display.screen().root
                if self.display.screen().root_depth != 24:
                    raise RuntimeError(f"X screen depth {self.display.screen().root_depth}, want 24")
                return
            process.kill()
            process.wait()
        raise RuntimeError("no free X display for Xvfb")

    def env(self):
        return {**os.environ, "WINEPREFIX": str(self.prefix), "WINEARCH": "win64", "DISPLAY": self.display_name,
                "WINEDEBUG": os.environ.get("WINEDEBUG", "-all"),
                "WINEDLLOVERRIDES": os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml=")}

    PREFIX_SETUP_VERSION = "4"

    def _init_prefix(self):
        ready = self.prefix / ".qor-e2e-ready"
        if ready.exists() and ready.read_text().strip() == self.PREFIX_SETUP_VERSION:
            return
        extend_hard_timeout(300)
        if not (self.prefix / "system.reg").exists():
            self.prefix.mkdir(parents=True, exist_ok=True)
            subprocess.run(["wineboot", "-i"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=280)
        # A crashing program must end, not wait for someone to close Wine's crash dialog.
        self.reg(["add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d", "0", "/f"])
        # There is no window manager: Wine draws captions and frames itself, so a window's X rectangle is its
        # whole Win32 window rectangle (what GetWindowRect reports), caption included.
        self.reg(["add", r"HKCU\Software\Wine\X11 Driver", "/v", "Decorated", "/t", "REG_SZ", "/d", "N", "/f"])
        # 96 DPI, whatever an earlier version of this harness left behind.
        self.reg(["add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "96", "/f"])
        # Japanese, Chinese and Korean letters of the interface faces come from WenQuanYi Micro Hei, as
        # scripts/wine-env.sh links them (Windows links its own CJK fonts the same way).
        for face in CJK_LINKED_FACES:
            self.reg(["add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink", "/v", face,
                      "/t", "REG_MULTI_SZ", "/d", CJK_FONT_LINK, "/f"])
        subprocess.run(["wineserver", "-w"], env=self.env(), timeout=120)
        ready.write_text(self.PREFIX_SETUP_VERSION + "\n")

    def wine_kill(self):
        subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)
        with contextlib.suppress(subprocess.TimeoutExpired):
            subprocess.run(["wineserver", "-w"], env=self.env(), timeout=15)

    def reg(self, arguments):
        result = subprocess.run(["wine", "reg", *arguments], env=self.env(), stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, timeout=60)
        if result.returncode != 0:
            raise RuntimeError(f"wine reg {' '.join(arguments)} failed: {result.stdout.decode(errors='replace')}")

    def set_background(self, picture):
        """Makes `picture` (HxWx3 uint8 RGB, screen-sized) the root window's background, exactly."""
        height, width, _ = picture.shape
        if (width, height) != (self.width, self.height):
            raise ValueError(f"picture is {width}x{height}, screen is {self.width}x{self.height}")
        bgrx = np.zeros((height, width, 4), np.uint8)
        bgrx[..., :3] = picture[..., ::-1]
        pixmap = self.root.create_pixmap(width, height, 24)
        gc = pixmap.create_gc()
        rows = max(1, 200_000 // (width * 4))  # stay well below the request size limit
        for y in range(0, height, rows):
            count = min(rows, height - y)
            pixmap.put_image(gc, 0, y, width, count, X.ZPixmap, 24, 0, bgrx[y : y + count].tobytes())
        gc.free()
        self.root.change_attributes(background_pixmap=pixmap)
        self.root.clear_area(0, 0, 0, 0)
        if self._pixmap is not None:
            self._pixmap.free()
        self._pixmap = pixmap
        self.display.sync()
        self.background = picture.copy()

    def screenshot(self, x=0, y=0, width=None, height=None):
        """What the screen shows now (root window with everything on it), as HxWx3 uint8 RGB."""
        width = self.width - x if width is None else width
        height = self.height - y if height is None else height
        image = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        return np.ascontiguousarray(np.frombuffer(image.data, np.uint8).reshape(height, width, 4)[..., [2, 1, 0]])

    def geometry(self, window_id):
        """(x, y, width, height, viewable) of an X window in root coordinates, or None when it is gone."""
        try:
            window = self.display.create_resource_object("window", window_id)
            g = window.get_geometry()
            origin = window.translate_coords(self.root, 0, 0)
            return -origin.x, -origin.y, g.width, g.height, window.get_attributes().map_state == X.IsViewable
        except (xerror.BadWindow, xerror.BadDrawable):
            return None

    def launch(self, exe, arguments=(), name=None):
        """Starts a Windows program under Wine; returns a Program whose `started` is the moment before the call."""
        name = name or Path(exe).name
        log_path = self.tmp / f"{name}-{len(self.programs)}.log"
        with open(log_path, "wb") as log:
            started = time.monotonic()
            popen = subprocess.Popen(["wine", str(exe), *arguments], env=self.env(), cwd=Path(exe).parent,
                                     stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                     start_new_session=True, preexec_fn=_die_with_parent)
        program = Program(name, popen, started, log_path)
        self.programs.append(program)
        return program

    def start_program(self, *arguments, exe=None):
        """Starts QorScreenshot.exe (from the shipped folder unless `exe` is given) with the given arguments."""
        require_program()
        return self.launch(exe or program_exe(), arguments, name="QorScreenshot")

    def start_fixture(self, windows=(), name="fixture", arguments=()):
        """Starts the fixture program with `windows` (recipes "x,y,w,h,class,caption,pattern[,style]") and further
        `arguments` (such as --page-out), and waits until its windows are shown."""
        require_program(fixture_exe())
        ready = self.tmp / f"ready-{len(self.programs)}"
        arguments = [a for recipe in windows for a in ("--window", recipe)] + list(arguments) + \
            ["--ready", to_windows_path(ready)]
        program = self.launch(fixture_exe(), arguments, name=name)

        def is_ready():
            if not program.running():
                raise AssertionError(f"{name} ended with {program.popen.returncode}: {program.output()}")
            return ready.exists()

        wait_until(is_ready, 60, what=f"{name} to start")
        return program

    def start_windows(self, recipes):
        """Starts each window recipe in a fixture program of its own (so later windows lie above earlier ones) and
        waits until a quarter of its rectangle shows its first colour (noise never does); returns the screen."""
        for n, recipe in enumerate(recipes):
            self.start_fixture([recipe], name=f"windows-{n}")
            x, y, width, height, _, _, pattern = recipe.split(",")[:7]
            colour = pattern.split(":")[pattern.startswith("checker:")]
            rgb = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
            rect = [int(v) for v in (x, y, width, height)]
            wait_until(lambda: (self.screenshot(*rect) == rgb).all(axis=2).mean() >= 0.25, 20,
                       what=f"the window {recipe}")
        return self.screenshot()

    def post_message(self, message, caption=WINDOW_CAPTION, window_class="", wparam=0, lparam=0):
        """Posts a window message from a Win32 helper to the window found by class and caption; returns True when
        the window was found."""
        helper = self.launch(fixture_exe(), ["--post-message", f"{window_class},{caption},{message},{wparam},{lparam}"],
                             name="post-message")
        code, output = helper.wait(30), helper.output()
        if code not in (0, 1):
            raise AssertionError(f"--post-message failed with {code}: {output}")
        return code == 0

    def program_texts(self, window_class=OVERLAY_CLASS):
        """What the program owning the window of `window_class` shows as text, read by a Win32 helper: a list of
        ("window", class, text) for its top-level windows and ("tool", text) for the tools of its tooltips; empty
        while there is no such window. Line breaks in texts come as "\\n"."""
        out = self.tmp / f"texts-{len(self.programs)}.txt"
        helper = self.launch(fixture_exe(), ["--texts", f"{window_class},{to_windows_path(out)}"], name="texts")
        code = helper.wait(30)
        if code == 1:
            return []
        if code != 0:
            raise AssertionError(f"--texts failed with {code}: {helper.output()}")
        return [tuple(line.split("\t")) for line in out.read_text(encoding="utf-8").splitlines()]

    def xdotool(self, *arguments, check=True, timeout=20):
        result = subprocess.run(["xdotool", *map(str, arguments)], env=self.env(), stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(map(str, arguments))}: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode()

    def clipboard_bmp(self):
        """The clipboard's picture as BMP bytes, read through X, or None while there is none."""
        result = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"], env=self.env(),
                                capture_output=True, timeout=10)
        return result.stdout if result.returncode == 0 and result.stdout[:2] == b"BM" else None

    def wait_for_clipboard_picture(self, timeout=15):
        return wait_until(self.clipboard_bmp, timeout, interval=0.3, what="a picture on the clipboard")

    def find_windows(self, name=WINDOW_CAPTION, search="--name"):
        """Visible X windows whose title is exactly `name` (or, with search="--classname", whose class name is)."""
        pattern = f"^{re.escape(name)}$" if search == "--name" else name
        return [int(line) for line in self.xdotool("search", "--onlyvisible", search, pattern, check=False).split()]

    def covering_windows(self, name=WINDOW_CAPTION):
        """Visible windows titled `name` that cover the whole screen."""

        def covers(g):
            return g and g[4] and g[0] <= 0 and g[1] <= 0 and g[0] + g[2] >= self.width and g[1] + g[3] >= self.height

        return [window for window in self.find_windows(name) if covers(self.geometry(window))]

    def wait_for_overlay(self, program=None, timeout=30):
        """Waits for the capture overlay (a window titled "Varnel Screenshot" covering the screen); returns its X id."""

        def overlay():
            if program is not None and not program.running():
                raise AssertionError(f"the program ended with {program.popen.returncode} before showing the overlay")
            return (self.covering_windows() or [None])[0]

        return wait_until(overlay, timeout, what="the capture overlay")

    def focus(self, window):
        """Gives X keyboard focus to `window` (there is no window manager to do it)."""
        self.xdotool("windowfocus", "--sync", window, check=False, timeout=5)
        wait_until(lambda: getattr(self.display.get_input_focus().focus, "id", None) == window, 5,
                   what=f"the keyboard focus on the window {window:#x}")

    def key(self, window, *keys):
        self.focus(window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def mouse_move(self, x, y):
        """Moves the pointer with XTest; when this returns, the X server has moved it. (`xdotool mousemove --sync`
        waits 15 s when the pointer is already there.)"""
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        self.display.sync()

    def mouse_button(self, down, button=1):
        xtest.fake_input(self.display, X.ButtonPress if down else X.ButtonRelease, button)
        self.display.sync()

    def click(self, button=1):
        self.mouse_button(True, button)
        self.mouse_button(False, button)

    def drag(self, *points):
        """Presses the left button at the first point, moves through the others and releases it at the last.
        X delivers the motions and the buttons in order, so no pause is needed in between."""
        self.mouse_move(*points[0])
        self.mouse_button(True)
        for point in points[1:]:
            self.mouse_move(*point)
        self.mouse_button(False)

    def wait_for_screen(self, predicate, timeout=15, what="the expected picture on screen"):
        """Polls X screenshots until `predicate(screen)` holds; returns that screen. On time-out the assertion
        carries `predicate.report(screen)` when the predicate has one."""
        last = []

        def shown():
            last[:] = [self.screenshot()]
            return predicate(last[0]) and last

        def detail():
            path = artifacts_dir() / f"failed-{what.replace(' ', '-')[:60]}.png"
            save_png(last[0], path)
            return f"(screen kept in {path}) " + (predicate.report(last[0]) if hasattr(predicate, "report") else "")

        return wait_until(shown, timeout, what=what, detail=detail)[0]

    def watch_for_windows(self, program, timeout, name=WINDOW_CAPTION):
        """Runs until `program` ends, watching the screen; returns (exit code, visible windows titled `name` seen
        meanwhile, whether the screen ever differed from the background)."""
        seen, changed = set(), [False]

        def ended():
            seen.update(self.find_windows(name))
            changed[0] |= not np.array_equal(self.screenshot(), self.background)
            return not program.running()

        wait_until(ended, timeout, 0.03, f"the end of {program.name}")
        return program.popen.returncode, seen, changed[0]

    def close_overlay(self, program, overlay):
        """Ends a run that a test left open: ESC, then message 1128; returns the exit code."""
        if program.running():
            with contextlib.suppress(AssertionError):
                self.key(overlay, "Escape")
                return program.wait(5)
            self.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS)
        return program.wait(10)

    def user_dir(self):
        """The Wine user's profile folder (drive_c/users/<user>)."""
        users = self.prefix / "drive_c/users"
        candidates = [p for p in users.iterdir() if p.is_dir() and p.name != "Public"] if users.exists() else []
        mine = [p for p in candidates if p.name == os.environ.get("USER", "root")] or candidates
        if len(mine) != 1:
            raise RuntimeError(f"cannot tell the Wine user folder among {candidates}")
        return mine[0]

    def corvane_dir(self, name=""):
        """The program's per-user folder, or `name` in it ("Config.ini", "Logs/QorScreenshot.log", ...)."""
        return self.user_dir() / "AppData/Local/Corvane" / name

    def temp_dir(self):
        """The user's temporary folder as GetTempPathW gives it to the programs: TEMP of the user's environment in
        the prefix's registry ("C:\\users\\<user>\\Temp" in a fresh prefix)."""
        text = (self.prefix / "user.reg").read_text(errors="replace")
        found = re.search(r'^"TEMP"=(?:str\(2\):)?"(.*)"$', text, re.MULTILINE)
        value = found.group(1).replace("\\\\", "\\") if found else r"%USERPROFILE%\Temp"
        if value.upper().startswith("%USERPROFILE%"):
            return self.user_dir() / value[len("%USERPROFILE%"):].strip("\\").replace("\\", "/")
        return self.prefix / f"drive_{value[0].lower()}" / value[2:].strip("\\").replace("\\", "/")

    def config_path(self):
        return self.corvane_dir("Config.ini")

    def write_config(self, sections=None, **keys):
        """Config.ini as the parent product keeps it (UTF-16 LE with BOM, section AIAssistant) with `keys` and, unless
        given, ScreenshotCapTip=1 (the capture notice was seen); `sections` adds other sections ({name: {key: value}})."""
        keys = {"ScreenshotCapTip": 1, **keys}
        self.config_path().parent.mkdir(parents=True, exist_ok=True)
        all_sections = {"AIAssistant": keys, **(sections or {})}
        text = "".join(f"[{name}]\r\n" + "".join(f"{key}={value}\r\n" for key, value in values.items())
                       for name, values in all_sections.items())
        self.config_path().write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))

    def config_text(self):
        return read_utf16_file(self.config_path())[1] if self.config_path().exists() else ""

    def log_path(self):
        return self.corvane_dir("Logs/QorScreenshot.log")

    def stat_path(self):
        return self.corvane_dir("StatData/stat_cache.jsonl")


def e2e_timeout(seconds):
    """Gives an end-to-end test its hard time limit (default 120 s)."""
    return lambda function: setattr(function, "e2e_timeout", seconds) or function


DEFAULT_TIMEOUT = 120
