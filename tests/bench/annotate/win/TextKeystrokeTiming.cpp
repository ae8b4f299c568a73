// Times a keystroke in the text editor holding a text of 2,000 characters (25 lines of up to 80), set up as the overlay
// sets it up: the character's handling by the rich edit control, the editor following its content, and the repaint
// of what changed (the picture under the text, the text rendered over it, the frame), done at once rather than
// when the message loop gets to it. Prints the median and the slowest of the runs, typing inside a line and typing
// that widens the text.
//   cmake --preset windows && cmake --build --preset windows --target text_keystroke_timing
//   source scripts/wine-env.sh && qor_start_xvfb && qor_wine_session_start &&
//     wine build/windows/tests/bench/annotate/text_keystroke_timing.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "annotate/TextEditorLayout.h"
#include "annotate/win/MyMemo.h"
#include "base/win/UniqueHandle.h"
#include "tests/bench/win/NowMs.h"

int main(int argc, char** argv) {
  using namespace qor;
  // Up to 55 keystrokes keep the last line the shortest.
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const TRect selection{20, 20, 1180, 780};
  TUniqueWindow overlay(::CreateWindowExW(0, L"STATIC", L"overlay", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 800, nullptr,
                                          nullptr, nullptr, nullptr));
  TFormOf<TMyMemo> memo;
  if (!overlay.Get() || !memo.Create(overlay.Get())) {
    std::printf("no rich edit control\n");
    return 1;
  }
  // What lies under the text: a plain fill standing for the picture.
  TBrushHandle ground(::CreateSolidBrush(0x806040));
  memo.PaintBackground = [&](HDC dc, const TRect& area) {
    const RECT r{0, 0, area.Width(), area.Height()};
    ::FillRect(dc, &r, ground.Get());
  };
  memo.OnContentSize = [&](TSize content) {
    memo.SetBounds(FollowContent(memo.Bounds(), selection, content, memo.FontHeight()));
  };
  memo.SetTextFont(12, 0x0000FF);
  memo.SetBounds(PlaceNewEditor(selection, {10, 10}, NewEditorSize(12)));
  memo.ShowAndFocus();
  std::wstring text;
  for (int line = 0; line < 25; ++line) {
    // The last line is the shortest, so that typing at its end leaves the editor's width alone.
    for (int i = 0; i < (line < 24 ? 79 : 19); ++i) text += wchar_t(L'a' + (line + i) % 26);
    text += line < 24 ? L"\r" : L"";
  }
  memo.SetText(text);
  memo.CaretToEnd();
  ::RedrawWindow(memo.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

  // Typing at the end of the last, shortest line, then at the end of the first, longest one (each keystroke there
  // widens the editor, so the whole text is painted again).
  const auto measure = [&](const char* where, int keystrokes) {
    std::vector<double> times;
    for (int i = 0; i < keystrokes; ++i) {
      const double start = NowMs();
      ::SendMessageW(memo.Edit(), WM_CHAR, L'x', 1);
      ::RedrawWindow(memo.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("keystroke with repaint %s, %d characters, editor %dx%d: median %.2f ms, slowest %.2f ms (%d runs)\n",
                where, int(memo.Text().size()), memo.Bounds().Width(), memo.Bounds().Height(), times[times.size() / 2],
                times.back(), keystrokes);
  };
  measure("in a line", runs);
  ::SendMessageW(memo.Edit(), EM_SETSEL, 79, 79);
  measure("widening the text", std::max(1, runs / 2));
  return 0;
}
