#include "capture/win/ToolbarPanel.h"

#include "CommonLib/RdControl/RdPictureNames.h"
#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "capture/Hints.h"
#include "capture/ToolbarWords.h"

namespace qor {

namespace {

struct TToolButton {
  TToolbarChild Child;
  std::u16string_view Component;
  std::u16string_view Picture;
};

constexpr TToolButton ToolButtons[] = {
    {TToolbarChild::Btn_Rd_Rect, u"Btn_Rd_Rect", u"rectangle"},
    {TToolbarChild::Btn_Rd_Ellip, u"Btn_Rd_Ellip", u"ellipse"},
    {TToolbarChild::Btn_Rd_Line, u"Btn_Rd_Line", u"line"},
    {TToolbarChild::Btn_Rd_Arrow, u"Btn_Rd_Arrow", u"arrow"},
    {TToolbarChild::Btn_Rd_Brush, u"Btn_Rd_Brush", u"brush"},
    {TToolbarChild::Btn_Rd_Masaic, u"Btn_Rd_Masaic", u"mosaic"},
    {TToolbarChild::Btn_Rd_Font, u"Btn_Rd_Font", u"text"},
    {TToolbarChild::Btn_Rd_Return, u"Btn_Rd_Return", u"undo"},
    {TToolbarChild::Btn_Rd_Del, u"Btn_Rd_Del", u"delete"},
    {TToolbarChild::Btn_Rd_ScrollWins, u"Btn_Rd_ScrollWins", u"scroll"},
    {TToolbarChild::Btn_Rd_Pinned, u"Btn_Rd_Pinned", u"pin"},
};

}  // namespace

TToolbarPanel::TToolbarPanel(TScale scale, bool saveDropVisible)
    : FScale(scale),
      FLayout(LayoutToolbar(TToolbarSizes{}, saveDropVisible, scale)),
      FPictures(scale),
      FPanel(&FPictures) {}

bool TToolbarPanel::Create(HWND overlay) {
  // The captions of Copy and Save in the overlay's language; a long one widens its button.
  const TLanguage& language = AppLanguage();
  const std::u16string copyWord = ControlText(language, WindowSection::Monitor, u"Rd_WordCopy.Caption", DesignWordCopy);
  const std::u16string saveWord = ControlText(language, WindowSection::Monitor, u"Rd_WordSave.Caption", DesignWordSave);
  // Measured on a panel of its own: the toolbar's panel is set up exactly as without translated captions.
  TFormOf<TRdPanel> measuring;
  TToolbarSizes sizes;
  sizes.WordCopy.Width =
      std::max(sizes.WordCopy.Width, WordCaptionWidth(measuring.TextMeasurer(), copyWord, DesignWordCopy, FScale));
  sizes.WordSave.Width =
      std::max(sizes.WordSave.Width, WordCaptionWidth(measuring.TextMeasurer(), saveWord, DesignWordSave, FScale));
  FLayout = LayoutToolbar(sizes, FLayout.SaveDropVisible, FScale);

  // The skin's window background, laid with its 4-pixel border kept, under every other child.
  auto* background = FPanel.Add(std::make_unique<TRdImage>());
  background->SetPicture(u"images/bg_window.png");
  background->PictureOption = {FScale(4), FScale(4), FScale(4), FScale(4)};
  background->Stretch = true;
  background->SetHitTest(false);
  background->SetBounds(TRect::FromSize(0, 0, FLayout.Width, FLayout.Height));

  FSizeLabel = FPanel.Add(std::make_unique<TRdLabel>());
  FSizeLabel->SetAutoSize(false);
  FSizeLabel->SetAlignment(TAlignment::taCenter);
  FSizeLabel->SetLayout(TVerticalAlignment::vaCenter);
  TRdFont font;
  font.Height = FScale(13);
  font.Color = 0xE8E8E8;
  FSizeLabel->SetFont(font);
  FSizeLabel->SetBounds(FLayout.Child(TToolbarChild::lbl_WinSize));

  for (TToolbarChild divider :
       {TToolbarChild::Image_BarDiv1, TToolbarChild::Image_BarDiv2, TToolbarChild::Image_BarDiv3}) {
    auto* image = FPanel.Add(std::make_unique<TRdImage>());
    image->SetPicture(u"images/cutline_a.png");
    image->Stretch = true;
    image->SetHitTest(false);
    image->SetBounds(FLayout.Child(divider));
  }
  for (const TToolButton& tool : ToolButtons) {
    auto* button = FPanel.Add(std::make_unique<TRdImageButton>());
    button->Name = tool.Component;
    SetToolPictures(*button, tool.Picture);
    button->SetBounds(FLayout.Child(tool.Child));
    button->SetHint(ComponentHint(tool.Component));
    const TToolbarChild child = tool.Child;
    button->OnClick = [this, child](TRdControl&) {
      if (OnClick) OnClick(child);
    };
    FButtons[int(child)] = button;
  }
  auto textButton = [&](TToolbarChild child, TToolbarChild word, std::u16string_view component,
                        std::u16string_view icon, int32_t iconOffset, const TWordCaption& caption) {
    auto* button = FPanel.Add(std::make_unique<TRdImageButton>());
    button->Name = component;
    SetBlueButtonPictures(*button, icon, iconOffset);
    button->SetBounds(FLayout.Child(child));
    button->SetHint(ComponentHint(component));
    button->OnClick = [this, child](TRdControl&) {
      if (OnClick) OnClick(child);
    };
    FButtons[int(child)] = button;
    AddWordCaption(FPanel, caption, FScale, FLayout.Child(word));
  };
  textButton(TToolbarChild::Rd_Copy, TToolbarChild::Rd_WordCopy, u"Rd_Copy", u"saveas", FScale(14),
             {u"Rd_WordCopy", copyWord, DesignWordCopy, u"copy"});
  textButton(TToolbarChild::Rd_Save, TToolbarChild::Rd_WordSave, u"Rd_Save", u"save", FLayout.SaveIconOffset,
             {u"Rd_WordSave", saveWord, DesignWordSave, u"save"});
  if (FLayout.SaveDropVisible) {
    auto* drop = FPanel.Add(std::make_unique<TRdImageButton>());
    drop->Name = u"btn_save_drop";
    drop->SetImageNormal(u"images/icon_dropdown_normal.png");
    drop->SetImageDown(u"images/icon_dropdown_press.png");
    drop->SetBounds(FLayout.Child(TToolbarChild::btn_save_drop));
    drop->SetHint(ComponentHint(u"btn_save_drop"));
    drop->OnClick = [this](TRdControl&) {
      if (OnClick) OnClick(TToolbarChild::btn_save_drop);
    };
    FButtons[int(TToolbarChild::btn_save_drop)] = drop;
  }
  TranslateControls(AppLanguage(), WindowSection::Monitor, FPanel);
  return FPanel.Create(overlay, TRect::FromSize(0, 0, FLayout.Width, FLayout.Height), false);
}

void TToolbarPanel::ResetDrawingTools() {
  for (TToolbarChild tool : {TToolbarChild::Btn_Rd_Rect, TToolbarChild::Btn_Rd_Ellip, TToolbarChild::Btn_Rd_Line,
                             TToolbarChild::Btn_Rd_Arrow, TToolbarChild::Btn_Rd_Brush, TToolbarChild::Btn_Rd_Masaic,
                             TToolbarChild::Btn_Rd_Font})
    SetButtonState(tool, TRdButtonState::Up);
}

void TToolbarPanel::SetButtonState(TToolbarChild child, TRdButtonState state) {
  if (TRdImageButton* button = Button(child); button && button->SetState(state)) button->Invalidate();
}

void TToolbarPanel::ShowAt(TPoint p, int32_t selectionWidth, int32_t selectionHeight) {
  if (FSizeLabel) FSizeLabel->SetCaption(ToolbarSizeText(selectionWidth, selectionHeight));
  FPanel.SetPanelBounds(TRect::FromSize(p.X, p.Y, FLayout.Width, FLayout.Height));
  FPanel.Show(true);
  ::SetWindowPos(FPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TToolbarPanel::Hide() { FPanel.Show(false); }

bool TToolbarPanel::Visible() const { return FPanel.Handle() && ::IsWindowVisible(FPanel.Handle()); }

TRdImageButton* TToolbarPanel::Button(TToolbarChild child) const { return FButtons[int(child)]; }

}  // namespace qor
