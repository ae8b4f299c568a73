#include <gtest/gtest.h>

#include <algorithm>

#include "CommonLib/RdControl/RdImageButton.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TRecordingCanvas;
using testing::TRecordingHost;

const TRect ButtonBounds = TRect::FromSize(10, 5, 30, 30);
const TPoint Inside{20, 20};
const TPoint Outside{100, 100};

// Which pictures a button has; names are the slot names so a choice is easy to read.
struct TPictureSet {
  bool Over = true, Down = true, Disabled = true, Selected = true, Expand = false;
};

void GivePictures(TRdImageButton& b, const TPictureSet& set) {
  b.Pictures.ImageNormal = u"normal";
  if (set.Over) b.Pictures.ImageOver = u"over";
  if (set.Down) b.Pictures.ImageDown = u"down";
  if (set.Disabled) b.Pictures.ImageDisabled = u"disabled";
  if (set.Selected) b.Pictures.ImageSelected = u"selected";
  if (set.Expand) b.Pictures.ExpandImage = u"expand";
}

// Brings a hosted button into a situation through the host's mouse routing, as a panel would: h hovers, p presses,
// o moves outside, r releases inside, R releases outside, c cancels the press (capture lost), s selects, u lifts
// the selected button's icon lock (so hover comes in), d disables.
void Arrange(TRecordingHost& host, TRdImageButton& b, std::string_view steps) {
  for (char step : steps) {
    if (step == 'h') host.HostMouseMove(Inside);
    if (step == 'p') host.HostMouseDown(Inside);
    if (step == 'o') host.HostMouseMove(Outside);
    if (step == 'r') host.HostMouseUp(Inside);
    if (step == 'R') host.HostMouseUp(Outside);
    if (step == 'c') host.HostCancelPress();
    if (step == 's') b.SetSelected(true);
    if (step == 'u') b.IconLockBySelected = false;
    if (step == 'd') b.SetEnabled(false);
  }
}

// A button at ButtonBounds in the host.
TRdImageButton* AddButton(TRecordingHost& host) {
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  return b;
}

TEST(RdImageButton, PictureIsTheFirstMatchingRulesPicture) {
  const TPictureSet all, withExpand{true, true, true, true, true};
  const struct {
    const char* Name;
    std::string_view Setup;
    TPictureSet Set;
    std::u16string_view Expected;
  } cases[] = {
      {"up shows normal", "", all, u"normal"},
      {"hover shows over", "h", all, u"over"},
      {"hover without over keeps normal", "h", {false, true, true, true}, u"normal"},
      {"pressed shows down", "p", all, u"down"},
      {"pressed without down shows over", "p", {true, false, true, true}, u"over"},
      {"pressed, dragged out shows normal", "po", all, u"normal"},
      {"selected shows selected", "s", all, u"selected"},
      {"selected and hovered shows selected", "suh", all, u"selected"},
      {"selected without its picture shows normal", "s", {true, true, true, false}, u"normal"},
      {"disabled shows disabled", "d", all, u"disabled"},
      {"disabled and hovered shows disabled", "dh", all, u"disabled"},
      {"disabled without its picture shows normal", "d", {true, true, false, true}, u"normal"},
      {"expand shows the expand picture", "", withExpand, u"expand"},
      {"selected beats expand", "s", withExpand, u"selected"},
      {"hover beats expand", "h", withExpand, u"over"},
  };
  for (const auto& c : cases) {
    TRecordingHost host;
    auto* b = AddButton(host);
    GivePictures(*b, c.Set);
    if (c.Set.Expand) b->SetExpand(true);
    Arrange(host, *b, c.Setup);
    EXPECT_EQ(b->ChoosePicture(), c.Expected) << c.Name;
  }
}

TEST(RdImageButton, CaptionColourFollowsTheStateAndFallsBackToTheFontColour) {
  constexpr uint32_t font = 0x111111;
  const TRdButtonColors all{0x222222, 0x333333, 0x444444, 0x555555, 0x666666};
  const TRdButtonColors none{ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet};
  const TRdButtonColors onlyChecked{ColorNotSet, ColorNotSet, ColorNotSet, 0x555555, ColorNotSet};
  const struct {
    const char* Name;
    std::string_view Setup;
    bool Checked;
    TRdButtonColors Colors;
    uint32_t Expected;
  } cases[] = {{"up uses font", "", false, all, font},
               {"hover uses hover", "h", false, all, 0x222222},
               {"hover not set uses font", "h", false, none, font},
               {"down uses down", "p", false, all, 0x333333},
               {"down not set uses font", "p", false, none, font},
               {"disabled uses disabled", "d", false, all, 0x666666},
               {"disabled not set uses font", "d", false, none, font},
               {"selected uses selected", "s", true, all, 0x444444},
               {"selected, checked falls to checked", "s", true, onlyChecked, 0x555555},
               {"selected, unchecked uses font", "s", false, onlyChecked, font},
               {"up, checked uses checked", "", true, all, 0x555555}};
  for (const auto& c : cases) {
    TRecordingHost host;
    auto* b = AddButton(host);
    b->Font.Color = font;
    b->Colors = c.Colors;
    b->SetChecked(c.Checked);
    Arrange(host, *b, c.Setup);
    EXPECT_EQ(b->ChooseCaptionColor(), c.Expected) << c.Name;
  }
}

// A hosted button at ButtonBounds that counts its clicks.
class MouseStates : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdImageButton* B = AddButton(Host);
  int Clicks = 0;
  void SetUp() override {
    B->OnClick = [this](TRdControl&) { ++Clicks; };
  }
};

class IconChoice : public MouseStates {
 protected:
  void SetUp() override {
    B->DnIcons = {u"dn-normal", u"dn-hover", u"dn-down", u"dn-selected", u"dn-disable"};
    B->UpIcons = {u"up-normal", u"", u"", u"", u""};
  }
};

TEST_F(IconChoice, DnSetFollowsTheStateAndExpandUsesTheUpSetsNormalIcon) {
  EXPECT_EQ(B->ChooseIcon(), u"dn-normal");
  Host.HostMouseMove(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"dn-hover");
  Host.HostMouseDown(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"dn-down");
  Host.HostMouseUp(Inside);
  B->SetSelected(true);
  EXPECT_EQ(B->ChooseIcon(), u"dn-selected");
  B->SetEnabled(false);
  EXPECT_EQ(B->ChooseIcon(), u"dn-disable");
  // Expanded: the up set, whose empty icons fall back to its normal one.
  B->SetExpand(true);
  EXPECT_EQ(B->ChooseIcon(), u"up-normal");
  B->SetSelected(false);
  B->SetEnabled(true);
  Host.HostMouseMove(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"up-normal");
}

TEST_F(IconChoice, IconIsPlacedByAlignmentAndOffsetAndTheCaptionKeepsClearOfIt) {
  const TSize icon{16, 16};
  B->IconAlign = TAlignment::taRightJustify;
  B->IconOffset = 10;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(40 - 10 - 16, 12, 16, 16));
  B->IconAlign = TAlignment::taCenter;
  B->IconAlignY = TVerticalAlignment::vaTop;
  B->IconOffsetY = 3;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(17, 8, 16, 16));
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconAlignY = TVerticalAlignment::vaCenter;
  B->IconOffset = 14;
  B->IconOffsetY = 0;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(24, 12, 16, 16));
  B->SetBounds(TRect::FromSize(0, 0, 89, 40));
  B->TextOffset = 6;
  EXPECT_EQ(B->CaptionRect(B->IconRect(icon)).Left, 14 + 16 + 6);
  EXPECT_EQ(B->CaptionRect(TRect{}).Left, 0);  // no icon: the whole width
}

TEST_F(IconChoice, PaintDrawsStatePictureThenIconThenCaptionAndSkipsUnknownPictures) {
  B->Pictures.ImageNormal = u"bg";
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconOffset = 2;
  B->SetCaption(u"Go");
  TRecordingCanvas canvas, blank;  // the second knows no pictures
  canvas.Pictures[u"bg"] = {30, 30};
  canvas.Pictures[u"dn-normal"] = {8, 8};
  B->Paint(canvas);
  ASSERT_EQ(canvas.Calls.size(), 3u);
  EXPECT_EQ(canvas.Calls[0].Name, u"bg");
  EXPECT_EQ(canvas.Calls[1].Name, u"dn-normal");
  EXPECT_EQ(canvas.Calls[1].Rect, TRect::FromSize(12, 16, 8, 8));
  EXPECT_EQ(canvas.Calls[2].Kind, "text");
  // Disabled without a disabled picture: the normal one, the caption in the disabled colour.
  B->DnIcons = {};
  B->Colors.FontDisabledColor = 0x808080;
  B->SetEnabled(false);
  TRecordingCanvas disabled;
  disabled.Pictures[u"bg"] = {30, 30};
  B->Paint(disabled);
  ASSERT_EQ(disabled.Of("picture").size(), 1u);
  EXPECT_EQ(disabled.Of("picture")[0].Name, u"bg");
  EXPECT_EQ(disabled.Of("picture")[0].Rect, ButtonBounds);
  ASSERT_EQ(disabled.Of("text").size(), 1u);
  EXPECT_EQ(disabled.Of("text")[0].Color, 0x808080u);
  B->Pictures.ImageNormal.clear();
  B->Paint(blank);
  EXPECT_TRUE(blank.Of("picture").empty());
}

TEST_F(MouseStates, BusyClearsTheCaptionTakesNoClicksAndRestoresTheLatestCaption) {
  B->SetCaption(u"Save");
  B->Pictures.ImageNormal = u"normal";
  B->Pictures.ImageBusy = u"busy";
  EXPECT_TRUE(B->SetBusy(true));
  EXPECT_EQ(B->State(), TRdButtonState::Busy);
  EXPECT_EQ(B->ChoosePicture(), u"busy");
  EXPECT_FALSE(B->Enabled());
  EXPECT_EQ(B->Caption(), u"");
  EXPECT_FALSE(B->SetBusy(true));  // a second request must not keep the cleared caption
  EXPECT_FALSE(B->SetSelected(true));
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), TRdButtonState::Busy);
  EXPECT_FALSE(B->SetCaption(u"Saved"));  // kept for later
  EXPECT_EQ(B->Caption(), u"");
  EXPECT_TRUE(B->SetBusy(false));
  EXPECT_EQ(B->Caption(), u"Saved");
  EXPECT_TRUE(B->Enabled());
  EXPECT_EQ(B->State(), TRdButtonState::Up);
}

// A click needs a press and a release inside, wherever the pointer went between; a cancelled press, a disabled
// button or one disabled while pressed gives none.
TEST(RdImageButton, ClickNeedsPressAndReleaseInsideOfAnEnabledButton) {
  enum { No, Yes, Any };
  const struct {
    std::string_view Steps;
    int Clicks;
    TRdButtonState State;
    int Hover;
  } cases[] = {
      {"h", 0, TRdButtonState::Up, Yes},          {"hp", 0, TRdButtonState::Down, Yes},
      {"hpr", 1, TRdButtonState::Up, Yes},        {"hpo", 0, TRdButtonState::Down, No},
      {"hpoR", 0, TRdButtonState::Up, No},        {"hpohr", 1, TRdButtonState::Up, Yes},
      {"shp", 0, TRdButtonState::Down, Any},      {"shpr", 1, TRdButtonState::Selected, Any},
      {"hpcr", 0, TRdButtonState::Up, Any},       {"hpdr", 0, TRdButtonState::Disabled, Any},
      {"dohpr", 0, TRdButtonState::Disabled, No},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Steps));
    TRecordingHost host;
    auto* b = AddButton(host);
    int clicks = 0;
    b->OnClick = [&](TRdControl&) { ++clicks; };
    Arrange(host, *b, c.Steps);
    EXPECT_EQ(clicks, c.Clicks);
    EXPECT_EQ(b->State(), c.State);
    if (c.Hover != Any) {
      EXPECT_EQ(b->Hover(), c.Hover == Yes);
    }
  }
}

TEST_F(MouseStates, ReleaseOverAnotherControlClicksNeitherAndACheckBoxButtonTogglesOnAClick) {
  B->ShowCheckBox = true;
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_TRUE(B->Checked());
  Clicks = 0;
  auto* other = Host.Add(std::make_unique<TRdImageButton>());
  other->SetBounds(TRect::FromSize(60, 5, 30, 30));
  int otherClicks = 0;
  other->OnClick = [&](TRdControl&) { ++otherClicks; };
  Host.HostMouseDown(Inside);
  Host.HostMouseMove({70, 20});
  EXPECT_FALSE(other->Hover());  // the pressed button keeps the mouse
  Host.HostMouseUp({70, 20});
  EXPECT_EQ(Clicks + otherClicks, 0);
  EXPECT_TRUE(other->Hover());  // hover moves on after the release
  EXPECT_TRUE(B->Checked());
}

// Hover repaints: RdPanelTest.HoverRepaintsOnlyTheButton, through real window messages.
TEST_F(MouseStates, ANewPictureRepaintsTheButtonOnlyWhenItChanged) {
  Host.Invalid.clear();
  EXPECT_FALSE(B->SetImageNormal(u""));
  EXPECT_TRUE(B->SetImageNormal(u"images/icon_rectangle_normal.png"));
  EXPECT_FALSE(B->SetImageNormal(u"images/icon_rectangle_normal.png"));
  EXPECT_EQ(Host.Invalid, std::vector<TRect>{ButtonBounds});
}

TEST_F(MouseStates, SelectedButtonTakesHoverOnlyWithoutIconLock) {
  B->SetSelected(true);
  Host.Invalid.clear();
  Host.HostMouseMove(Inside);
  EXPECT_FALSE(B->Hover());
  EXPECT_TRUE(Host.Invalid.empty());
  EXPECT_EQ(B->ChooseIcon(), B->DnIcons.NormalIcon);
  B->SetSelected(false);  // deselected under the pointer: hover on the next move
  Host.HostMouseMove({21, 21});
  EXPECT_TRUE(B->Hover());
  Host.HostMouseMove(Outside);
  B->IconLockBySelected = false;
  B->SetSelected(true);
  Host.HostMouseMove(Inside);
  EXPECT_TRUE(B->Hover());
}

TEST_F(MouseStates, LockedSelectedButtonLosesHoverWhenLeftAndDeselectedLaterAndWhenHidden) {
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  B->SetSelected(true);  // the click handler marks the active tool
  Host.HostMouseMove(Outside);
  B->SetSelected(false);  // another tool is chosen
  B->Pictures.ImageNormal = u"normal";
  B->Pictures.ImageOver = u"over";
  EXPECT_EQ(B->ChoosePicture(), u"normal");
  Host.HostMouseMove(Inside);
  B->SetVisible(false);
  EXPECT_FALSE(B->Hover());
  EXPECT_EQ(Host.HoverControl(), nullptr);
  EXPECT_EQ(Host.ControlAt(Inside), nullptr);
}

TEST_F(MouseStates, HandlersMayRemoveTheButtonAndARemovalOnMouseUpPreventsTheClick) {
  B->OnMouseUp = [this](TRdControl& sender) { Host.Remove(&sender); };
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_TRUE(Host.Controls().empty());
  auto* again = Host.Add(std::make_unique<TRdImageButton>());
  again->SetBounds(ButtonBounds);
  again->OnClick = [this](TRdControl& sender) { Host.Remove(&sender); };
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_TRUE(Host.Controls().empty());
  Host.HostMouseMove(Inside);
}

TEST(RdImageButton, CheckBoxPictureFollowsCheckStateHoverAndEnabledWithFallbacks) {
  const TRdCheckBoxPictures all{u"un",      u"un-hover", u"un-gray",    u"on",       u"on-hover",
                                u"on-gray", u"half",     u"half-hover", u"half-gray"};
  TRdCheckBoxPictures sparse;  // one picture per state, no half-checked ones
  sparse.CheckBoxNormalImage = u"un";
  sparse.CheckBoxCheckedImage = u"on";
  const struct {
    const char* Name;
    TRdCheckState State;
    std::string_view Setup;
    const TRdCheckBoxPictures* Pictures;
    std::u16string_view Expected;
  } cases[] = {
      {"unchecked", TRdCheckState::Unchecked, "", &all, u"un"},
      {"unchecked hovered", TRdCheckState::Unchecked, "h", &all, u"un-hover"},
      {"unchecked disabled", TRdCheckState::Unchecked, "d", &all, u"un-gray"},
      {"checked hovered", TRdCheckState::Checked, "h", &all, u"on-hover"},
      {"checked disabled and hovered", TRdCheckState::Checked, "dh", &all, u"on-gray"},
      {"half checked pressed", TRdCheckState::Grayed, "p", &all, u"half-hover"},
      {"half checked disabled", TRdCheckState::Grayed, "d", &all, u"half-gray"},
      {"checked hovered without its picture", TRdCheckState::Checked, "h", &sparse, u"on"},
      {"unchecked disabled without its picture", TRdCheckState::Unchecked, "d", &sparse, u"un"},
      {"half checked without pictures looks checked", TRdCheckState::Grayed, "h", &sparse, u"on"},
  };
  for (const auto& c : cases) {
    TRecordingHost host;
    auto* b = AddButton(host);
    b->ShowCheckBox = true;
    b->CheckBoxPictures = *c.Pictures;
    b->SetCheckState(c.State);
    Arrange(host, *b, c.Setup);
    EXPECT_EQ(b->ChooseCheckBoxPicture(), c.Expected) << c.Name;
  }
}

TEST_F(MouseStates, CheckBoxTogglesOnlyOnItsBoxUnlessTheWholeButtonClicksAndTheCaptionKeepsClearOfIt) {
  B->SetBounds(TRect::FromSize(0, 0, 120, 20));
  B->ShowCheckBox = true;
  B->CheckBoxFullClick = false;
  B->CheckBoxOffset = 4;
  B->CheckBoxPictures.CheckBoxNormalImage = u"box";
  B->CheckBoxPictures.CheckBoxCheckedImage = u"box-on";
  B->SetCaption(u"Always save to this folder");
  TRecordingCanvas canvas;
  canvas.Pictures = {{u"box", {12, 12}}, {u"box-on", {12, 12}}};
  B->Paint(canvas);
  ASSERT_EQ(canvas.Of("picture").size(), 1u);
  EXPECT_EQ(canvas.Of("picture")[0].Rect, TRect::FromSize(4, 4, 12, 12));
  ASSERT_EQ(canvas.Of("text").size(), 1u);
  EXPECT_EQ(canvas.Of("text")[0].Rect.Left, 4 + 12 + 4);

  auto click = [&](TPoint p) {
    Host.HostMouseMove(p);
    Host.HostMouseDown(p);
    Host.HostMouseUp(p);
  };
  click({60, 10});  // on the caption: a click, no toggle
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(B->Checked());
  click({8, 8});
  EXPECT_TRUE(B->Checked());
  EXPECT_EQ(Clicks, 2);
  B->CheckBoxFullClick = true;
  click({100, 10});
  EXPECT_FALSE(B->Checked());
  B->SetCheckState(TRdCheckState::Grayed);  // a click on a half-checked box checks it
  click({100, 10});
  EXPECT_EQ(B->CheckState(), TRdCheckState::Checked);
}

TEST_F(IconChoice, AClickOnTheIconRaisesIconOnClickAndIconFullClickMakesTheWholeButtonTheIcon) {
  B->SetBounds(TRect::FromSize(0, 0, 89, 40));
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconOffset = 14;
  B->OnClick = [this](TRdControl&) { ++Clicks; };
  int iconClicks = 0;
  TRecordingCanvas canvas;
  canvas.Pictures[u"dn-normal"] = {16, 16};
  canvas.Pictures[u"dn-hover"] = {16, 16};
  B->Paint(canvas);  // the icon's area is where it was last painted: 14, 12, 16 x 16
  auto click = [&](TPoint p) {
    Host.HostMouseMove(p);
    Host.HostMouseDown(p);
    Host.HostMouseUp(p);
  };
  click({60, 20});
  EXPECT_EQ(Clicks, 1);  // no icon handler yet
  B->IconOnClick = [&](TRdControl&) { ++iconClicks; };
  click({20, 20});
  click({60, 20});
  EXPECT_EQ(iconClicks, 1);
  EXPECT_EQ(Clicks, 2);
  B->IconFullClick = true;
  click({80, 35});
  EXPECT_EQ(iconClicks, 2);
  EXPECT_EQ(Clicks, 2);
  B->IconOnClick = nullptr;  // the whole button is the icon's area, but the icon has no handler
  click({80, 35});
  EXPECT_EQ(Clicks, 3);
}

TEST_F(IconChoice, CursorIsTheIconsOrTheCheckBoxsOverTheirAreasAndTheButtonsElsewhere) {
  B->SetBounds(TRect::FromSize(0, 0, 120, 40));
  B->IconAlign = TAlignment::taRightJustify;
  B->IconOffset = 4;
  B->ShowCheckBox = true;
  B->CheckBoxOffset = 4;
  B->CheckBoxPictures.CheckBoxNormalImage = u"box";
  B->IconCursor = crHandPoint;
  B->CheckBoxCursor = crArrow;
  B->Cursor = crIBeam;
  TRecordingCanvas canvas;
  canvas.Pictures = {{u"box", {12, 12}}, {u"dn-normal", {16, 16}}};
  B->Paint(canvas);  // box at 4, 14; icon at 100, 12
  EXPECT_EQ(B->CursorAt({8, 20}), crArrow);
  EXPECT_EQ(B->CursorAt({108, 20}), crHandPoint);
  EXPECT_EQ(B->CursorAt({60, 20}), crIBeam);
  B->IconFullClick = true;  // the whole button is the icon's area, the box still its own
  EXPECT_EQ(B->CursorAt({60, 20}), crHandPoint);
  EXPECT_EQ(B->CursorAt({8, 20}), crArrow);
  B->IconCursor = crDefault;
  EXPECT_EQ(B->CursorAt({60, 20}), crIBeam);
}

TEST_F(IconChoice, SelectedIconStaysUnderThePointerOnlyWhileLockedBySelection) {
  B->SetSelected(true);
  Host.HostMouseMove(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"dn-selected");
  Host.HostMouseMove(Outside);
  B->IconLockBySelected = false;
  Host.HostMouseMove(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"dn-hover");
  EXPECT_EQ(B->ChoosePicture(), B->Pictures.ImageNormal);  // the picture of a selected button ignores hover
  Host.HostMouseMove(Outside);
  EXPECT_EQ(B->ChooseIcon(), u"dn-selected");
}

// The blue Save button with its caption picture lying on it; the caption passes the mouse to the button.
class PressedTogether : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdImageButton* Button = AddButton(Host);
  TRdImageButton* Word = Host.Add(std::make_unique<TRdImageButton>());
  const TRect WordBounds = TRect::FromSize(20, 11, 15, 10);
  int Clicks = 0;
  void SetUp() override {
    GivePictures(*Button, {});
    Button->DnIcons = {u"icon", u"", u"icon-press", u"", u""};
    Word->SetImageNormal(u"word_save_normal");
    Word->SetImageDown(u"word_save_press");
    Word->SetBounds(WordBounds);
    TRdImageButton::PressTogether(*Button, *Word);
    Button->OnClick = [this](TRdControl&) { ++Clicks; };
  }
};

TEST_F(PressedTogether, TheCaptionShowsItsPressedPictureWhileItsButtonIsPressedOverIt) {
  Word->SetHitTest(false);
  const TPoint onWord{25, 15};
  Host.HostMouseMove(onWord);
  EXPECT_EQ(Host.HoverControl(), Button);
  EXPECT_EQ(Word->ChoosePicture(), u"word_save_normal");  // hover alone: the caption has no over picture
  Host.HostMouseDown(onWord);
  EXPECT_EQ(Word->ChoosePicture(), u"word_save_press");
  EXPECT_EQ(Button->ChoosePicture(), u"down");
  Host.HostMouseMove(Outside);  // dragged off: neither looks pressed
  EXPECT_FALSE(Word->PressedLook());
  Host.HostMouseMove(onWord);
  EXPECT_TRUE(Word->PressedLook());
  Host.HostMouseUp(onWord);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Word->ChoosePicture(), u"word_save_normal");
}

TEST_F(PressedTogether, PressingTheCaptionPressesTheButtonAndRepaintsBothEvenApart) {
  Word->SetBounds(TRect::FromSize(100, 0, 15, 10));  // apart, so the button's repaint does not cover the caption
  const TPoint onWord{105, 5};
  Host.HostMouseMove(onWord);
  EXPECT_EQ(Button->ChoosePicture(), u"over");
  Host.Invalid.clear();
  Host.HostMouseDown(onWord);
  EXPECT_EQ(Button->ChoosePicture(), u"down");
  EXPECT_EQ(Button->ChooseIcon(), u"icon-press");
  EXPECT_NE(std::find(Host.Invalid.begin(), Host.Invalid.end(), ButtonBounds), Host.Invalid.end());
  Host.HostMouseUp(onWord);
  EXPECT_EQ(Button->ChoosePicture(), u"over");  // the pointer still rests on the caption
  // A selected or disabled partner keeps its own look.
  Button->SetEnabled(false);
  Host.HostMouseDown(onWord);
  EXPECT_EQ(Button->ChoosePicture(), u"disabled");
  Host.HostMouseUp(onWord);
  // Either may go first.
  Host.Remove(Button);
  Host.HostMouseDown(onWord);
  EXPECT_EQ(Word->ChoosePicture(), u"word_save_press");
  Host.HostMouseUp(onWord);
}

TEST(RdControlHost, TopmostControlWinsAndEnterLeaveEventsPair) {
  TRecordingHost host;
  auto* bottom = host.Add(std::make_unique<TRdImageButton>());
  bottom->SetBounds(TRect::FromSize(0, 0, 100, 40));
  auto* top = host.Add(std::make_unique<TRdImageButton>());
  top->SetBounds(TRect::FromSize(30, 5, 30, 30));
  std::vector<std::string> events;
  for (auto [b, n] : {std::pair{bottom, "bottom"}, std::pair{top, "top"}}) {
    std::string name = n;
    b->OnMouseEnter = [&events, name](TRdControl&) { events.push_back("enter " + name); };
    b->OnMouseLeave = [&events, name](TRdControl&) { events.push_back("leave " + name); };
  }
  host.HostMouseMove({5, 5});
  host.HostMouseMove({40, 10});
  host.HostMouseLeave();
  EXPECT_EQ(events, (std::vector<std::string>{"enter bottom", "leave bottom", "enter top", "leave top"}));
  EXPECT_EQ(host.FindControl(u""), bottom);
}

TEST(RdControlHost, PaintsOnlyVisibleControlsThatMeetTheDirtyAreaAndReportsChanges) {
  TRecordingHost host;
  auto* a = host.Add(std::make_unique<TRdImageButton>());
  a->SetBounds(TRect::FromSize(0, 0, 30, 30));
  a->Pictures.ImageNormal = u"a";
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(TRect::FromSize(40, 0, 30, 30));
  b->Pictures.ImageNormal = u"b";
  auto* c = host.Add(std::make_unique<TRdImageButton>());
  c->SetBounds(TRect::FromSize(0, 0, 30, 30));
  c->Pictures.ImageNormal = u"c";
  c->SetVisible(false);
  TRecordingCanvas canvas;
  host.PaintControls(canvas, TRect::FromSize(45, 10, 5, 5));
  ASSERT_EQ(canvas.Calls.size(), 1u);
  EXPECT_EQ(canvas.Calls[0].Name, u"b");
  const int before = host.ChangeCount;  // hint and place changes are reported, repeats are not
  b->SetHint(u"Rectangle");
  b->SetHint(u"Rectangle");
  b->SetBounds(ButtonBounds);
  EXPECT_EQ(host.ChangeCount, before + 2);
}

}  // namespace
}  // namespace qor
