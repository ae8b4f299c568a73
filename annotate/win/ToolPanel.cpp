#include "annotate/win/ToolPanel.h"

#include <algorithm>
#include <memory>

#include "CommonLib/RdControl/RdPictureNames.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

constexpr TToolPanelChild PenChildren[PenCount] = {TToolPanelChild::Btn_Pen_1, TToolPanelChild::Btn_Pen_2,
                                                   TToolPanelChild::Btn_Pen_3};
constexpr std::u16string_view PenPictures[PenCount] = {u"images/wireframe_light.png", u"images/wireframe_semibold.png",
                                                       u"images/wireframe_bold.png"};

// The preview square keeps a visible edge on the dark panel whatever its colour; the hover frame is a light ring
// with a dark gap, which stands out around light and dark swatches alike.
constexpr uint32_t PreviewBorderColor = 0x6A6A6A;
constexpr uint32_t HoverRingColor = 0xFFFFFF;

// A font size item as a number; 10 when it is not one.
int32_t FontSizeOfItem(std::u16string_view text) {
  int32_t value = 0;
  if (text.empty() || text.size() > 4) return 10;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 10;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// The two state numberings are the same.
TRdButtonState ButtonState(TToolButtonState state) { return static_cast<TRdButtonState>(state); }

}  // namespace

TToolPanel::TToolPanel(TScale scale)
    : FScale(scale), FLayout(LayoutToolPanel(TToolPanelContent::Pens, scale)), FPictures(scale), FPanel(&FPictures) {}

bool TToolPanel::Create(HWND overlay) {
  // The frame lies under the swatches, so the hovered swatch stays on top of it.
  FHoverFrame = FPanel.Add(std::make_unique<TColorSwatch>(DarkPanelColor, HoverRingColor));
  FHoverFrame->Name = u"Btn_Color_bg";
  FHoverFrame->SetHitTest(false);
  FHoverFrame->SetVisible(false);

  for (int i = 0; i < PenCount; ++i) {
    auto* pen = FPanel.Add(std::make_unique<TRdImageButton>());
    pen->Name = u"Btn_Pen_" + std::u16string(1, char16_t(u'1' + i));
    SetFlatIconPictures(*pen, PenPictures[i]);
    pen->OnClick = [this, i](TRdControl&) {
      if (OnPen) OnPen(i + 1);
    };
    FPens[i] = pen;
  }
  FMinus = FPanel.Add(std::make_unique<TRdImageButton>());
  FMinus->Name = u"Btn_Jian";
  SetToolPictures(*FMinus, u"minus");
  FMinus->OnClick = [this](TRdControl&) {
    if (OnMinus) OnMinus();
  };
  FPlus = FPanel.Add(std::make_unique<TRdImageButton>());
  FPlus->Name = u"Btn_Jia";
  SetToolPictures(*FPlus, u"plus");
  FPlus->OnClick = [this](TRdControl&) {
    if (OnPlus) OnPlus();
  };

  FPixelLabel = FPanel.Add(std::make_unique<TRdLabel>());
  FPixelLabel->Name = u"lbl_PixelSize";
  FPixelLabel->SetAutoSize(false);
  FPixelLabel->SetLayout(TVerticalAlignment::vaCenter);
  TRdFont font;
  font.Height = FScale(13);
  font.Color = 0xE8E8E8;
  FPixelLabel->SetFont(font);
  FPixelLabel->SetCaption(u"Pixel size:");
  FSlider = FPanel.Add(std::make_unique<TRdSlider>());
  FSlider->Name = u"imgWebcamSize";
  SetQualitySliderPictures(*FSlider, FScale(3), FScale(5));
  FSlider->SetRange(MinBlockSize, MaxBlockSize);
  FSlider->Increment = 1;
  FSlider->SetValue(MaxBlockSize);
  FSlider->OnChange = [this](TRdControl&) {
    if (OnBlockSize) OnBlockSize(FSlider->Value());
  };

  FFontSize = FPanel.Add(std::make_unique<TRdComboBox>());
  FFontSize->Name = u"Font_combox";
  SetComboBoxPictures(*FFontSize);
  FFontSize->ItemHeight = FScale(24);
  FFontSize->TextOffX = FScale(5);
  FFontSize->SetItems(
      {u"8", u"9", u"10", u"11", u"12", u"14", u"16", u"18", u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"});
  FFontSize->SetItemIndex(4);
  FFontSize->OnSelect = [this](TRdControl&) {
    if (OnFontSize) OnFontSize(FontSizeOfItem(FFontSize->Text()));
  };
  FFontName = FPanel.Add(std::make_unique<TRdComboBox>());
  FFontName->Name = u"FontText_combox";
  SetComboBoxPictures(*FFontName);
  FFontName->ItemHeight = FScale(24);
  FFontName->TextOffX = FScale(5);
  FFontName->OnSelect = [this](TRdControl&) {
    if (OnFontName) OnFontName(FFontName->Text());
  };
  // The skin gives the boxes the nine-grid of its pictures (scaled with them) and the list's colours.
  for (TRdComboBox* box : {FFontSize, FFontName}) {
    box->Font.Height = FScale(12);
    auto& skin = FSkinClasses.emplace_back(std::make_unique<TRdSkinClass>(*box));
    skin->SetSkinClass(u"combobox");
    skin->Apply();
  }

  FPreview = FPanel.Add(std::make_unique<TColorSwatch>(InitialAnnotationColor, PreviewBorderColor));
  FPreview->Name = u"Image_show";
  FPreview->SetHitTest(false);
  for (int i = 0; i < PaletteSize; ++i) {
    auto* swatch = FPanel.Add(std::make_unique<TColorSwatch>(Palette[i].Color));
    swatch->Name = Palette[i].Name;
    const uint32_t color = Palette[i].Color;
    swatch->OnClick = [this, color](TRdControl&) {
      if (OnColor) OnColor(color);
    };
    swatch->OnMouseEnter = [this](TRdControl& sender) { ShowHoverFrame(static_cast<TColorSwatch&>(sender)); };
    swatch->OnMouseLeave = [this](TRdControl&) { FHoverFrame->SetVisible(false); };
    FSwatches[i] = swatch;
  }
  Relayout(FLayout.Content);
  return FPanel.Create(overlay, TRect::FromSize(0, 0, FLayout.Width, FLayout.Height), false);
}

void TToolPanel::Relayout(TToolPanelContent content) {
  FLayout = LayoutToolPanel(content, FScale);
  auto place = [&](TRdControl* control, TToolPanelChild child) {
    control->SetVisible(FLayout.Shows(child));
    if (FLayout.Shows(child)) control->SetBounds(FLayout.Child(child));
  };
  for (int i = 0; i < PenCount; ++i) place(FPens[i], PenChildren[i]);
  place(FMinus, TToolPanelChild::Btn_Jian);
  place(FPlus, TToolPanelChild::Btn_Jia);
  place(FPreview, TToolPanelChild::Image_show);
  place(FPixelLabel, TToolPanelChild::lbl_PixelSize);
  place(FSlider, TToolPanelChild::imgWebcamSize);
  place(FFontSize, TToolPanelChild::Font_combox);
  place(FFontName, TToolPanelChild::FontText_combox);
  for (int i = 0; i < PaletteSize; ++i) {
    FSwatches[i]->SetVisible(FLayout.ShowsPalette());
    FSwatches[i]->SetBounds(FLayout.Swatches[i]);
  }
  FHoverFrame->SetVisible(false);
  if (FPanel.Handle()) {
    const TRect bounds = FPanel.PanelBounds();
    FPanel.SetPanelBounds(TRect::FromSize(bounds.Left, bounds.Top, FLayout.Width, FLayout.Height));
  }
}

void TToolPanel::Apply(const TAnnotationTools& tools) {
  if (tools.PanelContent() != FLayout.Content) Relayout(tools.PanelContent());
  const int32_t selected = tools.SelectedPen();
  for (int i = 0; i < PenCount; ++i)
    FPens[i]->SetState(i + 1 == selected ? TRdButtonState::Selected : TRdButtonState::Up);
  FPlus->SetState(ButtonState(tools.PlusButton()));
  FMinus->SetState(ButtonState(tools.MinusButton()));
  FPreview->SetColor(tools.CurrentColor());
  if (FSlider->SetValue(tools.BlockSize())) FSlider->Invalidate();
  // The size box follows +/-: the matching item, or the number itself.
  const std::u16string size = IntToText(tools.FontSize());
  if (FFontSize->Text() != size) {
    const auto& items = FFontSize->Items();
    const auto at = std::find(items.begin(), items.end(), size);
    if (at != items.end())
      FFontSize->SetItemIndex(int32_t(at - items.begin()));
    else
      FFontSize->SetText(size);
    FFontSize->Invalidate();
  }
}

void TToolPanel::SetFontNames(std::vector<std::u16string> names, std::u16string_view chosen) {
  FFontName->SetItems(std::move(names));
  const auto& items = FFontName->Items();
  const auto at = std::find(items.begin(), items.end(), chosen);
  FFontName->SetItemIndex(at == items.end() ? -1 : int32_t(at - items.begin()));
}

void TToolPanel::SetPixelSizeCaption(std::u16string caption) { FPixelLabel->SetCaption(std::move(caption)); }

void TToolPanel::ShowHoverFrame(const TColorSwatch& swatch) {
  FHoverFrame->SetBounds(HoverFrameFor(swatch.Bounds(), FScale));
  FHoverFrame->SetVisible(true);
}

void TToolPanel::ShowAt(TPoint p) {
  FPanel.SetPanelBounds(TRect::FromSize(p.X, p.Y, FLayout.Width, FLayout.Height));
  FPanel.Show(true);
  ::SetWindowPos(FPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TToolPanel::Hide() { FPanel.Show(false); }

bool TToolPanel::Visible() const { return FPanel.Handle() && ::IsWindowVisible(FPanel.Handle()); }

TRdImageButton* TToolPanel::PenButton(int32_t pen) const {
  return pen >= 1 && pen <= PenCount ? FPens[pen - 1] : nullptr;
}

}  // namespace qor
