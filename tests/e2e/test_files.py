"""What a capture run leaves in the per-user Corvane folder: Config.ini, the log (UTF-16 LE with BOM, time-stamped
lines, appended run after run) and the statistics cache with the usage events."""
import datetime
import json
import re
import shutil
import unittest

from qor_e2e import (MSG_CLOSE_OVERLAY, OVERLAY_CLASS, Session, dist_dir, e2e_timeout, read_utf16_file,
                     require_program, wait_until)

STAMPED_LINE = re.compile(r"^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})  \S")


def run_capture(session, switch="/CaptrueAuto"):
    program = session.start_program(switch)
    session.wait_for_overlay(program)
    return program


def close_by_message(session, program):
    session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS)
    return program.wait(10)


def log_lines(session):
    has_bom, text = read_utf16_file(session.log_path())
    return has_bom, [line for line in text.split("\r\n") if line]


def stat_records(session):
    """The statistics cache's lines, each parsed as JSON (UTF-8, or UTF-16 when it starts with a BOM)."""
    path = session.stat_path()
    if not path.exists():
        return []
    data = path.read_bytes()
    text = data[2:].decode("utf-16-le") if data[:2] == b"\xff\xfe" else data.decode("utf-8-sig")
    return [json.loads(line) for line in text.splitlines() if line.strip()]


class FilesTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(120)
    def test_config_and_log_appear_in_the_corvane_folder(self):
        with Session() as session:
            self.assertFalse(session.corvane_dir().exists())
            program = run_capture(session)
            self.assertEqual(close_by_message(session, program), 0)

            self.assertTrue(session.config_path().is_file(), f"no {session.config_path()}")
            config = session.config_path().read_bytes()
            if config:
                self.assertEqual(config[:2], b"\xff\xfe", "Config.ini is not UTF-16 LE with a BOM")
            self.assertTrue(session.log_path().is_file(), f"no {session.log_path()}")
            self.assertFalse((dist_dir() / "QorScreenshot.log").exists(), "a log beside the program")

            has_bom, lines = log_lines(session)
            self.assertTrue(has_bom, "the log does not start with the UTF-16 LE BOM")
            self.assertTrue(lines, "the log is empty")
            now = datetime.datetime.now()
            for line in lines:
                match = STAMPED_LINE.match(line)
                self.assertIsNotNone(match, f"line without a \"yyyy-mm-dd hh:nn:ss.zzz  \" stamp: {line!r}")
                stamp = datetime.datetime.strptime(match.group(1), "%Y-%m-%d %H:%M:%S.%f")
                self.assertLess(abs((stamp - now).total_seconds()), 3600 * 26, f"stamp far from now: {line!r}")

    @e2e_timeout(120)
    def test_log_records_the_mask_size_and_keeps_earlier_runs(self):
        with Session(width=1600, height=900) as session:
            self.assertEqual(close_by_message(session, run_capture(session)), 0)
            _, first = log_lines(session)
            text = "\n".join(first)
            self.assertIn("Screen width :1600", text.replace("Screen width : ", "Screen width :"))
            self.assertIn("Screen height :900", text.replace("Screen height : ", "Screen height :"))
            self.assertIn("DrawImage_BackGround Image_Meng width:", text)

            self.assertEqual(close_by_message(session, run_capture(session)), 0)
            has_bom, second = log_lines(session)
            self.assertTrue(has_bom)
            self.assertEqual(second[: len(first)], first, "the second run did not append to the log")
            self.assertGreater(len(second), len(first))
            self.assertEqual(session.log_path().read_bytes().count(b"\xff\xfe"), 1, "a second BOM in the middle")

    @e2e_timeout(150)
    def test_full_screen_run_reports_usage_event_a315(self):
        # Usage events are detail-only: a copy of the shipped folder with the "detaillog.ldt" marker shows them.
        with Session() as session:
            copy = session.tmp / "dist"
            shutil.copytree(dist_dir(), copy)
            (copy / "detaillog.ldt").write_bytes(b"")
            program = session.launch(copy / "QorScreenshot.exe", ["/CaptrueFullScreen"], name="QorScreenshot")
            session.wait_for_overlay(program)

            def a315_reported():
                in_log = session.log_path().exists() and "a315" in read_utf16_file(session.log_path())[1]
                return in_log or any("a315" in json.dumps(record) for record in stat_records(session))

            wait_until(a315_reported, 10, what="usage event a315 in the log or the statistics cache")
            self.assertEqual(close_by_message(session, program), 0)

            # Without the marker the event leaves no log line, and a region run reports no full-screen event.
            shutil.rmtree(session.corvane_dir())
            (copy / "detaillog.ldt").unlink()
            program = session.launch(copy / "QorScreenshot.exe", ["/CaptrueFullScreen"], name="QorScreenshot")
            session.wait_for_overlay(program)
            self.assertEqual(close_by_message(session, program), 0)
            self.assertNotIn("a315", read_utf16_file(session.log_path())[1])

    @e2e_timeout(120)
    def test_statistics_cache_holds_only_json_lines(self):
        with Session() as session:
            for switch in ("/CaptrueFullScreen", "/CaptrueAuto"):
                self.assertEqual(close_by_message(session, run_capture(session, switch)), 0)
            stat_records(session)  # raises on a line that is not JSON
