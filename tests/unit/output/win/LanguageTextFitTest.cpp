// Every shipped translation laid out in the controls that show it, measured with GDI and the real fonts the way the
// controls measure (the panel's text measurer): a caption drawn on one line without an ellipsis must fit its
// control, and the wrapped tip text must stay above the tip's check box.
#include <gtest/gtest.h>

#include <filesystem>

#include "CommonLib/RdControl/win/RdDialogPictures.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "annotate/ToolPanelLayout.h"
#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "base/Utf16Text.h"
#include "capture/Magnifier.h"
#include "capture/ToolbarLayout.h"
#include "capture/ToolbarWords.h"
#include "output/NoticePlacement.h"
#include "output/SavePathPanelLayout.h"
#include "output/TipLayout.h"
#include "scroll/ScrollToolbarLayout.h"

namespace qor {
namespace {

const std::filesystem::path LanguageFolder = std::filesystem::path(QOR_SOURCE_DIR) / "Language";
const TScale Unscaled{};
// A button's caption keeps this much room at each side, so that it never touches the button's edge.
constexpr int32_t ButtonPadding = 4;

struct TOneLine {
  std::u16string_view Window;
  std::u16string_view Key;
  TRdFont Font;
  int32_t Width;  // the room the control gives the caption
};

std::vector<TOneLine> OneLineCaptions() {
  const TSavePathPanelLayout savePath = LayoutSavePathPanel(0, Unscaled);  // the narrowest panel
  const TRdFont savePathFont = DialogFont(SavePathFontHeight, 0);
  TRdFont pixelLabelFont;  // the tool panel's label font
  pixelLabelFont.Height = 13;
  return {
      {WindowSection::Monitor, u"chbtn_always.Caption", savePathFont,
       savePath.chbtn_always.Width() - TipCheckTextMargin},
      {WindowSection::Monitor, u"btn_browseSavePath.Caption", savePathFont,
       savePath.btn_browseSavePath.Width() - 2 * ButtonPadding},
      {WindowSection::Monitor, u"lbl_PixelSize.Caption", pixelLabelFont, TToolPanelSizes{}.PixelLabel.Width},
      // Shortened in the middle when too wide, which would cut the way out of the notice.
      {WindowSection::NoticForm, u"Label_2.Caption", DialogFont(NoticeFontHeight, 0), NoticeLabelMaxWidth},
      {WindowSection::TipForm, u"Rd_btnOk.Caption", DialogFont(TipFontHeight, 0), TipOkWidth - 2 * ButtonPadding},
  };
}

std::vector<std::u16string> LanguageNames() {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(LanguageFolder))
    if (entry.path().extension() == ".lng") names.push_back(Utf8ToUtf16(entry.path().stem().string()));
  return names;
}

class LanguageTextFit : public testing::Test {
 protected:
  TFormOf<TRdPanel> Panel;  // only its text measurer: a memory DC with the controls' fonts
  TRdTextMeasurer* Measure = Panel.TextMeasurer();
};

TEST_F(LanguageTextFit, OneLineCaptionsFitTheirControls) {
  ASSERT_NE(Measure, nullptr);
  const auto names = LanguageNames();
  ASSERT_GE(names.size(), 13u);
  for (const std::u16string& name : names) {
    TLanguage language(Utf8ToUtf16(LanguageFolder.string()));
    ASSERT_TRUE(language.Load(name));
    for (const TOneLine& line : OneLineCaptions()) {
      const auto text = language.WindowText(line.Window, line.Key);
      ASSERT_TRUE(text.has_value()) << Utf16ToUtf8(name + u" " + std::u16string(line.Key));
      const int32_t width = Measure->MeasureText(*text, line.Font, 0).Width;
      EXPECT_LE(width, line.Width) << Utf16ToUtf8(name + u": " + std::u16string(line.Key) + u" = " + *text);
    }
  }
}

TEST_F(LanguageTextFit, TheTipTextStaysAboveItsCheckBoxWhoseCaptionStaysClearOfOk) {
  ASSERT_NE(Measure, nullptr);
  const TSize client = TipClientSize(Unscaled);
  const int32_t labelWidth = client.Width - 2 * TipLabelMargin;
  for (const std::u16string& name : LanguageNames()) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    TLanguage language(Utf8ToUtf16(LanguageFolder.string()));
    ASSERT_TRUE(language.Load(name));
    const std::u16string tip = language.WindowText(WindowSection::TipForm, u"Label_Tip.Caption").value_or(u"");
    const std::u16string check = language.WindowText(WindowSection::TipForm, u"RdBtn_Check.Caption").value_or(u"");
    // As the tip measures them (its caption with 2 pixels to spare).
    const int32_t labelHeight = Measure->MeasureText(tip, DialogFont(TipFontHeight, 0), labelWidth).Height;
    const int32_t checkWidth = Measure->MeasureText(check, DialogFont(TipCheckFontHeight, 0), 0).Width + 2;
    const TTipLayout layout = LayoutTip({client, Unscaled, labelHeight, checkWidth});
    EXPECT_FALSE(layout.CheckWidthLimited) << Utf16ToUtf8(check) << " is cut before OK";
    EXPECT_LE(layout.Label_Tip.Top + labelHeight, layout.RdBtn_Check.Top) << Utf16ToUtf8(tip);
  }
}

// The blue buttons grow for their captions: in both toolbars, at both scales, every caption has its measured width
// inside its button, and the toolbars stay narrow enough for a small screen.
TEST_F(LanguageTextFit, TheCopyAndSaveCaptionsSitInsideTheirWidenedButtons) {
  using S = TScrollToolbarChild;
  for (const std::u16string& name : LanguageNames()) {
    TLanguage language(Utf8ToUtf16(LanguageFolder.string()));
    ASSERT_TRUE(language.Load(name));
    for (TScale scale : {TScale::Of(false), TScale::Of(true)}) {
      SCOPED_TRACE(Utf16ToUtf8(name) + " at " + std::to_string(scale.Factor));
      auto text = [&](std::u16string_view window, std::u16string_view key) {
        return language.WindowText(window, key).value_or(u"");
      };
      // The caption's measured width lies inside its place, and that place inside its button.
      auto check = [&](const TRect& word, const TRect& button, const std::u16string& caption) {
        EXPECT_FALSE(caption.empty());
        EXPECT_LE(Measure->MeasureText(caption, WordCaptionFont(scale), 0).Width, word.Width()) << Utf16ToUtf8(caption);
        EXPECT_EQ(word.Intersect(button), word) << Utf16ToUtf8(caption);
      };
      const std::u16string copy = text(WindowSection::Monitor, u"Rd_WordCopy.Caption");
      const std::u16string save = text(WindowSection::Monitor, u"Rd_WordSave.Caption");
      TToolbarSizes sizes;
      sizes.WordCopy.Width = std::max(sizes.WordCopy.Width, WordCaptionWidth(Measure, copy, DesignWordCopy, scale));
      sizes.WordSave.Width = std::max(sizes.WordSave.Width, WordCaptionWidth(Measure, save, DesignWordSave, scale));
      const TToolbarLayout toolbar = LayoutToolbar(sizes, false, scale);
      check(toolbar.Child(TToolbarChild::Rd_WordCopy), toolbar.Child(TToolbarChild::Rd_Copy), copy);
      check(toolbar.Child(TToolbarChild::Rd_WordSave), toolbar.Child(TToolbarChild::Rd_Save), save);
      EXPECT_LE(toolbar.Width, scale(900));  // within a 1024-pixel screen

      const std::u16string scrollCopy = text(WindowSection::FormScrollWinsTools, u"Rd_WordCopy.Caption");
      const std::u16string scrollSave = text(WindowSection::FormScrollWinsTools, u"Rd_WordSave.Caption");
      const TScrollToolbarLayout scroll =
          LayoutScrollToolbar(false, scale, WordCaptionWidth(Measure, scrollCopy, DesignWordCopy, scale),
                              WordCaptionWidth(Measure, scrollSave, DesignWordSave, scale));
      check(scroll.Child(S::Rd_WordCopy), scroll.Child(S::Rd_Copy), scrollCopy);
      check(scroll.Child(S::Rd_WordSave), scroll.Child(S::Rd_Save), scrollSave);
    }
  }
}

// The magnifier writes its size line unclipped across its panel: with an 8K desktop's size it stays inside.
TEST_F(LanguageTextFit, TheMagnifierSizeLineStaysInsideItsPanel) {
  const TMagnifierMetrics metrics;
  TRdFont font;
  font.Height = 13;
  for (const std::u16string& name : LanguageNames()) {
    TLanguage language(Utf8ToUtf16(LanguageFolder.string()));
    ASSERT_TRUE(language.Load(name));
    const std::u16string line =
        MagnifierSizeText(language.WindowText(WindowSection::Monitor, u"Label_Size.Caption").value_or(u""), 7680, 4320);
    EXPECT_LE(Measure->MeasureText(line, font, 0).Width, metrics.PanelWidth - 2 * metrics.ImageLeft)
        << Utf16ToUtf8(name + u": " + line);
  }
}

TEST_F(LanguageTextFit, TheMeasureTellsALongCaptionFromAShortOne) {
  // Guards the checks above against a measurer that returns nothing.
  const TRdFont font = DialogFont(13, 0);
  EXPECT_GT(Measure->MeasureText(u"Screenshots immer speichern in:", font, 0).Width,
            Measure->MeasureText(u"OK", font, 0).Width + 100);
  EXPECT_GT(Measure->MeasureText(u"常にこのフォルダーに保存", font, 0).Width, 100);
}

}  // namespace
}  // namespace qor
