// The text editor on a real parent window with the real rich edit control: typing, following the content,
// rendering the typed text into a picture, the frame's paint and the drag.
#include "annotate/win/MyMemo.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "annotate/TextEditorLayout.h"
#include "base/win/DibImage.h"
#include "base/win/UniqueHandle.h"

namespace qor {
namespace {

constexpr uint32_t Red = 0x0000FF;
constexpr TBgra Ground{200, 160, 40, 255};  // a blue-grey the text's red stands out from
const TRect Selection{20, 20, 380, 280};

TUniqueWindow Parent() {
  return TUniqueWindow(::CreateWindowExW(0, L"STATIC", L"overlay", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                         nullptr, nullptr, nullptr));
}

void Type(HWND edit, const std::wstring& text) {
  for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 1);
}

int ScreenDpi() {
  TWindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

// An editor set up as the overlay sets up a new one at font size 12, red, following its content.
struct TOpenEditor {
  TUniqueWindow Overlay = Parent();
  TFormOf<TMyMemo> Memo;
  std::vector<TSize> Reports;

  TOpenEditor() {
    EXPECT_TRUE(Memo.Create(Overlay.Get()));
    Memo.OnContentSize = [this](TSize content) {
      Reports.push_back(content);
      Memo.SetBounds(FollowContent(Memo.Bounds(), Selection, content, Memo.FontHeight()));
    };
    Memo.SetTextFont(12, Red);
    Memo.SetBounds(PlaceNewEditor(Selection, {30, 40}, NewEditorSize(12)));
    Memo.ShowAndFocus();
  }
};

struct TInk {
  TRect Box;  // of every pixel that differs from the ground
  int Reddish = 0;
  int Solid = 0;    // exactly the text's red
  int Blended = 0;  // anti-aliased edges: between the ground and red in every channel
  int Foreign = 0;  // neither
  bool AllOpaque = true;
};

bool Between(uint8_t v, uint8_t a, uint8_t b) { return v >= std::min(a, b) && v <= std::max(a, b); }

TInk InkOn(const TDibImage& picture) {
  TInk ink;
  TRect box{picture.Width(), picture.Height(), 0, 0};
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x) {
      const TBgra p = picture.View().At(x, y);
      ink.AllOpaque = ink.AllOpaque && p.A == 255;
      if (p == Ground) continue;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
      if (p.R > 150 && p.B < 120) ++ink.Reddish;
      if (p == TBgra{0, 0, 255, 255})
        ++ink.Solid;
      else if (Between(p.B, Ground.B, 0) && Between(p.G, Ground.G, 0) && Between(p.R, Ground.R, 255))
        ++ink.Blended;
      else
        ++ink.Foreign;
    }
  ink.Box = box.IsEmpty() ? TRect{} : box;
  return ink;
}

TPoint PositionOf(HWND edit, int32_t index) {
  POINTL p{};
  ::SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
  return {p.x, p.y};
}

TEST(MyMemo, NewEditorIsAHiddenChildThatTakesTheFontAndTypedText) {
  TOpenEditor e;
  EXPECT_EQ(::GetParent(e.Memo.Handle()), e.Overlay.Get());
  EXPECT_EQ(e.Memo.Bounds(), TRect::FromSize(50, 60, 74, 24));
  Type(e.Memo.Edit(), L"Hello 123");
  EXPECT_EQ(e.Memo.Text(), L"Hello 123");
  EXPECT_EQ(e.Memo.LineCount(), 1);
  EXPECT_EQ(e.Memo.LongestLine(), 9);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  ::SendMessageW(e.Memo.Edit(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.yHeight, 12 * 20);
  EXPECT_EQ(format.crTextColor, Red);
}

TEST(MyMemo, TypingReportsTheGrowingContentAndTheEditorFollowsIt) {
  TOpenEditor e;
  Type(e.Memo.Edit(), L"Hello 123");
  ASSERT_FALSE(e.Reports.empty());
  const TSize oneLine = e.Memo.ContentSize();
  EXPECT_EQ(e.Reports.back(), oneLine);
  EXPECT_GT(oneLine.Width, 40);
  EXPECT_GE(oneLine.Height, e.Memo.FontHeight());
  EXPECT_EQ(e.Memo.Bounds().Width(), oneLine.Width + EditorSlack);
  ::SendMessageW(e.Memo.Edit(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"\rmore"));
  const TSize twoLines = e.Memo.ContentSize();
  EXPECT_EQ(e.Memo.LineCount(), 2);
  EXPECT_GE(twoLines.Height, 2 * e.Memo.FontHeight());
  EXPECT_EQ(twoLines.Width, oneLine.Width);  // "more" is the shorter line
  EXPECT_EQ(e.Reports.back(), twoLines);
}

TEST(MyMemo, RenderingDrawsOnlyTheTextWhereTheEditorLaysItOut) {
  TOpenEditor e;
  Type(e.Memo.Edit(), L"Hello 123");
  TDibImage picture;
  ASSERT_TRUE(picture.Create(300, 120));
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x) picture.View().At(x, y) = Ground;
  const TPoint at{25, 30};
  BlendStamp(e.Memo.RenderStamp(ScreenDpi()), {at.X + FrameWidth, at.Y + FrameWidth},
             TRect::FromSize(0, 0, picture.Width(), picture.Height()), picture.View(), {0, 0});

  const TInk ink = InkOn(picture);
  EXPECT_TRUE(ink.AllOpaque);
  EXPECT_GT(ink.Reddish, 30);
  EXPECT_GT(ink.Solid, 30);
  EXPECT_GT(ink.Blended, 30);
  EXPECT_EQ(ink.Foreign, 0);
  const TRect memo = TRect::FromSize(at.X, at.Y, e.Memo.Bounds().Width(), e.Memo.Bounds().Height());
  EXPECT_EQ(ink.Box.Intersect(memo), ink.Box)
      << ink.Box.Left << "," << ink.Box.Top << " " << ink.Box.Right << "," << ink.Box.Bottom;
  // Where the control itself puts the first character and the end of the text (inside the frame).
  const TPoint first = PositionOf(e.Memo.Edit(), 0), end = PositionOf(e.Memo.Edit(), 9);
  EXPECT_NEAR(ink.Box.Left, at.X + FrameWidth + first.X, 2);
  EXPECT_NEAR(ink.Box.Right, at.X + FrameWidth + end.X, 2);
  EXPECT_GE(ink.Box.Top, at.Y + FrameWidth + first.Y);
  EXPECT_LE(ink.Box.Bottom, at.Y + FrameWidth + first.Y + e.Memo.ContentSize().Height);
}

TEST(MyMemo, ShownEditorStopsRepaintingOnceTypingIsDrawn) {
  TOpenEditor e;
  Type(e.Memo.Edit(), L"Hello 123");
  // Each paint must not ask for another one: the queue runs out of paints.
  int rounds = 0;
  for (MSG m; rounds < 500 && ::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++rounds) ::DispatchMessageW(&m);
  EXPECT_LT(rounds, 500);
  EXPECT_EQ(HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT, 0u);
}

TEST(MyMemo, OnScreenTheTextLiesOverWhatThePaintUnderItDrawsWithNoBox) {
  TOpenEditor e;
  std::vector<TRect> areas;
  e.Memo.PaintBackground = [&](HDC dc, const TRect& area) {
    areas.push_back(area);
    TBrushHandle green(::CreateSolidBrush(0x00FF00));
    const RECT r{0, 0, area.Width(), area.Height()};
    ::FillRect(dc, &r, green.Get());
  };
  Type(e.Memo.Edit(), L"Hello 123");
  for (MSG m; ::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&m);
  ASSERT_FALSE(areas.empty());
  const TRect text = e.Memo.Bounds().Inflate(-FrameWidth, -FrameWidth);
  EXPECT_EQ(areas.back(), text);

  TDibImage shot;
  ASSERT_TRUE(shot.Create(text.Width(), text.Height()));
  {
    TWindowDc screen(nullptr);
    ::BitBlt(shot.Dc(), 0, 0, text.Width(), text.Height(), screen.Get(), text.Left, text.Top,
             SRCCOPY);  // overlay at 0, 0
  }
  ::GdiFlush();
  int green = 0, red = 0, other = 0;
  for (int32_t y = 0; y < shot.Height(); ++y)
    for (int32_t x = 0; x < shot.Width(); ++x) {
      const TBgra p = shot.View().At(x, y);
      if (p.G == 255 && p.R == 0 && p.B == 0)
        ++green;
      else if (p.R == 255 && p.G == 0 && p.B == 0)
        ++red;
      else if (p.B != 0 || p.R + p.G < 250)  // a blend of the two keeps blue at 0 and red + green near 255
        ++other;
    }
  EXPECT_GT(green, text.Width() * text.Height() / 2);
  EXPECT_GT(red, 30);
  EXPECT_LE(other, 2);  // the caret, at most

  // Selected text shows inverted: green turns magenta around the glyphs.
  e.Memo.SelectAll();
  for (MSG m; ::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&m);
  {
    TWindowDc screen(nullptr);
    ::BitBlt(shot.Dc(), 0, 0, text.Width(), text.Height(), screen.Get(), text.Left, text.Top, SRCCOPY);
  }
  ::GdiFlush();
  int magenta = 0;
  for (int32_t y = 0; y < shot.Height(); ++y)
    for (int32_t x = 0; x < shot.Width(); ++x) {
      const TBgra p = shot.View().At(x, y);
      magenta += p.R == 255 && p.G == 0 && p.B == 255 ? 1 : 0;
    }
  EXPECT_GT(magenta, 100);
}

TEST(MyMemo, FrameIsDashedWhiteOverTheEdgeColourAndTakesTheHoverColour) {
  TOpenEditor e;
  e.Memo.SetBounds(TRect::FromSize(50, 60, 74, 24));
  e.Memo.SetEdgeColor(0x00FF00);
  TDibImage shot;
  ASSERT_TRUE(shot.Create(74, 24));
  auto frameAt = [&](int32_t x, int32_t y) {
    ::SendMessageW(e.Memo.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Dc()), PRF_CLIENT);
    ::GdiFlush();
    const TBgra p = shot.View().At(x, y);
    return uint32_t(p.R | p.G << 8 | p.B << 16);
  };
  EXPECT_EQ(frameAt(2, 0), 0xFFFFFFu);   // a dash
  EXPECT_EQ(frameAt(10, 1), 0x00FF00u);  // between dashes
  EXPECT_EQ(frameAt(17, 23), 0xFFFFFFu);
  EXPECT_EQ(frameAt(0, 12), 0x00FF00u);
  EXPECT_EQ(frameAt(73, 20), 0xFFFFFFu);
  ::SendMessageW(e.Memo.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 12));
  EXPECT_TRUE(e.Memo.MouseOver());
  EXPECT_EQ(frameAt(10, 1), e.Memo.EnterColor());
  ::SendMessageW(e.Memo.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(e.Memo.MouseOver());
  EXPECT_EQ(frameAt(10, 1), 0x00FF00u);
}

TEST(MyMemo, DraggingTheFrameMovesTheEditorWithThePointerInsideTheSelection) {
  TOpenEditor e;
  e.Memo.DragBounds = Selection;
  std::vector<TRect> moves;
  int presses = 0;
  e.Memo.OnPress = [&] { ++presses; };
  e.Memo.OnMoved = [&](const TRect& r) { moves.push_back(r); };
  const TRect start = e.Memo.Bounds();
  ::SendMessageW(e.Memo.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(e.Memo.Handle()), HTCLIENT);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_SIZEALL));
  ::SendMessageW(e.Memo.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(presses, 1);
  ::SendMessageW(e.Memo.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 21));
  EXPECT_EQ(e.Memo.Bounds(), start.Offset(40, 20));
  // Far beyond the selection's bottom-right corner: stops at it. The pointer's coordinates are the editor's own.
  ::SendMessageW(e.Memo.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(900, 900));
  EXPECT_EQ(e.Memo.Bounds().Right, Selection.Right);
  EXPECT_EQ(e.Memo.Bounds().Bottom, Selection.Bottom);
  ::SendMessageW(e.Memo.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  const TRect dropped = e.Memo.Bounds();
  ::SendMessageW(e.Memo.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-200, -200));
  EXPECT_EQ(e.Memo.Bounds(), dropped);  // released: moves no more
  EXPECT_EQ(moves.size(), 2u);
}

}  // namespace
}  // namespace qor
