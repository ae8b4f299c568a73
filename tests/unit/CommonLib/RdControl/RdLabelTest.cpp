#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdLabel.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TCellMeasurer;
using testing::TRecordingCanvas;
using testing::TRecordingHost;

constexpr int32_t Cell = TCellMeasurer::CellWidth, Line = TCellMeasurer::LineHeight;

TEST(RdLabel, AutoSizeTakesTheMeasuredLineCutAtMaxWidthAndKeepsOneLineWhenEmpty) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetPosition({7, 121});
  l->SetCaption(u"Size: (10 x 20)");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 15 * Cell, Line));
  l->SetMaxWidth(50);
  l->SetCaption(u"a rather long caption");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 50, Line));
  l->SetCaption(u"");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 0, Line));
  l->SetAutoSize(false);
  l->SetBounds(TRect::FromSize(0, 0, 110, 40));
  l->SetCaption(u"1920 x 1080");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(0, 0, 110, 40));
}

TEST(RdLabel, WordWrapBreaksTheCaptionIntoLinesWithinMaxWidth) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetMaxWidth(5 * Cell);
  l->SetCaption(u"aaaa bbbb cccc");
  EXPECT_EQ(l->Bounds().Height(), Line);
  l->SetWordWrap(true);  // remeasures
  EXPECT_EQ(l->Bounds().Height(), 3 * Line);
  l->SetMaxWidth(270);
  l->SetCaption(u"Capture: Left click or drag the mouse to select the area you want to take a screenshot.");
  EXPECT_EQ(l->Bounds().Width(), 270);
  EXPECT_GE(l->Bounds().Height(), 3 * Line);
  EXPECT_EQ(l->Bounds().Height() % Line, 0);
}

TEST(RdLabel, LaysOutOnceItsHostCanMeasure) {
  TRecordingHost host;
  host.CanMeasure = false;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetCaption(u"abc");
  EXPECT_EQ(l->Bounds().Width(), 0);
  host.CanMeasure = true;
  l->UpdateLayout();
  EXPECT_EQ(l->Bounds().Width(), 3 * Cell);
}

TEST(RdLabel, TextColourIsTheHoverColourOnlyWhenSetAndGreyWhenDisabled) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  TRdFont font;
  font.Color = 0xABCDEF;
  l->SetFont(font);
  l->SetCaption(u"RGB: (1,2,3)");
  host.HostMouseMove({1, 1});
  EXPECT_EQ(l->ChooseTextColor(), 0xABCDEFu);
  l->FontHoverColor = 0x123456;
  EXPECT_EQ(l->ChooseTextColor(), 0x123456u);
  l->SetEnabled(false);
  EXPECT_EQ(l->ChooseTextColor(), 0xFF000011u);  // the system's grey text colour
}

TEST(RdLabel, PaintsCaptionInItsBoundsAndBackgroundOnlyWhenSet) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetCaption(u"Hi");
  TRecordingCanvas canvas;
  l->Paint(canvas);
  ASSERT_EQ(canvas.Calls.size(), 1u);
  EXPECT_EQ(canvas.Calls[0].Rect, l->Bounds());
  l->Color = 0x262626;
  canvas.Calls.clear();
  l->Paint(canvas);
  EXPECT_EQ(canvas.Of("fill").size(), 1u);
}

// Cells of 7 x 15 pixels, except that the line-height sample "`ghj_" is 19 pixels high (as accents and
// descenders make it in a real font) and the font's metrics say 17.
class TTallSampleMeasurer : public TCellMeasurer {
 public:
  int32_t SampleHeight = 19, MetricsHeight = 17;
  TSize MeasureText(std::u16string_view text, const TRdFont& font, int32_t maxWidth) override {
    TSize s = TCellMeasurer::MeasureText(text, font, maxWidth);
    if (text == u"`ghj_") s.Height = SampleHeight;
    return s;
  }
  int32_t FontLineHeight(const TRdFont&) override { return MetricsHeight; }
};

class TTallSampleHost : public TRecordingHost {
 public:
  TTallSampleMeasurer Tall;
  TRdTextMeasurer* TextMeasurer() override { return &Tall; }
};

TEST(RdLabel, LineHeightIsTheSampleTextsHeightThenTheFontMetricsThenTheFontHeightPlusThree) {
  TTallSampleHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetMaxWidth(5 * Cell);
  l->SetWordWrap(true);
  l->SetCaption(u"aaaa bbbb");
  EXPECT_EQ(l->LineHeight(), 19);
  EXPECT_EQ(l->Bounds().Height(), 2 * 19);
  host.Tall.SampleHeight = 0;
  EXPECT_EQ(l->LineHeight(), 17);
  host.Tall.MetricsHeight = 0;
  TRdFont font;
  font.Height = -13;  // a negative height counts by its size
  l->SetFont(font);
  EXPECT_EQ(l->LineHeight(), 16);
  EXPECT_EQ(l->Bounds().Height(), 2 * 16);
  TRdLabel unhosted;
  EXPECT_EQ(unhosted.LineHeight(), 12 + 3);
}

TEST(RdLabel, ACaptionWiderThanMaxWidthIsDrawnOnSeveralLinesWithinThatWidthOneLineHeightApart) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetPosition({15, 15});
  l->SetMaxWidth(270);
  l->SetWordWrap(true);
  l->SetWrapChar(false);
  l->SetCaption(u"Please slide the mouse scroll to capture scrolling window. Press ESC to exit.");
  TRecordingCanvas canvas;
  l->Paint(canvas);
  const auto texts = canvas.Of("text");
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(int32_t(texts.size()) * Line, l->Bounds().Height());
  std::u16string joined;
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_LE(canvas.MeasureText(texts[i].Name, {}, 0).Width, 270) << i;
    EXPECT_EQ(texts[i].Rect, TRect::FromSize(15, 15 + int32_t(i) * Line, 270, Line));
    EXPECT_NE(texts[i].Name.front(), u' ');
    joined += (i ? u" " : u"") + texts[i].Name;
  }
  EXPECT_EQ(joined, l->Caption());  // broken at spaces only: nothing lost, no word cut
  EXPECT_TRUE(l->FoundTextWordBreak());
  EXPECT_FALSE(l->FoundTextEllipsis());
}

TEST(RdLabel, WrapCharBreaksInsideWordsAndChangingItRemeasures) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetMaxWidth(6 * Cell);
  l->SetWordWrap(true);
  l->SetCaption(u"abc defgh ij");
  EXPECT_EQ(l->Bounds().Height(), 2 * Line);  // "abc de", "fgh ij"
  l->SetWrapChar(false);
  EXPECT_EQ(l->Bounds().Height(), 3 * Line);  // "abc", "defgh", "ij"
}

TEST(RdLabel, EllipsisCutsTheDrawnLinesToWholeLinesOfTheHeightAndEndsTheLastInDots) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetAutoSize(false);
  l->SetWordWrap(true);
  l->SetWrapChar(false);
  l->SetBounds(TRect::FromSize(0, 0, 8 * Cell, Line * 5 / 2));
  l->SetCaption(u"one two three four five six seven");
  TRecordingCanvas all;
  l->Paint(all);  // no ellipsis: every line is drawn, below the bounds too
  EXPECT_EQ(all.Of("text").size(), 5u);
  l->SetEllipsisPosition(TRdEllipsisPosition::End);
  TRecordingCanvas cut;
  l->Paint(cut);
  const auto texts = cut.Of("text");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Name, u"one two");
  EXPECT_EQ(texts[1].Name, u"three...");
  EXPECT_TRUE(l->FoundTextEllipsis());
  EXPECT_EQ(l->FoundTextDrawLine(), 2);
  l->SetBounds(TRect::FromSize(0, 0, 8 * Cell, 4));  // lower than a line: still one line
  TRecordingCanvas low;
  l->Paint(low);
  ASSERT_EQ(low.Of("text").size(), 1u);
  EXPECT_EQ(low.Of("text")[0].Name, u"one t...");
  // A single line too wide for the label is cut as well.
  l->SetWordWrap(false);
  l->SetBounds(TRect::FromSize(0, 0, 6 * Cell, Line));
  l->SetCaption(u"C:\\Users\\someone\\Pictures");
  TRecordingCanvas single;
  l->Paint(single);
  ASSERT_EQ(single.Of("text").size(), 1u);
  EXPECT_EQ(single.Of("text")[0].Name, u"C:\\...");
}

TEST(RdLabel, AutoSizeStaysWithinAllFourConstraints) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetConstraints({40, 20, 0, 0});
  l->SetCaption(u"ab");
  EXPECT_EQ(l->Bounds().Size(), (TSize{40, 20}));  // the minimums beat the text
  l->SetConstraints({0, 0, 10 * Cell, 2 * Line});
  l->SetWordWrap(true);
  l->SetCaption(u"aaaa bbbb cccc dddd eeee ffff");
  EXPECT_EQ(l->Bounds().Size(), (TSize{10 * Cell, 2 * Line}));  // three lines' text, two lines high
  l->SetCaption(u"a\nb\nc");
  l->SetWordWrap(false);
  l->SetConstraints({});
  EXPECT_EQ(l->Bounds().Size(), (TSize{Cell, 3 * Line}));  // line breaks in the text count
}

}  // namespace
}  // namespace qor
