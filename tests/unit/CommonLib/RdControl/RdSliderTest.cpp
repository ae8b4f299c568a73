#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TRecordingCanvas;
using testing::TRecordingHost;

// The program's webcam-size slider: 100 x 20 at 1x, 2..30 in steps of 1, starting at 30.
class RdSliderTest : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdSlider* Slider = nullptr;
  int Changes = 0, Changed = 0;

  void SetUp() override {
    Slider = Host.Add(std::make_unique<TRdSlider>());
    Slider->SetBounds(TRect::FromSize(10, 0, 100, 20));
    SetQualitySliderPictures(*Slider);
    Slider->SetRange(2, 30);
    Slider->Increment = 1;
    Slider->SetValue(30);
    Slider->OnChange = [this](TRdControl&) { ++Changes; };
    Slider->OnChanged = [this](TRdControl&) { ++Changed; };
  }
  TPoint At(int32_t value) const { return {Slider->ThumbCentre(value), 10}; }
  void Press(TPoint p) { Host.HostMouseDown(p); }
  void Release(TPoint p) { Host.HostMouseUp(p); }
};

TEST_F(RdSliderTest, ValueStaysInsideTheRangeWhateverIsSet) {
  EXPECT_FALSE(Slider->SetValue(31));
  EXPECT_EQ(Slider->Value(), 30);
  EXPECT_TRUE(Slider->SetValue(-5));
  EXPECT_EQ(Slider->Value(), 2);
  Slider->SetValue(20);
  Slider->SetMaxValue(10);  // the range shrinks under the value
  EXPECT_EQ(Slider->Value(), 10);
  Slider->SetMinValue(15);  // a minimum above the maximum carries the maximum along
  EXPECT_EQ(Slider->MinValue(), 15);
  EXPECT_EQ(Slider->MaxValue(), 15);
  EXPECT_EQ(Slider->Value(), 15);
  Slider->SetRange(40, 20);  // reversed: an empty range at 40
  EXPECT_EQ(Slider->MaxValue(), 40);
  EXPECT_EQ(Slider->Value(), 40);
  EXPECT_EQ(Changes + Changed, 0) << "the program's own changes raise no events";
}

TEST_F(RdSliderTest, ThumbPositionAndPointerValueAgreeAndStayOnTheRuler) {
  const TRect ruler = Slider->RulerRect();
  EXPECT_EQ(ruler.Left, 13);  // RulerIndent 3
  EXPECT_EQ(ruler.Right, 107);
  for (int32_t v = 2; v <= 30; ++v) EXPECT_EQ(Slider->ValueAt(Slider->ThumbCentre(v)), v);
  Slider->SetValue(2);
  EXPECT_EQ(Slider->ThumbRect().Left, ruler.Left);
  Slider->SetValue(30);
  EXPECT_LE(Slider->ThumbRect().Right, ruler.Right);
  EXPECT_GE(Slider->ThumbRect().Right, ruler.Right - 1);
  EXPECT_EQ(Slider->ValueAt(-1000), 2);
  EXPECT_EQ(Slider->ValueAt(1000), 30);
}

TEST_F(RdSliderTest, ClickOnTheRulerStepsTowardTheClickOrJumpsThere) {
  Slider->SetValue(16);
  Press(At(5));
  EXPECT_EQ(Slider->Value(), 15) << "one Increment toward the click";
  EXPECT_EQ(Changed, 0) << "the move is over at the release";
  Release(At(5));
  EXPECT_EQ(Changed, 1);
  Press(At(28));
  Release(At(28));
  EXPECT_EQ(Slider->Value(), 16);

  Slider->AllowClickJump = true;
  Press(At(5));
  EXPECT_EQ(Slider->Value(), 5);
  Host.HostMouseMove(At(9));  // the thumb, now under the pointer, follows it
  EXPECT_EQ(Slider->Value(), 9);
  Release(At(9));
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Changed, 3);
}

TEST_F(RdSliderTest, DraggingTheThumbKeepsWhereItWasGrippedAndEndsWithOneChanged) {
  Slider->SetValue(10);
  const TPoint grip{Slider->ThumbCentre(10) + 3, 10};  // off the thumb's centre
  Press(grip);
  EXPECT_TRUE(Slider->Dragging());
  EXPECT_EQ(Slider->Value(), 10) << "pressing the thumb does not move it";
  Host.HostMouseMove({Slider->ThumbCentre(20) + 3, 10});
  EXPECT_EQ(Slider->Value(), 20);
  Host.HostMouseMove({500, 40});  // far outside: held at the end
  EXPECT_EQ(Slider->Value(), 30);
  Host.HostMouseMove({500, 40});
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Changed, 0);
  Release({500, 40});
  EXPECT_EQ(Changed, 1);
  EXPECT_FALSE(Slider->Dragging());
  // A press on the thumb without a move, and a drag cut short by a lost capture.
  Press(At(30));
  Release(At(30));
  EXPECT_EQ(Changed, 1);
  Press(At(30));
  Host.HostMouseMove(At(12));
  Host.HostCancelPress();
  EXPECT_EQ(Changed, 2);
  Host.HostMouseMove(At(3));
  EXPECT_EQ(Slider->Value(), 12) << "no drag after the capture went";
}

TEST_F(RdSliderTest, KeysAndWheelStepAndStopAtTheEndsWithoutEvents) {
  Press(At(30));  // focus
  Release(At(30));
  ASSERT_EQ(Host.FocusControl(), Slider);
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Right));  // used, though already at the end
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Up));
  EXPECT_EQ(Changes + Changed, 0);
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Left));
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Down));
  EXPECT_EQ(Slider->Value(), 28);
  EXPECT_EQ(Changed, 2);
  Host.HostKeyDown(TRdKey::PageDown);  // a fifth of 28, more than one Increment
  EXPECT_EQ(Slider->Value(), 23);
  Host.HostKeyDown(TRdKey::Home);
  EXPECT_EQ(Slider->Value(), 2);
  Host.HostKeyDown(TRdKey::PageDown);
  Host.HostKeyDown(TRdKey::Left);
  EXPECT_EQ(Slider->Value(), 2);
  EXPECT_EQ(Changed, 4);
  Host.HostKeyDown(TRdKey::End);
  EXPECT_EQ(Slider->Value(), 30);
  EXPECT_FALSE(Host.HostKeyDown(TRdKey::Enter)) << "keys it does not use go on";

  Changed = 0;
  EXPECT_TRUE(Host.HostMouseWheel(At(20), -3));
  EXPECT_EQ(Slider->Value(), 27);
  EXPECT_TRUE(Host.HostMouseWheel(At(20), 10));
  EXPECT_EQ(Slider->Value(), 30);
  Host.HostMouseWheel(At(20), 1);
  EXPECT_EQ(Changed, 2);
}

TEST_F(RdSliderTest, ReadOnlyAndDisabledSlidersIgnoreTheUser) {
  Slider->ReadOnly = true;
  Press(At(2));
  Host.HostMouseMove(At(2));
  Release(At(2));
  EXPECT_FALSE(Host.HostMouseWheel(At(2), -1));
  EXPECT_FALSE(Host.HostKeyDown(TRdKey::Home));
  Slider->ReadOnly = false;
  Slider->SetEnabled(false);
  Press(At(2));
  EXPECT_FALSE(Host.HostMouseWheel(At(2), -1));
  EXPECT_FALSE(Host.HostKeyDown(TRdKey::Home));
  EXPECT_EQ(Slider->Value(), 30);
  EXPECT_EQ(Changes + Changed, 0);
}

TEST_F(RdSliderTest, SelectedRulerRunsFromTheStartPastTheThumbAndTheThumbComesLast) {
  TRecordingCanvas canvas;
  canvas.Pictures[std::u16string(SliderRuler)] = {100, 4};
  Slider->SetValue(16);
  Slider->Paint(canvas);
  const auto pictures = canvas.Of("picture");
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].Name, SliderRuler);
  EXPECT_EQ(pictures[0].Rect, (TRect{13, 8, 107, 12})) << "the ruler keeps its picture's height, centred";
  EXPECT_EQ(pictures[1].Name, SliderRulerSelect);
  EXPECT_EQ(pictures[1].Rect, (TRect{13, 8, Slider->ThumbCentre(16) + 5, 12}));
  EXPECT_EQ(pictures[2].Name, SliderThumb);
  EXPECT_EQ(pictures[2].Rect, Slider->ThumbRect());
  // Near the end the selected part stops with the ruler.
  canvas.Calls.clear();
  Slider->RulerSelectAdd = 20;
  Slider->SetValue(29);
  Slider->Paint(canvas);
  EXPECT_EQ(canvas.Of("picture")[1].Rect.Right, 107);
}

}  // namespace
}  // namespace qor
