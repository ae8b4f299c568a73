#pragma once
// The capture overlay: a borderless topmost window over the whole virtual desktop that shows the frozen screen,
// dimmed, with the detected window or the selection undimmed, the magnifier and the toolbar. It photographs the
// screen before it becomes visible; closing it ends the process. The run's logic lives in TCaptureRun; this
// class turns messages into calls on it and paints the rectangles it reports.
#include <memory>
#include <string>
#include <vector>

#include "annotate/AnnotationTools.h"
#include "annotate/win/MyMemo.h"
#include "annotate/win/ToolPanel.h"
#include "app/win/ProcessState.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "capture/CaptureRun.h"
#include "capture/KeyCommands.h"
#include "capture/win/ExitTipPanel.h"
#include "capture/win/ToolbarPanel.h"
#include "engine/win/EditSurfaceView.h"
#include "output/win/NoticForm.h"
#include "output/win/SavePathPanel.h"
#include "scroll/win/ScrollCapture.h"

namespace qor {

class TScreenShotMainForm : public TForm {
 public:
  explicit TScreenShotMainForm(TCaptureMode mode);
  ~TScreenShotMainForm() override;
  // Grabs the screen, takes the window list and paints the first picture; the first tick of tmr1, once that
  // picture is on screen, builds the mask, creates the panels and starts the run.
  bool Create();
  // Every key press of the program passes here first (the overlay previews all keys); true when it was used.
  bool PreviewKey(const MSG& msg);

  const TDibImage& ScreenCopy() const { return FScreenCopy; }

 private:
  TCaptureMode FMode;
  TDesktop FDesktop;
  std::unique_ptr<TCaptureRun> FRun;
  std::unique_ptr<TKeyCommands> FKeys;  // from tmr1 on: keys count once the first picture is on screen
  TOverlayUpdate FStartUpdate;          // the run's start, applied by tmr1 (the first paint already shows it)
  bool FFirstPainted = false;
  std::unique_ptr<TToolbarPanel> FToolbar;  // Panel_Tools
  std::unique_ptr<TExitTipPanel> FExitTip;  // Panel_ExitTip
  TDibImage FScreenCopy;                    // the frozen screen; never changed after the grab
  TDibImage FMask;                          // Image_Meng: the screen copy dimmed
  TDibImage FCompose;         // where the layers are put together before they reach the screen (made when first needed)
  TDibImage FMagnifierImage;  // Image_Expand
  std::u16string FSizeWord;   // "Size:" from the language table, read once
  std::u16string FSizeText;   // Label_Size
  std::u16string FRgbText;    // Label_RGB
  TFontHandle FLabelFont;
  TCaptureNotice FNotice;
  // Save settings, read when the overlay is created.
  std::u16string FSaveExtension;                   // ".png", ".jpeg" or ".bmp"
  std::unique_ptr<TSavePathPanel> FSavePathPanel;  // pnl_defSavePath: the default folder and "always save"
  bool FSaveDropOpen = false;                      // the drop-down opened the save-path panel
  bool FSavePathOpenBeforeDrag = false;            // the panel was showing when the toolbar was hidden for a drag
  // Annotation: the tools' state, their options panel and the edit surface over the selection (made by the first
  // tool chosen).
  TAnnotationTools FTools;
  std::unique_ptr<TToolPanel> FToolPanel;                 // Panel_Tool_Small
  std::unique_ptr<TFormOf<TEditSurfaceView>> FViewEdit;   // Image_Front_ViewEdit
  std::vector<std::unique_ptr<TFormOf<TMyMemo>>> FMemos;  // every text editor of the run; one open at most
  std::u16string FTextFace;                               // FontText_combox's choice; empty: the editor's default
  bool FDrawingMerged = false;  // annotations were merged into the picture before the output (pixelation does)
  std::unique_ptr<TScrollCapture> FScroll;  // the scrolling run, once started

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormCreate();
  void tmr1Timer();
  void tmr2Timer();
  void Timer_GetPosTimer();
  void tmr_TopmostTimer();
  void tmr_ExitTipTimer();
  void DrawImage_BackGround();
  void Apply(const TOverlayUpdate& update);
  void RenderMagnifier();
  void ShowToolbar(bool afterHandleDrag);
  void ToolbarClick(TToolbarChild child);
  void HideToolbar();
  // The drawing tools, undo and the merge (OverlayAnnotations.cpp).
  void CreateToolPanel();
  void Btn_Rd_RectClick() { ChooseTool(TDrawingTool::Rectangle); }
  void Btn_Rd_EllipClick() { ChooseTool(TDrawingTool::Oval); }
  void Btn_Rd_LineClick() { ChooseTool(TDrawingTool::Line); }
  void Btn_Rd_ArrowClick() { ChooseTool(TDrawingTool::Arrow); }
  void Btn_Rd_BrushClick() { ChooseTool(TDrawingTool::Brush); }
  void Btn_Rd_MasaicClick() { ChooseTool(TDrawingTool::Pixelation); }
  void Btn_Rd_FontClick() { ChooseTool(TDrawingTool::Text); }
  void ChooseTool(TDrawingTool tool);
  bool MakeViewEdit();
  void PlaceToolPanel();
  void GivePixelationBrush();
  void Image_Front_ViewEditNewLayer(int32_t layer, TLayerKind kind);
  void Image_Front_ViewEditMouseUp();
  // The text tool (OverlayText.cpp).
  bool Image_Front_ViewEditPress(TPoint p);
  TMyMemo* OpenText() const;
  void StartText(TPoint click);  // selection coordinates
  void ApplyTextFont();
  void FitTextToFont(bool larger);  // after + or - with a text open
  void TakeTextLook(const TMyMemo& editor);
  void CommitText();
  void CheckAndEditMemo(TPoint p);  // selection coordinates, on a move with no button held
  void Btn_Rd_ReturnClick();
  void RedoAnnotation();
  void DeleteAnnotation();
  void NudgeAnnotation(TPoint by);
  // The edit surface's undo steps: 1 or more means something drawn would be lost.
  int32_t AnnotationCount() const;
  // Paints every annotation into the selection's picture (what Copy and Save write) and puts the tools back.
  void FlattenAnnotations();
  // The save-path panel (OverlayOutputs.cpp).
  void btn_save_dropClick();
  void btn_pthpnl_closeClick();
  void ShowSavePathPanel();
  // The outputs (OverlayOutputs.cpp).
  void LoadSaveSettings();
  void Btn_rd_saveClick();
  void Btn_Rd_CopyClick();
  void Btn_Rd_PinnedClick();
  void Btn_Rd_ScrollWinsClick();
  // Hides the overlay and hands the selection to the scrolling run.
  void StartScrollingCapture();
  bool SaveTo(const std::u16string& path);
  void ShowSaveButtonPressed(bool pressed);
  void SetTopmost(bool topmost);
  TConstImageView FrontImage() const;
  void OnPaint();
  void PaintArea(HDC target, const RECT& area);
  // The frozen screen dimmed over area: from the mask, or blended on the way while there is no mask yet.
  void PaintDimmed(HDC target, const TRect& area);
  bool OnSetCursor();
  void Invalidate(const TRect& r);
  void Close();
};

}  // namespace qor
