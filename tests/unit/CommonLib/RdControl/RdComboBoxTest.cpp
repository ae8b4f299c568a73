#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TRecordingCanvas;

// A host whose list window only records what the box asks of it.
class TListRecord : public TRdDropDownList {
 public:
  explicit TListRecord(int& shown) : FShown(shown) {}
  void Show(const TRect&, TSize) override { ++FShown; }
  void Hide() override {}
  void Refresh() override {}

 private:
  int& FShown;
};

class TListHost : public testing::TRecordingHost {
 public:
  int Shown = 0;
  std::unique_ptr<TRdDropDownList> CreateDropDownList(TRdComboBox&) override {
    return std::make_unique<TListRecord>(Shown);
  }
};

const std::vector<std::u16string> FontSizes = {u"8",  u"9",  u"10", u"11", u"12", u"14", u"16", u"18",
                                               u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"};

// The text tool's font-size box: 64 x 36 at 1x, items of 24 pixels, "12" chosen.
class RdComboBoxTest : public ::testing::Test {
 protected:
  TListHost Host;
  TRdComboBox* Box = nullptr;
  std::vector<std::u16string> Selected;  // Text() at each OnSelect
  const TRect Bounds = TRect::FromSize(20, 2, 64, 36);
  const TPoint OnBox{50, 20};

  void SetUp() override {
    Box = Host.Add(std::make_unique<TRdComboBox>());
    Box->SetBounds(Bounds);
    SetComboBoxPictures(*Box);
    Box->SetItems(FontSizes);
    Box->SetItemIndex(4);
    Box->OnSelect = [this](TRdControl& c) { Selected.push_back(static_cast<TRdComboBox&>(c).Text()); };
  }
  void Open() {
    Host.HostMouseDown(OnBox);
    Host.HostMouseUp(OnBox);
    ASSERT_TRUE(Box->DroppedDown());
  }
  TPoint RowOf(int32_t index) const {
    const TRect r = Box->List().ItemRect(index);
    return {r.Left + 10, r.Top + r.Height() / 2};
  }
};

TEST_F(RdComboBoxTest, ClosedBoxShowsTheChosenItemIndentedClearOfTheArrow) {
  TRecordingCanvas canvas;
  Box->Paint(canvas);
  const auto texts = canvas.Of("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Name, u"12");
  EXPECT_EQ(texts[0].Rect, (TRect{25, 2, 60, 38})) << "TextOffX 5 from the left, the arrow's 24 pixels kept clear";
  EXPECT_EQ(canvas.Of("picture")[0].Name, ComboBoxPictureName(u"normal"));
  EXPECT_EQ(Box->Text(), u"12");
  Box->SetItemIndex(16);  // no item 16: nothing chosen
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_TRUE(Box->SetText(u"36"));
  EXPECT_EQ(Box->ItemIndex(), 13);
  EXPECT_FALSE(Box->SetText(u"13"));
  EXPECT_EQ(Box->Text(), u"");
  EXPECT_TRUE(Selected.empty()) << "the program's own choices raise no OnSelect";
}

TEST_F(RdComboBoxTest, WithoutAChosenItemTheHintShowsInItsColourAndAFixedBoxHeightIsCentred) {
  Box->TextHint = u"Size";
  Box->SetItemIndex(-1);
  TRecordingCanvas canvas;
  Box->Paint(canvas);
  ASSERT_EQ(canvas.Of("text").size(), 1u);
  EXPECT_EQ(canvas.Of("text")[0].Name, u"Size");
  EXPECT_EQ(canvas.Of("text")[0].Color, 0x808080u);
  Box->SetEnabled(false);  // disabled beats the hint's colour
  TRecordingCanvas disabled;
  Box->Paint(disabled);
  EXPECT_EQ(disabled.Of("text")[0].Color, clGrayText);
  Box->SetEnabled(true);
  Box->SetItemIndex(4);
  Box->ComboboxHeight = 24;
  TRecordingCanvas fixed;
  Box->Paint(fixed);
  EXPECT_EQ(fixed.Of("picture")[0].Rect, (TRect{20, 8, 84, 32}));
  EXPECT_EQ(fixed.Of("text")[0].Rect, (TRect{25, 8, 68, 32})) << "the arrow's part follows the box's height";
  Box->ComboboxHeight = 50;  // taller than the bounds: the bounds
  EXPECT_EQ(Box->BoxRect(), Bounds);
}

TEST_F(RdComboBoxTest, BackgroundFollowsHoverPressFocusAndDisable) {
  Host.HostMouseMove(OnBox);
  EXPECT_EQ(Box->ChoosePicture(), ComboBoxPictureName(u"hot"));
  Host.HostMouseDown(OnBox);
  EXPECT_EQ(Box->ChoosePicture(), ComboBoxPictureName(u"press")) << "open";
  Box->CloseUp();
  Host.HostMouseLeave();
  EXPECT_EQ(Box->ChoosePicture(), ComboBoxPictureName(u"focus"));
  Box->SetEnabled(false);
  EXPECT_EQ(Box->ChoosePicture(), ComboBoxPictureName(u"disable"));
  Box->Pictures.BackgroundDisable.clear();
  EXPECT_EQ(Box->ChoosePicture(), ComboBoxPictureName(u"normal"));
}

TEST_F(RdComboBoxTest, ClosedKeysPickTheItemDirectlyAndStopAtTheEnds) {
  Host.SetFocusControl(Box);
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Down));
  EXPECT_EQ(Box->Text(), u"14");
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::End));
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Down));
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::PageDown));
  EXPECT_EQ(Box->Text(), u"72");
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::PageUp));
  EXPECT_EQ(Box->Text(), u"20") << "a page is the open list's rows less one";
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Home));
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Up));
  EXPECT_EQ(Box->Text(), u"8");
  EXPECT_EQ(Selected, (std::vector<std::u16string>{u"14", u"72", u"20", u"8"})) << "no OnSelect at the ends";
  EXPECT_FALSE(Host.HostKeyDown(TRdKey::Escape)) << "closed, Esc belongs to the window";
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::F4));
  EXPECT_TRUE(Box->DroppedDown());
}

TEST_F(RdComboBoxTest, OpenListStartsOnTheChosenItemAndKeysMoveItKeepingItInView) {
  Open();
  EXPECT_EQ(Host.Shown, 1);
  const TRdComboList& list = Box->List();
  EXPECT_EQ(list.Rows(), 8);
  EXPECT_EQ(list.Size(), (TSize{64, 8 * 24 + 2}));
  EXPECT_EQ(list.Hot(), 4);
  EXPECT_FALSE(list.ItemRect(4).IsEmpty());
  for (int i = 0; i < 20; ++i) Host.HostKeyDown(TRdKey::Down);
  EXPECT_EQ(list.Hot(), 15);
  EXPECT_EQ(list.Top(), 8) << "the last item shows in the last row";
  Host.HostKeyDown(TRdKey::PageUp);
  EXPECT_EQ(list.Hot(), 8);
  Host.HostKeyDown(TRdKey::PageUp);
  EXPECT_EQ(list.Hot(), 1);
  EXPECT_EQ(list.Top(), 1);
  Host.HostKeyDown(TRdKey::Home);
  Host.HostKeyDown(TRdKey::Up);
  EXPECT_EQ(list.Hot(), 0);
  EXPECT_EQ(list.Top(), 0);
  Host.HostKeyDown(TRdKey::End);
  EXPECT_FALSE(list.ItemRect(15).IsEmpty());
  EXPECT_TRUE(Selected.empty()) << "moving in the open list chooses nothing";
  EXPECT_EQ(Box->Text(), u"12");
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Enter));
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Selected, std::vector<std::u16string>{u"72"});
}

TEST_F(RdComboBoxTest, EscapeAndAPressOutsideCloseWithoutChoosing) {
  Open();
  Host.HostKeyDown(TRdKey::Down);
  EXPECT_TRUE(Host.HostKeyDown(TRdKey::Escape));
  EXPECT_FALSE(Box->DroppedDown());
  Open();
  Box->ListMouseMove(RowOf(6));
  Box->ListMouseDown({200, 5});  // beside the list
  EXPECT_FALSE(Box->DroppedDown());
  Box->ListMouseUp(RowOf(6));
  EXPECT_EQ(Box->Text(), u"12");
  EXPECT_TRUE(Selected.empty());
  EXPECT_EQ(Host.Shown, 2) << "the box reuses its list window";
}

TEST_F(RdComboBoxTest, AClickOnAnItemChoosesItAndClosesAReleaseElsewhereDoesNot) {
  Open();
  Box->ListMouseMove(RowOf(6));
  EXPECT_EQ(Box->List().Hot(), 6);
  Box->ListMouseDown(RowOf(6));
  Box->ListMouseUp(RowOf(6));
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Selected, std::vector<std::u16string>{u"16"});
  EXPECT_EQ(Box->ItemIndex(), 6);
  // A press on the scroll bar released over an item chooses nothing.
  Open();
  const TRect track = Box->List().TrackRect();
  Box->ListMouseDown({track.Left + 2, track.Bottom - 2});
  Box->ListMouseUp(RowOf(Box->List().Top()));
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Selected.size(), 1u);
}

TEST_F(RdComboBoxTest, ScrollBarThumbDragWheelAndTrackPagesOverAFontNameList) {
  std::vector<std::u16string> fonts;
  for (int i = 0; i < 300; ++i) fonts.push_back(u"Font " + std::u16string(1, char16_t(u'A' + i % 26)));
  Box->SetItems(fonts);
  Box->SetItemIndex(150);
  Open();
  const TRdComboList& list = Box->List();
  EXPECT_GE(150, list.Top());
  EXPECT_LT(150, list.Top() + list.Rows());
  EXPECT_EQ(list.ThumbRect().Height(), 16) << "a thumb of at least MinThumbHeight";
  const TRect track = list.TrackRect();
  EXPECT_EQ(track.Left, 64 - 1 - 10);
  EXPECT_TRUE(list.ItemRect(list.Top()).Right <= track.Left);
  EXPECT_EQ(list.ItemAt({track.Left + 1, track.Top + 5}), -1) << "the scroll bar is no item";

  TRect thumb = list.ThumbRect();
  Box->ListMouseDown({thumb.Left + 2, thumb.Top + 3});
  Box->ListMouseMove({thumb.Left + 2, track.Top + 3});
  EXPECT_EQ(list.Top(), 0);
  Box->ListMouseMove({thumb.Left + 2, track.Bottom + 50});
  EXPECT_EQ(list.Top(), 292);
  EXPECT_EQ(list.ThumbRect().Bottom, track.Bottom);
  Box->ListMouseUp({thumb.Left + 2, track.Bottom + 50});
  EXPECT_TRUE(Box->DroppedDown());

  Host.HostMouseWheel(OnBox, 2);
  EXPECT_EQ(list.Top(), 286);
  Box->ListMouseDown({track.Left + 2, track.Top + 2});  // on the track above the thumb: a page up
  Box->ListMouseUp({track.Left + 2, track.Top + 2});
  EXPECT_EQ(list.Top(), 278);
  Host.HostMouseWheel(OnBox, -100);
  EXPECT_EQ(list.Top(), 292);
  EXPECT_TRUE(Selected.empty());
}

TEST_F(RdComboBoxTest, ListPaintsTheHotRowInItsColoursInsideTheBorder) {
  Box->ItemColor = 0xCCCCCC;
  Open();
  Box->ListMouseMove(RowOf(5));
  TRecordingCanvas canvas;
  Box->PaintList(canvas);
  const auto frames = canvas.Of("frame");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Color, 0x333333u);
  EXPECT_EQ(frames[0].Rect, TRect::FromSize(0, 0, 64, 194));
  const auto fills = canvas.Of("fill");
  ASSERT_GE(fills.size(), 2u);
  EXPECT_EQ(fills[1].Color, 30763u);
  EXPECT_EQ(fills[1].Rect, Box->List().ItemRect(5));
  const auto texts = canvas.Of("text");
  ASSERT_EQ(texts.size(), 8u);
  for (const auto& t : texts) {
    const bool hot = t.Name == u"14";
    EXPECT_EQ(t.Color, hot ? 0xFFFFFFu : 0xCCCCCCu) << std::string(t.Name.begin(), t.Name.end());
    EXPECT_EQ(t.Rect.Left, 1 + 5);
  }
}

TEST_F(RdComboBoxTest, WithoutAListWindowOrItemsTheBoxStaysClosed) {
  testing::TRecordingHost plain;
  auto* box = plain.Add(std::make_unique<TRdComboBox>());
  box->SetBounds(Bounds);
  box->SetItems(FontSizes);
  box->DropDown();
  EXPECT_FALSE(box->DroppedDown());
  Box->SetItems({});
  Box->DropDown();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
}

}  // namespace
}  // namespace qor
