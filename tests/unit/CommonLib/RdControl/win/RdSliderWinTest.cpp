#include <windows.h>

#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

using testing::At;
using testing::Render;

using testing::TKeyCountingParentBase;

// The webcam-size slider on a dark panel, at 1x or 2x.
class RdSliderWinTest : public ::testing::TestWithParam<int> {
 protected:
  TFormOf<TKeyCountingParentBase> Parent;
  std::unique_ptr<TRdPlainPictureSource> Pictures;
  std::unique_ptr<TRdPanel> Panel;
  TRdSlider* Slider = nullptr;
  int Changed = 0;
  int K = 1;

  void SetUp() override {
    K = GetParam();
    ASSERT_TRUE(Parent.Create());
    ::ShowWindow(Parent.Handle(), SW_SHOWNA);
    Pictures = std::make_unique<TRdPlainPictureSource>(TScale::Of(K == 2));
    Panel = std::make_unique<TFormOf<TRdPanel>>(Pictures.get());
    ASSERT_TRUE(Panel->Create(Parent.Handle(), TRect::FromSize(0, 0, 140 * K, 30 * K)));
    Slider = Panel->Add(std::make_unique<TRdSlider>());
    Slider->SetBounds(TRect::FromSize(10 * K, 5 * K, 100 * K, 20 * K));
    SetQualitySliderPictures(*Slider, 3 * K, 5 * K);
    Slider->SetRange(2, 30);
    Slider->Increment = 1;
    Slider->SetValue(30);
    Slider->OnChanged = [this](TRdControl&) { ++Changed; };
  }
  void Send(UINT message, TPoint p, WPARAM keys = 0) { ::SendMessageW(Panel->Handle(), message, keys, At(p)); }
  void Key(WPARAM vk) { ::SendMessageW(::GetFocus(), WM_KEYDOWN, vk, 1); }
  void Wheel(TPoint p, int delta) {
    POINT screen{p.X, p.Y};
    ::ClientToScreen(Panel->Handle(), &screen);
    ::SendMessageW(Panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
  }
  TBgra PixelAt(TPoint p) {
    TDibImage image;
    EXPECT_TRUE(Render(*Panel, image));
    return image.View().At(p.X, p.Y);
  }
};

TEST_P(RdSliderWinTest, DrawsABlueSelectedTrackGreyRestAndWhiteThumbOnTheDarkPanel) {
  Slider->SetValue(16);
  const int32_t y = Slider->Bounds().Top + Slider->Bounds().Height() / 2;
  const TRect thumb = Slider->ThumbRect();
  const TBgra left = PixelAt({(Slider->RulerRect().Left + thumb.Left) / 2, y});
  const TBgra right = PixelAt({(thumb.Right + Slider->RulerRect().Right) / 2, y});
  const TBgra centre = PixelAt({(thumb.Left + thumb.Right) / 2, y});
  const TBgra above = PixelAt({(Slider->RulerRect().Left + thumb.Left) / 2, Slider->Bounds().Top + 2 * K});
  EXPECT_TRUE(testing::SameRgb(left, BgraFromColorRef(AccentColor)));
  EXPECT_TRUE(testing::SameRgb(right, BgraFromColorRef(PlainSliderTrackColor)));
  EXPECT_TRUE(testing::SameRgb(centre, BgraFromColorRef(0xFFFFFF)));
  EXPECT_TRUE(testing::SameRgb(above, BgraFromColorRef(DarkPanelColor))) << "the track is slim";
}

TEST_P(RdSliderWinTest, MouseDragKeysAndWheelMoveTheValueThroughThePanel) {
  const int32_t y = 15 * K;
  Send(WM_MOUSEMOVE, {Slider->ThumbCentre(30), y});
  Send(WM_LBUTTONDOWN, {Slider->ThumbCentre(30), y}, MK_LBUTTON);
  EXPECT_EQ(::GetCapture(), Panel->Handle());
  EXPECT_EQ(::GetFocus(), Panel->Handle()) << "a press on the slider gives the panel the keys";
  Send(WM_MOUSEMOVE, {Slider->ThumbCentre(10), y}, MK_LBUTTON);
  Send(WM_LBUTTONUP, {Slider->ThumbCentre(10), y});
  EXPECT_EQ(Slider->Value(), 10);
  EXPECT_EQ(Changed, 1);

  Key(VK_RIGHT);
  Key(VK_UP);
  EXPECT_EQ(Slider->Value(), 12);
  Key(VK_HOME);
  Key(VK_LEFT);
  EXPECT_EQ(Slider->Value(), 2);
  Key(VK_END);
  EXPECT_EQ(Slider->Value(), 30);
  EXPECT_EQ(Parent.KeysPassedOn, 0);
  Key(VK_ESCAPE);
  EXPECT_EQ(Parent.KeysPassedOn, 1) << "Esc is the window's, not the slider's";

  Wheel({Slider->ThumbCentre(20), y}, -2 * WHEEL_DELTA);
  EXPECT_EQ(Slider->Value(), 28);
  Wheel({Slider->ThumbCentre(20), y}, WHEEL_DELTA / 2);  // half notches add up
  EXPECT_EQ(Slider->Value(), 28);
  Wheel({Slider->ThumbCentre(20), y}, WHEEL_DELTA / 2);
  EXPECT_EQ(Slider->Value(), 29);
}

TEST_P(RdSliderWinTest, AClickBesideTheThumbStepsOnceAndRepaintsTheThumbThere) {
  const int32_t y = 15 * K;
  const TRect before = Slider->ThumbRect();
  testing::Click(Panel->Handle(), {Slider->RulerRect().Left + 2 * K, y});
  EXPECT_EQ(Slider->Value(), 29);
  EXPECT_EQ(Changed, 1);
  TDibImage image;
  ASSERT_TRUE(Render(*Panel, image));
  const TRect after = Slider->ThumbRect();
  EXPECT_LT(after.Left, before.Left);
  EXPECT_TRUE(testing::SameRgb(image.View().At((after.Left + after.Right) / 2, y), BgraFromColorRef(0xFFFFFF)));
}

INSTANTIATE_TEST_SUITE_P(Scales, RdSliderWinTest, ::testing::Values(1, 2));

}  // namespace
}  // namespace qor
