// The toolbar as the overlay builds it: its size, hints, click routing and the drawing-tool reset.
#include "capture/win/ToolbarPanel.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/win/UniqueHandle.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

TUniqueWindow Parent() {
  return TUniqueWindow(::CreateWindowExW(0, L"STATIC", L"overlay", WS_POPUP | WS_VISIBLE, 0, 0, 1800, 300, nullptr,
                                         nullptr, nullptr, nullptr));
}

TEST(ToolbarPanel, RoutesClicksShowsHintsAndResetsToolsAtBothScales) {
  TUniqueWindow parent = Parent();
  ASSERT_TRUE(parent.Get());
  for (const bool scaled : {false, true}) {
    SCOPED_TRACE(scaled ? "scaled" : "1x");
    TToolbarPanel bar(TScale::Of(scaled));
    ASSERT_TRUE(bar.Create(parent.Get()));
    EXPECT_FALSE(bar.Visible());
    const TToolbarLayout layout = LayoutToolbar(TToolbarSizes{}, false, TScale::Of(scaled));
    EXPECT_EQ(bar.Size(), (TSize{layout.Width, layout.Height}));
    EXPECT_EQ(bar.Button(TToolbarChild::btn_save_drop), nullptr);  // the drop-down is not part of this toolbar
    EXPECT_EQ(bar.Button(TToolbarChild::Btn_Rd_Rect)->Hint(), u"Rectangle");

    std::vector<TToolbarChild> clicked;
    bar.OnClick = [&](TToolbarChild child) { clicked.push_back(child); };
    bar.ShowAt({10, 20}, 1920, 1080);
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Bounds(), TRect::FromSize(10, 20, layout.Width, layout.Height));

    // A press on the caption picture over Save counts as a click on Save.
    for (TToolbarChild target : {TToolbarChild::Btn_Rd_Del, TToolbarChild::Rd_WordSave}) {
      testing::Click(bar.Panel().Handle(), testing::Centre(layout.Child(target)));
    }
    EXPECT_EQ(clicked, (std::vector<TToolbarChild>{TToolbarChild::Btn_Rd_Del, TToolbarChild::Rd_Save}));

    bar.Button(TToolbarChild::Btn_Rd_Rect)->SetSelected(true);
    bar.Button(TToolbarChild::Btn_Rd_Return)->SetEnabled(false);
    ::SendMessageW(bar.Panel().Handle(), WM_MOUSEMOVE, 0,
                   testing::At(testing::Centre(layout.Child(TToolbarChild::Btn_Rd_Ellip))));
    bar.ResetDrawingTools();
    EXPECT_EQ(bar.Button(TToolbarChild::Btn_Rd_Rect)->State(), TRdButtonState::Up);
    EXPECT_EQ(bar.Button(TToolbarChild::Btn_Rd_Return)->State(), TRdButtonState::Disabled);  // not a drawing tool
  }
}

}  // namespace
}  // namespace qor
