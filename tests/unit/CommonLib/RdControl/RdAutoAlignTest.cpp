#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdImageButton.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TRecordingHost;

TEST(RdAutoAlign, EachAlignmentKeepsTheGapToItsEdgeOfTheSourceWhenTheSourceMovesOrResizes) {
  const TRect source = TRect::FromSize(100, 100, 50, 20);
  const TRect moved = TRect::FromSize(10, 30, 80, 40);  // moved and resized
  const struct {
    TAlign Align;
    TRect Owner, Expected;
  } cases[] = {
      {TAlign::alNone, TRect::FromSize(160, 100, 20, 20), TRect::FromSize(70, 30, 20, 20)},
      {TAlign::alBottom, TRect::FromSize(105, 124, 30, 10), TRect::FromSize(15, 74, 30, 10)},
      {TAlign::alTop, TRect::FromSize(100, 80, 30, 18), TRect::FromSize(10, 10, 30, 18)},
      {TAlign::alRight, TRect::FromSize(152, 103, 8, 8), TRect::FromSize(92, 33, 8, 8)},
      {TAlign::alLeft, TRect::FromSize(90, 100, 6, 6), TRect::FromSize(0, 30, 6, 6)},
  };
  for (const auto& c : cases) {
    const TPoint offset = AutoAlignOffset(c.Align, c.Owner, source);
    EXPECT_EQ(AutoAlignPlace(c.Align, offset, c.Owner.Size(), source), c.Owner) << int(c.Align);
    EXPECT_EQ(AutoAlignPlace(c.Align, offset, c.Owner.Size(), moved), c.Expected) << int(c.Align);
  }
  EXPECT_EQ(AutoAlignPlace(TAlign::alClient, {}, {1, 1}, moved), moved);
}

TEST(RdAutoAlign, PaletteButtonsFollowTheFirstAlongAChainUntilTheirSourceIsRemoved) {
  TRecordingHost host;
  auto* first = host.Add(std::make_unique<TRdImageButton>());
  auto* second = host.Add(std::make_unique<TRdImageButton>());
  auto* third = host.Add(std::make_unique<TRdImageButton>());
  first->SetBounds(TRect::FromSize(200, 5, 14, 14));
  second->SetBounds(TRect::FromSize(216, 5, 14, 14));
  third->SetBounds(TRect::FromSize(232, 5, 14, 14));
  second->SetAutoAlign(first, TAlign::alNone);
  third->SetAutoAlign(second, TAlign::alNone);
  first->SetBounds(TRect::FromSize(120, 25, 14, 14));
  EXPECT_EQ(second->Bounds(), TRect::FromSize(136, 25, 14, 14));
  EXPECT_EQ(third->Bounds(), TRect::FromSize(152, 25, 14, 14));
  // Moving a follower by itself does not move its source, and a control cannot follow itself.
  third->SetBounds(TRect::FromSize(0, 0, 14, 14));
  EXPECT_EQ(second->Bounds(), TRect::FromSize(136, 25, 14, 14));
  first->SetAutoAlign(first);
  EXPECT_EQ(first->AutoAlignSource(), nullptr);
  host.Remove(second);
  EXPECT_EQ(third->AutoAlignSource(), nullptr);
  first->SetBounds(TRect::FromSize(0, 50, 14, 14));
  EXPECT_EQ(third->Bounds(), TRect::FromSize(0, 0, 14, 14));
}

TEST(RdAutoAlign, ClientAlignedBackgroundCoversItsSourceAtOnceAndAfterwards) {
  TRecordingHost host;
  auto* panelish = host.Add(std::make_unique<TRdImageButton>());
  auto* background = host.Add(std::make_unique<TRdImageButton>());
  panelish->SetBounds(TRect::FromSize(0, 0, 100, 40));
  background->SetAutoAlign(panelish, TAlign::alClient);
  EXPECT_EQ(background->Bounds(), panelish->Bounds());
  panelish->SetBounds(TRect::FromSize(0, 0, 180, 40));
  EXPECT_EQ(background->Bounds(), TRect::FromSize(0, 0, 180, 40));
}

}  // namespace
}  // namespace qor
