"""The configured language under Wine: with Config.ini [Main] Language=German, and then Japanese, a first run's
capture notice and the hints of the overlay's toolbar come from that language's file, not from English."""
import unittest

from qor_e2e import OVERLAY_CLASS, REPO, Session, e2e_timeout, read_utf16_file, require_program, wait_until

SELECTION = (400, 300, 1100, 700)
TOOLBAR_HINTS = ["Btn_Rd_Rect.Hint", "Btn_Rd_Arrow.Hint", "Btn_Rd_Return.Hint", "Rd_Copy.Hint", "Rd_Save.Hint"]


def language_texts(language):
    """{section: {key: text}} of a shipped language file (its source in the repository)."""
    _, text = read_utf16_file(REPO / "Language" / f"{language}.lng")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif current is not None and "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections


class LanguageTests(unittest.TestCase):
    def setUp(self):
        require_program()

    @e2e_timeout(300)
    def test_notice_and_toolbar_hints_follow_the_configured_language(self):
        english = language_texts("English")
        with Session(first_run=True) as session:
            for language in ("German", "Japanese"):
                with self.subTest(language):
                    texts = language_texts(language)
                    notice = [texts["Qor_Screen_NoticForm"][k] for k in ("Label_1.Caption", "Label_2.Caption")]
                    hints = [texts["Qor_Screen_Monitor"][k] for k in TOOLBAR_HINTS]
                    english_hints = [english["Qor_Screen_Monitor"][k] for k in TOOLBAR_HINTS]
                    self.assertTrue(set(hints).isdisjoint(english_hints), "the translation repeats English hints")

                    # A first run (the notice not yet seen) in the chosen language.
                    session.write_config(sections={"Main": {"Language": language}}, ScreenshotCapTip=0)
                    session.mouse_move(*SELECTION[:2])
                    program = session.start_program("/CaptrueAuto")
                    overlay = session.wait_for_overlay(program)
                    try:
                        self.check_run(session, language, notice, hints, english_hints)
                    finally:
                        # A failed step leaves no running program to the next language.
                        code = session.close_overlay(program, overlay)
                    self.assertEqual(code, 0, program.output())

    def check_run(self, session, language, notice, hints, english_hints):
        def notice_text():
            return [t[2] for t in session.program_texts() if t[:2] == ("window", "TNoticForm") and t[2]]

        shown = wait_until(notice_text, 20, what=f"the {language} notice")
        self.assertEqual(shown, ["\\n".join(notice)])

        session.drag(SELECTION[:2], SELECTION[2:])

        def tools():
            found = {t[1] for t in session.program_texts() if t[0] == "tool"}
            return found if set(hints) <= found else None

        found = wait_until(tools, 20, what=f"the {language} toolbar hints", detail=lambda: str(session.program_texts()))
        self.assertTrue(found.isdisjoint(english_hints), f"English hints in a {language} run: {found}")


if __name__ == "__main__":
    unittest.main()
