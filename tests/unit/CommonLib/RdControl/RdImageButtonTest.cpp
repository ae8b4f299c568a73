#include <gtest/gtest.h>

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

enum class TSetup { Up, Hovered, Pressed, PressedDraggedOut, Selected, SelectedHovered, Disabled, DisabledHovered };

// Brings a hosted button into a situation through the host's mouse routing, as a panel would.
void Arrange(TRecordingHost& host, TRdImageButton& b, TSetup setup) {
  switch (setup) {
    case TSetup::Up:
      break;
    case TSetup::Hovered:
      host.HostMouseMove(Inside);
      break;
    case TSetup::Pressed:
      host.HostMouseDown(Inside);
      break;
    case TSetup::PressedDraggedOut:
      host.HostMouseDown(Inside);
      host.HostMouseMove(Outside);
      break;
    case TSetup::Selected:
      b.SetSelected(true);
      break;
    case TSetup::SelectedHovered:
      b.SetSelected(true);
      b.IconLockBySelected = false;  // lets hover in, so the choice itself is what is checked
      host.HostMouseMove(Inside);
      break;
    case TSetup::Disabled:
      b.SetEnabled(false);
      break;
    case TSetup::DisabledHovered:
      b.SetEnabled(false);
      host.HostMouseMove(Inside);
      break;
  }
}

struct TPictureCase {
  const char* Name;
  TSetup Setup;
  TPictureSet Set;
  const char16_t* Expected;
};

class PictureChoice : public ::testing::TestWithParam<TPictureCase> {};

TEST_P(PictureChoice, FirstMatchingRuleWins) {
  const TPictureCase& c = GetParam();
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  GivePictures(*b, c.Set);
  if (c.Set.Expand) b->SetExpand(true);
  Arrange(host, *b, c.Setup);
  EXPECT_EQ(b->ChoosePicture(), std::u16string(c.Expected));
}

TPictureSet All() { return {}; }
TPictureSet Without(bool over, bool down, bool disabled, bool selected) {
  return {!over, !down, !disabled, !selected, false};
}
TPictureSet WithExpand() { return {true, true, true, true, true}; }

INSTANTIATE_TEST_SUITE_P(
    RdImageButton, PictureChoice,
    ::testing::Values(
        TPictureCase{"UpShowsNormal", TSetup::Up, All(), u"normal"},
        TPictureCase{"HoverShowsOver", TSetup::Hovered, All(), u"over"},
        TPictureCase{"HoverWithoutOverKeepsNormal", TSetup::Hovered, Without(true, false, false, false), u"normal"},
        TPictureCase{"PressedShowsDown", TSetup::Pressed, All(), u"down"},
        TPictureCase{"PressedWithoutDownShowsOver", TSetup::Pressed, Without(false, true, false, false), u"over"},
        TPictureCase{"PressedDraggedOutShowsNormal", TSetup::PressedDraggedOut, All(), u"normal"},
        TPictureCase{"SelectedShowsSelected", TSetup::Selected, All(), u"selected"},
        TPictureCase{"SelectedHoveredShowsSelectedNotOver", TSetup::SelectedHovered, All(), u"selected"},
        TPictureCase{"SelectedWithoutSelectedPictureShowsNormal", TSetup::Selected, Without(false, false, false, true),
                     u"normal"},
        TPictureCase{"DisabledShowsDisabled", TSetup::Disabled, All(), u"disabled"},
        TPictureCase{"DisabledHoveredShowsDisabled", TSetup::DisabledHovered, All(), u"disabled"},
        TPictureCase{"DisabledWithoutDisabledPictureShowsNormal", TSetup::Disabled, Without(false, false, true, false),
                     u"normal"},
        TPictureCase{"ExpandShowsExpandImage", TSetup::Up, WithExpand(), u"expand"},
        TPictureCase{"SelectedBeatsExpand", TSetup::Selected, WithExpand(), u"selected"},
        TPictureCase{"HoverBeatsExpand", TSetup::Hovered, WithExpand(), u"over"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RdImageButton, DisabledWithoutDisabledPicturePaintsNormalPictureInDisabledColour) {
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  b->Pictures.ImageNormal = u"normal";
  b->Font.Color = 0xFFFFFF;
  b->Colors.FontDisabledColor = 0x808080;
  b->SetCaption(u"Save");
  b->SetEnabled(false);
  TRecordingCanvas canvas;
  canvas.Pictures[u"normal"] = {30, 30};
  b->Paint(canvas);
  ASSERT_EQ(canvas.Of("picture").size(), 1u);
  EXPECT_EQ(canvas.Of("picture")[0].Name, u"normal");
  EXPECT_EQ(canvas.Of("picture")[0].Rect, ButtonBounds);
  ASSERT_EQ(canvas.Of("text").size(), 1u);
  EXPECT_EQ(canvas.Of("text")[0].Color, 0x808080u);
}

struct TColourCase {
  const char* Name;
  TSetup Setup;
  bool Checked;
  TRdButtonColors Colors;
  uint32_t Expected;
};

constexpr uint32_t FontColour = 0x111111;
TRdButtonColors AllColours() { return {0x222222, 0x333333, 0x444444, 0x555555, 0x666666}; }
TRdButtonColors NoColours() { return {ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet}; }
TRdButtonColors OnlyChecked() { return {ColorNotSet, ColorNotSet, ColorNotSet, 0x555555, ColorNotSet}; }

class CaptionColour : public ::testing::TestWithParam<TColourCase> {};

TEST_P(CaptionColour, FollowsStateAndFallsBackToFontColour) {
  const TColourCase& c = GetParam();
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  b->Font.Color = FontColour;
  b->Colors = c.Colors;
  b->SetChecked(c.Checked);
  Arrange(host, *b, c.Setup);
  EXPECT_EQ(b->ChooseCaptionColor(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    RdImageButton, CaptionColour,
    ::testing::Values(TColourCase{"UpUsesFont", TSetup::Up, false, AllColours(), FontColour},
                      TColourCase{"HoverUsesHover", TSetup::Hovered, false, AllColours(), 0x222222},
                      TColourCase{"HoverNotSetUsesFont", TSetup::Hovered, false, NoColours(), FontColour},
                      TColourCase{"DownUsesDown", TSetup::Pressed, false, AllColours(), 0x333333},
                      TColourCase{"DownNotSetUsesFont", TSetup::Pressed, false, NoColours(), FontColour},
                      TColourCase{"DisabledUsesDisabled", TSetup::Disabled, false, AllColours(), 0x666666},
                      TColourCase{"DisabledNotSetUsesFont", TSetup::Disabled, false, NoColours(), FontColour},
                      TColourCase{"SelectedUsesSelected", TSetup::Selected, true, AllColours(), 0x444444},
                      TColourCase{"SelectedCheckedFallsToChecked", TSetup::Selected, true, OnlyChecked(), 0x555555},
                      TColourCase{"SelectedUncheckedUsesFont", TSetup::Selected, false, OnlyChecked(), FontColour},
                      TColourCase{"UpCheckedUsesChecked", TSetup::Up, true, AllColours(), 0x555555}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RdImageButton, DefaultDisabledColourIsSystemColour21) {
  TRdImageButton b;
  EXPECT_EQ(b.Colors.FontDisabledColor, 0xFF000015u);
  EXPECT_EQ(b.Colors.FontHoverColor, 0x20000000u);
}

class IconChoice : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdImageButton* B = nullptr;
  void SetUp() override {
    B = Host.Add(std::make_unique<TRdImageButton>());
    B->SetBounds(ButtonBounds);
    B->DnIcons = {u"dn-normal", u"dn-hover", u"dn-down", u"dn-selected", u"dn-disable"};
    B->UpIcons = {u"up-normal", u"", u"", u"", u""};
  }
};

TEST_F(IconChoice, DnSetFollowsIconState) {
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
}

TEST_F(IconChoice, ExpandUsesUpSetAndEmptyIconsFallBackToItsNormalIcon) {
  B->SetExpand(true);
  Host.HostMouseMove(Inside);
  EXPECT_EQ(B->ChooseIcon(), u"up-normal");
  B->SetEnabled(false);
  EXPECT_EQ(B->ChooseIcon(), u"up-normal");
}

TEST_F(IconChoice, IconIsPlacedByAlignmentAndOffset) {
  const TSize icon{16, 16};
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconOffset = 14;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(24, 12, 16, 16));
  B->IconAlign = TAlignment::taRightJustify;
  B->IconOffset = 10;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(40 - 10 - 16, 12, 16, 16));
  B->IconAlign = TAlignment::taCenter;
  B->IconAlignY = TVerticalAlignment::vaTop;
  B->IconOffsetY = 3;
  EXPECT_EQ(B->IconRect(icon), TRect::FromSize(17, 8, 16, 16));
}

TEST_F(IconChoice, CaptionKeepsTextOffsetClearOfTheIcon) {
  B->SetBounds(TRect::FromSize(0, 0, 89, 40));
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconOffset = 14;
  B->TextOffset = 6;
  const TRect icon = B->IconRect({16, 16});
  EXPECT_EQ(B->CaptionRect(icon).Left, icon.Right + 6);
  EXPECT_EQ(B->CaptionRect(TRect{}).Left, 0);  // no icon: the whole width
}

TEST_F(IconChoice, PaintDrawsStatePictureThenIconThenCaption) {
  B->Pictures.ImageNormal = u"bg";
  B->IconAlign = TAlignment::taLeftJustify;
  B->IconOffset = 2;
  B->SetCaption(u"Go");
  TRecordingCanvas canvas;
  canvas.Pictures[u"bg"] = {30, 30};
  canvas.Pictures[u"dn-normal"] = {8, 8};
  B->Paint(canvas);
  ASSERT_EQ(canvas.Calls.size(), 3u);
  EXPECT_EQ(canvas.Calls[0].Name, u"bg");
  EXPECT_EQ(canvas.Calls[1].Name, u"dn-normal");
  EXPECT_EQ(canvas.Calls[1].Rect, TRect::FromSize(12, 16, 8, 8));
  EXPECT_EQ(canvas.Calls[2].Kind, "text");
}

TEST_F(IconChoice, IconWithoutPictureIsSkipped) {
  TRecordingCanvas canvas;  // knows no pictures
  B->Paint(canvas);
  EXPECT_TRUE(canvas.Of("picture").empty());
}

TEST(RdImageButton, BusyThenNotBusyRestoresCaptionAndEnables) {
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  b->SetCaption(u"Save");
  EXPECT_TRUE(b->SetBusy(true));
  EXPECT_EQ(b->State(), TRdButtonState::Busy);
  EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(b->Caption(), u"");
  EXPECT_FALSE(b->SetBusy(true));  // a second request must not keep the cleared caption
  EXPECT_TRUE(b->SetBusy(false));
  EXPECT_EQ(b->Caption(), u"Save");
  EXPECT_TRUE(b->Enabled());
  EXPECT_EQ(b->State(), TRdButtonState::Up);
}

TEST(RdImageButton, CaptionSetWhileBusyAppearsWhenBusyEnds) {
  TRdImageButton b;
  b.SetCaption(u"Save");
  b.SetBusy(true);
  EXPECT_FALSE(b.SetCaption(u"Saved"));
  EXPECT_EQ(b.Caption(), u"");
  b.SetBusy(false);
  EXPECT_EQ(b.Caption(), u"Saved");
}

TEST(RdImageButton, BusyButtonTakesNoClicksAndNoStateChanges) {
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  b->SetBounds(ButtonBounds);
  int clicks = 0;
  b->OnClick = [&](TRdControl&) { ++clicks; };
  b->SetBusy(true);
  EXPECT_FALSE(b->SetSelected(true));
  host.HostMouseDown(Inside);
  host.HostMouseUp(Inside);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(b->State(), TRdButtonState::Busy);
}

TEST(RdImageButton, BusyShowsBusyPictureWhenItHasOne) {
  TRdImageButton b;
  b.Pictures.ImageNormal = u"normal";
  b.Pictures.ImageBusy = u"busy";
  b.SetBusy(true);
  EXPECT_EQ(b.ChoosePicture(), u"busy");
}

class MouseStates : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdImageButton* B = nullptr;
  int Clicks = 0;
  void SetUp() override {
    B = Host.Add(std::make_unique<TRdImageButton>());
    B->SetBounds(ButtonBounds);
    B->OnClick = [this](TRdControl&) { ++Clicks; };
  }
};

TEST_F(MouseStates, PressInsideGoesDownAndReleaseInsideClicksOnce) {
  Host.HostMouseMove(Inside);
  EXPECT_TRUE(B->Hover());
  Host.HostMouseDown(Inside);
  EXPECT_EQ(B->State(), TRdButtonState::Down);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(B->State(), TRdButtonState::Up);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(B->Hover());
}

TEST_F(MouseStates, PressDragOutReleaseGivesNoClick) {
  Host.HostMouseDown(Inside);
  Host.HostMouseMove(Outside);
  EXPECT_FALSE(B->Hover());
  EXPECT_EQ(B->State(), TRdButtonState::Down);
  Host.HostMouseUp(Outside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), TRdButtonState::Up);
  EXPECT_FALSE(B->Hover());
}

TEST_F(MouseStates, PressDragOutAndBackReleaseClicks) {
  Host.HostMouseDown(Inside);
  Host.HostMouseMove(Outside);
  Host.HostMouseMove(Inside);
  EXPECT_TRUE(B->Hover());
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(MouseStates, ReleaseOverAnotherControlClicksNeither) {
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
}

TEST_F(MouseStates, PressOnSelectedButtonReturnsToSelected) {
  B->SetSelected(true);
  Host.HostMouseDown(Inside);
  EXPECT_EQ(B->State(), TRdButtonState::Down);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(B->State(), TRdButtonState::Selected);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(MouseStates, DisabledButtonIgnoresPressAndHover) {
  B->SetEnabled(false);
  Host.HostMouseMove(Inside);
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_FALSE(B->Hover());
  EXPECT_EQ(B->State(), TRdButtonState::Disabled);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(MouseStates, DisabledWhilePressedGivesNoClick) {
  Host.HostMouseDown(Inside);
  B->SetEnabled(false);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), TRdButtonState::Disabled);
}

TEST_F(MouseStates, CancelledPressGivesNoClick) {
  Host.HostMouseDown(Inside);
  Host.HostCancelPress();
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(B->State(), TRdButtonState::Up);
}

TEST_F(MouseStates, EachChangeRepaintsTheButtonOnlyWhenSomethingChanged) {
  Host.Invalid.clear();
  Host.HostMouseMove(Inside);
  ASSERT_EQ(Host.Invalid.size(), 1u);
  EXPECT_EQ(Host.Invalid[0], ButtonBounds);
  Host.HostMouseMove({21, 21});  // still hovering: nothing to repaint
  EXPECT_EQ(Host.Invalid.size(), 1u);
  EXPECT_FALSE(B->SetImageNormal(u""));
  EXPECT_TRUE(B->SetImageNormal(u"images/icon_rectangle_normal.png"));
  EXPECT_FALSE(B->SetImageNormal(u"images/icon_rectangle_normal.png"));
  EXPECT_EQ(Host.Invalid.size(), 2u);
}

TEST_F(MouseStates, CheckBoxButtonTogglesCheckedOnClick) {
  B->ShowCheckBox = true;
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_TRUE(B->Checked());
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Outside);
  EXPECT_TRUE(B->Checked());
}

TEST_F(MouseStates, SelectedButtonWithIconLockTakesNoHover) {
  B->SetSelected(true);
  Host.Invalid.clear();
  Host.HostMouseMove(Inside);
  EXPECT_FALSE(B->Hover());
  EXPECT_TRUE(Host.Invalid.empty());
  EXPECT_EQ(B->ChooseIcon(), B->DnIcons.NormalIcon);
}

TEST_F(MouseStates, SelectedButtonWithoutIconLockTakesHover) {
  B->IconLockBySelected = false;
  B->SetSelected(true);
  Host.HostMouseMove(Inside);
  EXPECT_TRUE(B->Hover());
}

TEST_F(MouseStates, LockedSelectedButtonLosesHoverWhenLeftAndDeselectedLater) {
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  B->SetSelected(true);  // the click handler marks the active tool
  Host.HostMouseMove(Outside);
  B->SetSelected(false);  // another tool is chosen
  B->Pictures.ImageNormal = u"normal";
  B->Pictures.ImageOver = u"over";
  EXPECT_EQ(B->ChoosePicture(), u"normal");
}

TEST_F(MouseStates, DeselectedUnderPointerGetsHoverOnNextMove) {
  B->SetSelected(true);
  Host.HostMouseMove(Inside);
  B->SetSelected(false);
  Host.HostMouseMove({21, 21});
  EXPECT_TRUE(B->Hover());
}

TEST_F(MouseStates, ClickHandlerMayRemoveTheButton) {
  B->OnClick = [this](TRdControl& sender) { Host.Remove(&sender); };
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_TRUE(Host.Controls().empty());
  Host.HostMouseMove(Inside);
}

TEST_F(MouseStates, MouseUpHandlerRemovingTheButtonPreventsTheClick) {
  B->OnMouseUp = [this](TRdControl& sender) { Host.Remove(&sender); };
  Host.HostMouseDown(Inside);
  Host.HostMouseUp(Inside);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(MouseStates, HidingTheHoveredButtonClearsItsHover) {
  Host.HostMouseMove(Inside);
  B->SetVisible(false);
  EXPECT_FALSE(B->Hover());
  EXPECT_EQ(Host.HoverControl(), nullptr);
  EXPECT_EQ(Host.ControlAt(Inside), nullptr);
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

TEST(RdControlHost, PaintsOnlyVisibleControlsThatMeetTheDirtyArea) {
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
}

TEST(RdControlHost, HintAndPlaceChangesAreReported) {
  TRecordingHost host;
  auto* b = host.Add(std::make_unique<TRdImageButton>());
  const int before = host.ChangeCount;
  b->SetHint(u"Rectangle");
  b->SetHint(u"Rectangle");
  b->SetBounds(ButtonBounds);
  EXPECT_EQ(host.ChangeCount, before + 2);
}

}  // namespace
}  // namespace qor
