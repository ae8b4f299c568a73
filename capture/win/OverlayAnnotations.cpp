// The overlay's annotation side: the drawing tools of the toolbar, their options panel, the edit surface that lies
// over the selection, undo and redo, and the merge that Copy and Save write.
#include <windows.h>

#include <algorithm>

#include "annotate/NewLayerLook.h"
#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "base/win/WinConvert.h"
#include "app/DpiDecision.h"
#include "app/win/UsageReporter.h"
#include "base/PixelOps.h"
#include "capture/ToolbarLayout.h"
#include "capture/win/ScreenShotMainForm.h"

namespace qor {

namespace {

TToolbarChild ToolbarButtonOf(int toolbarIndex) {
  return TToolbarChild(int(TToolbarChild::Btn_Rd_Rect) + toolbarIndex);
}

TRdButtonState ButtonStateOf(TToolButtonState state) { return TRdButtonState(uint8_t(state)); }

int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM names) {
  // Screen fonts only, and not the vertical variants ("@...").
  if ((type & RASTER_FONTTYPE) == 0 && font->lfFaceName[0] != L'@')
    reinterpret_cast<std::vector<std::u16string>*>(names)->push_back(FromWide(font->lfFaceName));
  return 1;
}

// The installed screen fonts' names, sorted, each once.
std::vector<std::u16string> InstalledScreenFonts() {
  std::vector<std::u16string> names;
  TWindowDc screen(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(screen.Get(), &all, AddFontName, reinterpret_cast<LPARAM>(&names), 0);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

void BringToFront(HWND wnd) {
  if (wnd) ::SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

void TScreenShotMainForm::CreateToolPanel() {
  FToolPanel = std::make_unique<TToolPanel>(CurrentScale());
  if (!FToolPanel->Create(Handle())) {
    FToolPanel.reset();
    return;
  }
  FToolPanel->SetPixelSizeCaption(ControlText(AppLanguage(), WindowSection::Monitor, u"lbl_PixelSize.Caption",
                                              AppLanguage().MessageText(u"M_Screen_PixelSize", u"Pixel size:")));
  FToolPanel->OnPen = [this](int32_t pen) {
    if (FTools.PressPen(pen).BrushSizeChanged) GivePixelationBrush();
    FToolPanel->Apply(FTools);
  };
  FToolPanel->OnBlockSize = [this](int32_t value) {
    // Applies to the following strokes only.
    FTools.SetBlockSize(value);
    GivePixelationBrush();
  };
  FToolPanel->OnColor = [this](uint32_t color) {
    if (FTools.ChooseColor(color).TextColor) ApplyTextFont();
    FToolPanel->Apply(FTools);
  };
  FToolPanel->OnPlus = [this] {
    FTools.FontLarger();
    ApplyTextFont();
    FitTextToFont(true);
    FToolPanel->Apply(FTools);
  };
  FToolPanel->OnFontSize = [this](int32_t size) {
    FTools.ChooseFontSize(size);
    ApplyTextFont();
    FToolPanel->Apply(FTools);
  };
  FToolPanel->OnFontName = [this](std::u16string name) {
    FTextFace = std::move(name);
    ApplyTextFont();
  };
  FToolPanel->SetFontNames(InstalledScreenFonts(), u"Tahoma");
  if (FToolPanel->FontNameBox()->ItemIndex() >= 0) FTextFace = u"Tahoma";
  FToolPanel->OnMinus = [this] {
    FTools.FontSmaller();
    ApplyTextFont();
    FitTextToFont(false);
    FToolPanel->Apply(FTools);
  };
}

void TScreenShotMainForm::ChooseTool(TDrawingTool tool) {
  if (!FRun->HasSelection() || FRun->OutputBusy() || !FToolbar) return;
  if (!MakeViewEdit()) return;
  const TToolChoice choice = FTools.ChooseTool(tool);
  if (!choice.UsageEvent.empty()) UsageEvent(choice.UsageEvent);
  if (choice.CommitText) CommitText();
  // Pixelation works on the picture itself, so it takes shapes drawn earlier with it.
  if (choice.MergeLayers) FlattenAnnotations();
  Apply(FRun->FixSelectionForDrawing());
  FViewEdit->Surface().SetCreateMode(choice.CreateMode);
  GivePixelationBrush();
  for (int i = 0; i < DrawingToolCount; ++i)
    FToolbar->SetButtonState(ToolbarButtonOf(i), ButtonStateOf(choice.Buttons[size_t(i)]));
  if (!FToolPanel) return;
  FToolPanel->Apply(FTools);
  if (!choice.PanelShown) {
    FToolPanel->Hide();
    return;
  }
  // The save-path panel and the options panel share the place under the toolbar.
  if (FSavePathPanel) FSavePathPanel->Hide();
  FSaveDropOpen = false;
  FViewEdit->Show();
  PlaceToolPanel();
  BringToFront(FToolPanel->Panel().Handle());
  BringToFront(FToolbar->Panel().Handle());
}

bool TScreenShotMainForm::MakeViewEdit() {
  if (FViewEdit) return true;
  const TRect selection = FRun->Selection().Image();
  auto view =
      std::make_unique<TFormOf<TEditSurfaceView>>(CropImage(FScreenCopy.View(), selection), selection, CurrentScale());
  if (!view->Create(Handle())) return false;
  view->Surface().OnNewLayer = [this](int32_t layer, TLayerKind kind) { Image_Front_ViewEditNewLayer(layer, kind); };
  view->OnMouseUp = [this] { Image_Front_ViewEditMouseUp(); };
  view->OnPress = [this](TPoint p) { return Image_Front_ViewEditPress(p); };
  view->OnHover = [this](TPoint p) { CheckAndEditMemo(p); };
  FViewEdit = std::move(view);
  return true;
}

void TScreenShotMainForm::GivePixelationBrush() {
  if (FViewEdit) FViewEdit->Surface().SetPixelationBrush(FTools.BrushSize(), FTools.BlockSize());
}

void TScreenShotMainForm::PlaceToolPanel() {
  if (!FToolPanel || !FToolbar) return;
  const int32_t primaryBottom = ::GetSystemMetrics(SM_CYSCREEN) - FDesktop.Top;
  FToolPanel->ShowAt(
      PlaceBesideToolbar(FRun->Selection().Image(), FToolbar->Bounds(), FToolPanel->Size().Height, primaryBottom));
}

void TScreenShotMainForm::Image_Front_ViewEditNewLayer(int32_t layer, TLayerKind kind) {
  // The look of the moment the layer is started; later colour or pen changes leave it alone.
  FViewEdit->Apply(FViewEdit->Surface().SetLook(layer, NewLayerLook(FTools, kind)));
}

void TScreenShotMainForm::Image_Front_ViewEditMouseUp() {
  // The toolbar comes back to the front and the overlay takes the keys, so Ctrl+C and Ctrl+S work at once.
  if (FToolbar && FToolbar->Visible()) BringToFront(FToolbar->Panel().Handle());
  if (FToolPanel && FToolPanel->Visible()) BringToFront(FToolPanel->Panel().Handle());
  if (!OpenText()) ::SetFocus(Handle());  // an open text keeps the keys
}

void TScreenShotMainForm::Btn_Rd_ReturnClick() {
  CommitText();  // the steps then include the open text
  if (FViewEdit) FViewEdit->Apply(FViewEdit->Surface().Undo());
}

void TScreenShotMainForm::RedoAnnotation() {
  CommitText();  // the steps then include the open text
  if (FViewEdit) FViewEdit->Apply(FViewEdit->Surface().Redo());
}

void TScreenShotMainForm::DeleteAnnotation() {
  CommitText();  // the steps then include the open text
  if (FViewEdit) FViewEdit->Apply(FViewEdit->Surface().DeleteCurrent());
}

void TScreenShotMainForm::NudgeAnnotation(TPoint by) {
  if (FViewEdit) FViewEdit->Apply(FViewEdit->Surface().NudgeCurrent(by.X, by.Y));
}

int32_t TScreenShotMainForm::AnnotationCount() const {
  // Shapes merged into the picture (pixelation merges them) are still something ESC would lose.
  const int32_t steps = FViewEdit ? FViewEdit->Surface().UndoCount() : 0;
  return FDrawingMerged || OpenText() ? std::max(steps, 1) : steps;
}

void TScreenShotMainForm::FlattenAnnotations() {
  CommitText();  // the text being typed is part of the picture
  if (FToolbar) FToolbar->ResetDrawingTools();
  if (!FViewEdit) return;
  TEditSurface& surface = FViewEdit->Surface();
  if (::IsWindowVisible(Handle())) FViewEdit->Apply(surface.EndInteractiveAction());
  if (surface.LayerCount() > 1 || surface.UndoCount() > 0) FDrawingMerged = true;
  surface.MergeAll();
  ::InvalidateRect(FViewEdit->Handle(), nullptr, FALSE);
}

}  // namespace qor
