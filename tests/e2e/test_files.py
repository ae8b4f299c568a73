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


def capture_closed_by_message(session, switch="/CaptrueAuto"):
    """Runs a capture until its overlay shows, closes it with message 1128 and returns the exit code."""
    program = session.start_program(switch)
    session.wait_for_overlay(program)
    if not session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS):
        raise AssertionError("no overlay window to post message 1128 to")
    return program.wait(10)


def log_lines(session):
    has_bom, text = read_utf16_file(session.log_path())
    return has_bom, [line for line in text.split("\r\n") if line]


def stat_records(session):
    """The statistics cache's lines (UTF-8), each parsed as JSON."""
    text = session.stat_path().read_text(encoding="utf-8-sig") if session.stat_path().exists() else ""
    return [json.loads(line) for line in text.splitlines() if line.strip()]


class FilesTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(300)
    def test_config_log_and_statistics_cache_appear_in_the_corvane_folder_with_usage_events_in_detail_mode(self):
        with Session(width=1600, height=900, first_run=True) as session:
            self.assertFalse(session.corvane_dir().exists())
            self.assertEqual(capture_closed_by_message(session), 0)

            self.assertTrue(session.config_path().is_file(), f"no {session.config_path()}")
            config = session.config_path().read_bytes()
            if config:
                self.assertEqual(config[:2], b"\xff\xfe", "Config.ini is not UTF-16 LE with a BOM")
            self.assertTrue(session.log_path().is_file(), f"no {session.log_path()}")
            self.assertFalse((dist_dir() / "QorScreenshot.log").exists(), "a log beside the program")

            has_bom, first = log_lines(session)
            self.assertTrue(has_bom, "the log does not start with the UTF-16 LE BOM")
            self.assertTrue(first, "the log is empty")
            now = datetime.datetime.now()
            for line in first:
                match = STAMPED_LINE.match(line)
                self.assertIsNotNone(match, f"line without a \"yyyy-mm-dd hh:nn:ss.zzz  \" stamp: {line!r}")
                stamp = datetime.datetime.strptime(match.group(1), "%Y-%m-%d %H:%M:%S.%f")
                self.assertLess(abs((stamp - now).total_seconds()), 3600 * 26, f"stamp far from now: {line!r}")
            # The mask size is logged.
            text = "\n".join(first).replace("Screen width : ", "Screen width :").replace("Screen height : ",
                                                                                      "Screen height :")
            self.assertIn("Screen width :1600", text)
            self.assertIn("Screen height :900", text)
            self.assertIn("DrawImage_BackGround Image_Meng width:", text)

            # A later run appends to the log; the statistics cache holds only JSON lines; without the "detaillog.ldt"
            # marker beside the program the usage event of a full-screen capture leaves no log line.
            self.assertEqual(capture_closed_by_message(session, "/CaptrueFullScreen"), 0)
            has_bom, later = log_lines(session)
            self.assertTrue(has_bom)
            self.assertEqual(later[: len(first)], first, "the later run did not append to the log")
            self.assertGreater(len(later), len(first))
            self.assertEqual(session.log_path().read_bytes().count(b"\xff\xfe"), 1, "a second BOM in the middle")
            stat_records(session)  # raises on a line that is not JSON
            self.assertNotIn("a315", "\n".join(later))

            # With the marker (in a copy of the shipped folder) the usage event shows.
            copy = session.tmp / "dist"
            shutil.copytree(dist_dir(), copy)
            (copy / "detaillog.ldt").write_bytes(b"")
            program = session.start_program("/CaptrueFullScreen", exe=copy / "QorScreenshot.exe")
            session.wait_for_overlay(program)

            def a315_reported():
                in_log = "a315" in read_utf16_file(session.log_path())[1]
                return in_log or any("a315" in json.dumps(record) for record in stat_records(session))

            wait_until(a315_reported, 10, what="usage event a315 in the log or the statistics cache")
            self.assertTrue(session.post_message(MSG_CLOSE_OVERLAY, window_class=OVERLAY_CLASS))
            self.assertEqual(program.wait(10), 0)
