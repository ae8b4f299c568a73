#include "CommonLib/RdControl/RdSkinClass.h"

#include <gtest/gtest.h>

#include <memory>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "tests/unit/CommonLib/RdControl/SkinTextResources.h"

namespace qor {
namespace {

constexpr std::u16string_view SkinText =
    uR"([basecontrol]
Font.Name='Tahoma'
Font.Color=text_color.cl_text_b
Font.Height=-14
FontHoverColor=$00FF00

[toolbutton]
class=TRdImageButton
parent=basecontrol
Font.Height=-16
ImageNormal.Text='imgname=images/btn_normal.png'
ImageOver.Text='imgname=images/btn_over.png'#13#10'SkinRcc=classic2'
ImageOption.Left=4
ImageOption.Top=4
ImageOption.Right=4
ImageOption.Bottom=4
IconAlign=taLeftJustify
TextOffset=8
WordWrap=True

[caption]
parent=basecontrol
Alignment=taCenter
Font.Style=[fsBold]
Constraints.MaxWidth=120
)";

class RdSkinClassTest : public ::testing::Test {
 protected:
  TRdSkinStyles Styles;
  testing::TSkinTextResources Resources;
  std::vector<std::u16string> Traces;

  void SetUp() override {
    Resources.SetText(SkinText);
    Styles.SetResources(&Resources);
    Styles.OnTrace = [this](std::u16string_view line) { Traces.emplace_back(line); };
  }
  // Applies a class written in skin text to the control.
  void ApplyText(TRdSkinClass& skin, std::u16string_view text) {
    Resources.SetText(text);
    skin.Apply();
  }
};

TEST_F(RdSkinClassTest, AClassWithAParentChainSetsTheButtonsAndTheLabelsProperties) {
  TRdImageButton button;
  TRdSkinClass buttonSkin(button, Styles);
  buttonSkin.SetSkinClass(u"ToolButton");  // class names ignore case
  buttonSkin.Apply();
  const uint32_t textColor = SkinColorTable().IdentToColor(u"text_color.cl_text_b");
  EXPECT_EQ(button.Font.Name, u"Tahoma");
  EXPECT_EQ(button.Font.Color, textColor);
  EXPECT_EQ(button.Font.Height, 16);  // its own value over the parent's
  EXPECT_EQ(button.Colors.FontHoverColor, 0x00FF00u);
  EXPECT_EQ(button.Pictures.ImageNormal, u"images/btn_normal.png");
  EXPECT_EQ(button.Pictures.ImageOver, u"images/btn_over.png");
  EXPECT_EQ(button.ImageOption, (TRdDesignRect{4, 4, 4, 4}));
  EXPECT_EQ(button.IconAlign, TAlignment::taLeftJustify);
  EXPECT_EQ(button.TextOffset, 8);
  EXPECT_TRUE(button.WordWrap);
  // Skin pictures are marked with the skin that supplied them.
  EXPECT_EQ(buttonSkin.SkinRccOf(u"ImageNormal.Text"), u"classic");
  EXPECT_EQ(buttonSkin.SkinRccOf(u"imageover.text"), u"classic2");
  EXPECT_EQ(buttonSkin.SkinRccOf(u"ImageDown.Text"), u"");

  TRdLabel label;
  TRdSkinClass labelSkin(label, Styles);
  labelSkin.SetSkinClass(u"caption");
  labelSkin.Apply();
  EXPECT_EQ(label.Font().Name, u"Tahoma");
  EXPECT_EQ(label.Font().Color, textColor);
  EXPECT_EQ(label.Font().Height, 14);
  EXPECT_TRUE(label.Font().Bold);
  EXPECT_EQ(label.FontHoverColor, 0x00FF00u);
  EXPECT_EQ(label.Alignment(), TAlignment::taCenter);
  EXPECT_EQ(label.MaxWidth(), 120);
  EXPECT_TRUE(Traces.empty());
}

TEST_F(RdSkinClassTest, FontSizesInPointsBecomePixelHeightsAndTheLastFontLineWins) {
  TRdLabel label;
  TRdSkinClass skin(label, Styles);
  skin.SetSkinClass(u"f");
  ApplyText(skin, u"[f]\nFont.Size=9\n");
  EXPECT_EQ(label.Font().Height, 12);
  ApplyText(skin, u"[f]\nFont.Size=10\n");
  EXPECT_EQ(label.Font().Height, 13);
  ApplyText(skin, u"[f]\nFont.Size=10\nFont.Height=-20\nLayout=tlBottom\n");
  EXPECT_EQ(label.Font().Height, 20);
  EXPECT_EQ(label.Layout(), TVerticalAlignment::vaBottom);
}

TEST_F(RdSkinClassTest, IgnoreValuesKeepsTheControlsOwnValues) {
  TRdComboBox box;
  box.BackgroundOption = {2, 2, 2, 2};
  TRdSkinClass skin(box, Styles);
  skin.SetSkinClass(u"combobox");
  skin.IgnoreValues = {u"backgroundoption.left", u"BackgroundOption.Right"};
  ApplyText(skin,
            u"[combobox]\nBackgroundOption.Left=9\nBackgroundOption.Top=9\nBackgroundOption.Right=9\n"
            u"BackgroundOption.Bottom=9\nItemHeight=30\nBackground.Text='imgname=images/combo.png'\n");
  EXPECT_EQ(box.BackgroundOption, (TRdDesignRect{2, 9, 2, 9}));
  EXPECT_EQ(box.ItemHeight, 30);
  EXPECT_EQ(box.Pictures.Background, u"images/combo.png");
  // An ignored picture is neither set nor cleared.
  skin.IgnoreValues = {u"Background.Text"};
  box.Pictures.Background = u"own.png";
  ApplyText(skin, u"[combobox]\nBackground.Text='imgname=images/other.png'\n");
  EXPECT_EQ(box.Pictures.Background, u"own.png");
}

TEST_F(RdSkinClassTest, NamesTheControlDoesNotHaveAreSkippedQuietly) {
  TRdLabel label;
  TRdSkinClass skin(label, Styles);
  skin.SetSkinClass(u"c");
  ApplyText(skin,
            u"[c]\nclass=TRdLabel\nNoSuchProp=1\nFont.Nope=3\nIconOffset=5\nCaption='x'\n"
            u"ImageNormal.Text='imgname=a.png'\nWordWrap=True\n");
  EXPECT_TRUE(label.WordWrap());    // the lines after the unknown ones still count
  EXPECT_EQ(label.Caption(), u"");  // not a skin property
  EXPECT_TRUE(Traces.empty());
  EXPECT_EQ(skin.SkinValues().Count(), 7);
  // A control kind without a table takes nothing.
  TRdSlider slider;
  EXPECT_EQ(FindRdSkinProperty(slider, u"WordWrap"), nullptr);
  EXPECT_NE(FindRdSkinProperty(slider, u"rulerindent"), nullptr);
}

TEST_F(RdSkinClassTest, MalformedValuesKeepTheStoredValue) {
  TRdImageButton button;
  button.TextOffset = 3;
  button.IconAlign = TAlignment::taCenter;
  button.WordWrap = true;
  button.Colors.FontHoverColor = 0x123456;
  button.Font.Bold = true;
  button.ImageOption = {1, 1, 1, 1};
  button.SetBounds(TRect::FromSize(0, 0, 30, 20));
  TRdSkinClass skin(button, Styles);
  skin.SetSkinClass(u"bad");
  ApplyText(skin,
            u"[bad]\nTextOffset=abc\nIconAlign=taMiddle\nWordWrap=maybe\nFontHoverColor='quoted'\n"
            u"Font.Style=[fsBold, fsWide]\nImageOption.Left=[x]\nWidth=$ZZ\nImageNormal.Text='no name here'\n"
            u"ImageDown.Text='imgname='\nIconOffset=$10\nFontDownColor=4 5\n");
  EXPECT_EQ(button.TextOffset, 3);
  EXPECT_EQ(button.IconAlign, TAlignment::taCenter);
  EXPECT_TRUE(button.WordWrap);
  EXPECT_EQ(button.Colors.FontHoverColor, 0x123456u);
  EXPECT_TRUE(button.Font.Bold);
  EXPECT_EQ(button.ImageOption.Left, 1);
  EXPECT_EQ(button.Bounds().Width(), 30);
  EXPECT_EQ(button.Colors.FontDownColor, ColorNotSet);
  EXPECT_EQ(button.Pictures.ImageNormal, u"no name here");  // a value without "=" is a bare picture name
  EXPECT_EQ(button.Pictures.ImageDown, u"");
  EXPECT_EQ(button.IconOffset, 16);  // the good line among them
  EXPECT_EQ(Traces, (std::vector<std::u16string>{u"Invalid Ident value: taMiddle", u"Invalid Ident value: maybe",
                                                 u"Invalid Ident value: fsWide"}));
}

TEST_F(RdSkinClassTest, SkinPicturesReplaceOnlySkinPicturesUnlessForcedAndGoWhenTheNextSkinHasNone) {
  TRdImageButton button;
  button.Pictures.ImageNormal = u"design_normal.png";
  button.Pictures.ImageDown = u"design_down.png";
  TRdSkinClass skin(button, Styles);
  skin.SetSkinClass(u"b");
  ApplyText(skin, u"[b]\nImageNormal.Text='imgname=skin_normal.png'\nImageOver.Text='imgname=skin_over.png'\n");
  EXPECT_EQ(button.Pictures.ImageNormal, u"design_normal.png");  // the design's own picture stays
  EXPECT_EQ(button.Pictures.ImageOver, u"skin_over.png");
  // The next skin gives no "over" picture: the old skin's goes, the design's own pictures stay.
  ApplyText(skin, u"[b]\nImageSelected.Text='imgname=skin_selected.png'\n");
  EXPECT_EQ(button.Pictures.ImageOver, u"");
  EXPECT_EQ(skin.SkinRccOf(u"ImageOver.Text"), u"");
  EXPECT_EQ(button.Pictures.ImageSelected, u"skin_selected.png");
  EXPECT_EQ(button.Pictures.ImageDown, u"design_down.png");
  skin.ForceUseSkinPic = true;
  ApplyText(skin, u"[b]\nImageNormal.Text='imgname=skin_normal.png'\n");
  EXPECT_EQ(button.Pictures.ImageNormal, u"skin_normal.png");
  skin.ClearOwnerPic = true;
  ApplyText(skin, u"[b]\nImageNormal.Text='imgname=skin_normal.png'\n");
  EXPECT_EQ(button.Pictures.ImageDown, u"");
  EXPECT_EQ(button.Pictures.ImageNormal, u"skin_normal.png");
}

TEST_F(RdSkinClassTest, AMissingClassOrNoResourcesLeaveTheControlAsItIs) {
  TRdImageButton button;
  button.TextOffset = 3;
  TRdSkinClass skin(button, Styles);
  skin.SetSkinClass(u"nothere");
  skin.Apply();
  EXPECT_EQ(button.TextOffset, 3);
  skin.SetSkinClass(u"toolbutton");
  Styles.SetResources(nullptr);
  skin.Apply();
  EXPECT_EQ(button.TextOffset, 3);
}

TEST_F(RdSkinClassTest, ReskinAppliesEveryRegisteredClassAgainThenTellsTheWindows) {
  auto first = std::make_unique<TRdImageButton>();
  TRdLabel second;
  auto firstSkin = std::make_unique<TRdSkinClass>(*first, Styles);
  TRdSkinClass secondSkin(second, Styles);
  firstSkin->SetSkinClass(u"toolbutton");
  secondSkin.SetSkinClass(u"caption");
  EXPECT_EQ(Styles.SkinClasses().size(), 2u);
  std::vector<uint32_t> broadcasts;
  Styles.OnWindowBroadcast = [&](uint32_t flags) {
    broadcasts.push_back(flags);
    EXPECT_EQ(second.Alignment(), TAlignment::taCenter);  // classes are applied before the windows hear of it
  };
  Styles.Reskin();
  EXPECT_EQ(first->TextOffset, 8);
  EXPECT_EQ(broadcasts, (std::vector<uint32_t>{RdReskinRedrawFull}));
  // A skin class that goes is no longer applied.
  firstSkin.reset();
  first.reset();
  EXPECT_EQ(Styles.SkinClasses(), (std::vector<TRdSkinClass*>{&secondSkin}));
  Styles.Reskin(RdReskinRedrawErase);
  EXPECT_EQ(broadcasts.back(), RdReskinRedrawErase);
}

TEST_F(RdSkinClassTest, ChangingTheDrawOptionsRepaintsTheOwner) {
  struct THost : TRdControlHost {
    int Repaints = 0;
    void InvalidateRect(const TRect&) override { ++Repaints; }
  } host;
  auto* label = host.Add(std::make_unique<TRdLabel>());
  label->SetBounds(TRect::FromSize(0, 0, 10, 10));
  TRdSkinClass skin(*label, Styles);
  const int before = host.Repaints;
  skin.SetDraw(skin.Draw());
  EXPECT_EQ(host.Repaints, before);
  TRdSkinClassDraw gray;
  gray.DrawGray = true;
  skin.SetDraw(gray);
  EXPECT_EQ(host.Repaints, before + 1);
}

}  // namespace
}  // namespace qor
