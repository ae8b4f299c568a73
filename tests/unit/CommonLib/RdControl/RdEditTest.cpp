#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdEdit.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TCellMeasurer;
using testing::TRecordingCanvas;
using testing::TRecordingHost;

// A peer that counts what the field tells it.
struct TCountingPeer : TRdEditPeer {
  int Changes = 0, FocusRequests = 0, Destroyed = 0;
  void EditChanged() override { ++Changes; }
  void FocusRequested() override { ++FocusRequests; }
  void EditDestroyed() override { ++Destroyed; }
};

class RdEditTest : public ::testing::Test {
 protected:
  TRecordingHost Host;
  TRdEdit* Edit = Host.Add(std::make_unique<TRdEdit>());
  void SetUp() override {
    Edit->SetBounds(TRect::FromSize(10, 40, 200, 24));
    Edit->Pictures = {u"normal", u"over", u"focus", u"disabled", u"error", u"empty"};
    Edit->SetText(u"C:\\Pictures");
  }
};

TEST_F(RdEditTest, FramePictureFollowsTheStateFirstMatchWinsAndFallsBackToNormal) {
  EXPECT_EQ(Edit->ChooseFrame(), u"normal");
  Host.HostMouseMove({20, 50});  // over the frame
  EXPECT_EQ(Edit->ChooseFrame(), u"over");
  Host.HostMouseLeave();
  Edit->SetWindowHot(true);  // over the edit window inside
  EXPECT_EQ(Edit->ChooseFrame(), u"over");
  Edit->SetEditing(true);
  EXPECT_EQ(Edit->ChooseFrame(), u"focus");  // focus beats hot
  Edit->SetErrorMode(true);
  EXPECT_EQ(Edit->ChooseFrame(), u"error");
  Edit->SetEnabled(false);
  EXPECT_EQ(Edit->ChooseFrame(), u"disabled");
  EXPECT_FALSE(Edit->Editing());  // a disabled field has no focus
  Edit->SetEnabled(true);
  Edit->SetErrorMode(false);
  Edit->SetWindowHot(false);
  Edit->SetText(u"");
  EXPECT_EQ(Edit->ChooseFrame(), u"empty");
  Edit->Pictures.ImageEmpty.clear();
  Edit->Pictures.ImageOver.clear();
  EXPECT_EQ(Edit->ChooseFrame(), u"normal");
  Edit->SetWindowHot(true);
  EXPECT_EQ(Edit->ChooseFrame(), u"normal");
}

TEST_F(RdEditTest, TextColourIsTheErrorOrDisabledFontsAndTheHintIsGreyWhileEmpty) {
  Edit->FontNormal.Color = 0xE6E6E6;
  EXPECT_EQ(Edit->ChooseTextColor(), 0xE6E6E6u);
  Edit->SetErrorMode(true);
  EXPECT_EQ(Edit->ChooseTextColor(), 13421772u);
  Edit->SetEnabled(false);
  EXPECT_EQ(Edit->ChooseTextColor(), clGrayText);
  Edit->SetEnabled(true);
  Edit->SetErrorMode(false);
  Edit->TextHint = u"Choose a folder";
  Edit->SetText(u"");
  TRecordingCanvas canvas;
  Edit->Paint(canvas);
  ASSERT_EQ(canvas.Of("text").size(), 1u);
  EXPECT_EQ(canvas.Of("text")[0].Name, u"Choose a folder");
  EXPECT_EQ(canvas.Of("text")[0].Color, 0x808080u);
  Edit->SetEditing(true);  // typing: no hint
  TRecordingCanvas typing;
  Edit->Paint(typing);
  EXPECT_TRUE(typing.Of("text").empty());
}

TEST_F(RdEditTest, TextKeepsItsMarginsInsideTheBorderCentredOnTheHeight) {
  Edit->TextLeftMargin = 5;
  Edit->TextRightMargin = 3;
  Edit->BorderWidth = 1;
  EXPECT_EQ(Edit->TextRect(16), (TRect{10 + 1 + 5, 40 + 4, 210 - 1 - 3, 40 + 4 + 16}));
  EXPECT_EQ(Edit->TextRect(40), (TRect{16, 41, 206, 63}));  // a taller line is cut to the inside
  Edit->TextLeftMargin = 150;
  Edit->TextRightMargin = 60;
  EXPECT_TRUE(Edit->TextRect(16).IsEmpty());
  // Without a frame picture: the colour inside and a line per border pixel; the text in its rectangle.
  Edit->TextLeftMargin = 5;
  Edit->TextRightMargin = 0;
  Edit->Pictures = {};
  Edit->Color = 0x1C1C1C;
  Edit->BorderColor = 0x5A5A5A;
  Edit->BorderWidth = 2;
  TRecordingCanvas canvas;
  Edit->Paint(canvas);
  ASSERT_EQ(canvas.Of("fill").size(), 1u);
  ASSERT_EQ(canvas.Of("frame").size(), 2u);
  EXPECT_EQ(canvas.Of("frame")[1].Rect, Edit->Bounds().Inflate(-1, -1));
  ASSERT_EQ(canvas.Of("text").size(), 1u);
  EXPECT_EQ(canvas.Of("text")[0].Rect, Edit->TextRect(TCellMeasurer::LineHeight));
}

TEST_F(RdEditTest, ThePeerHearsOfEveryChangeShowsTheTextItselfAndOutlivesOrPrecedesTheField) {
  TCountingPeer peer;
  Edit->SetPeer(&peer);
  int changes = 0;
  Edit->OnChange = [&](TRdControl&) { ++changes; };
  Edit->SetText(u"D:\\Shots");
  Edit->SetText(u"D:\\Shots");  // unchanged: nothing
  Edit->SetBounds(TRect::FromSize(0, 0, 100, 24));
  Edit->SetVisible(false);
  Edit->SetEnabled(false);
  Edit->SetErrorMode(true);
  EXPECT_EQ(peer.Changes, 5);
  EXPECT_EQ(changes, 1);
  TRecordingCanvas canvas;
  Edit->Paint(canvas);
  EXPECT_TRUE(canvas.Of("text").empty());  // the peer's window shows it
  Edit->SetVisible(true);
  Edit->SetEnabled(true);
  Host.HostMouseDown({5, 5});  // a press on the frame hands the keyboard to the window
  Host.HostMouseUp({5, 5});
  EXPECT_EQ(peer.FocusRequests, 1);
  Host.Remove(Edit);
  EXPECT_EQ(peer.Destroyed, 1);
}

}  // namespace
}  // namespace qor
