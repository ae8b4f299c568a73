// The overlay's text tool: a press on the selection opens a text editor at the press point, the next press (or
// another tool, Copy or Save) commits it, and the commit puts the rendered text on the edit surface as a text layer
// tagged with its editor, one undo step. Hovering a committed text with the text tool reopens it in its editor.
#include <windows.h>

#include "annotate/TextEditorLayout.h"
#include "capture/win/ScreenShotMainForm.h"

namespace qor {

namespace {

int ScreenDpi() {
  TWindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

TMyMemo* TScreenShotMainForm::OpenText() const {
  for (const auto& memo : FMemos)
    if (memo->CurEdit) return memo.get();
  return nullptr;
}

bool TScreenShotMainForm::Image_Front_ViewEditPress(TPoint p) {
  if (OpenText()) {
    // A press while a text is open commits it and does nothing else.
    CommitText();
    return true;
  }
  if (FTools.CurrentTool() != TDrawingTool::Text) return false;
  StartText(p);
  return true;
}

void TScreenShotMainForm::StartText(TPoint click) {
  auto memo = std::make_unique<TFormOf<TMyMemo>>();
  if (!memo->Create(Handle())) return;
  TMyMemo* editor = memo.get();
  const TRect selection = FRun->Selection().Image();
  editor->SelfFlag = int32_t(FMemos.size());
  editor->DragBounds = selection;
  editor->PaintBackground = [this](HDC dc, const TRect& area) {
    if (FViewEdit) FViewEdit->PaintArea(dc, area);
  };
  editor->OnContentSize = [this, editor](TSize content) {
    editor->SetBounds(FollowContent(editor->Bounds(), FRun->Selection().Image(), content, editor->FontHeight()));
  };
  editor->OnPress = [this, editor] { TakeTextLook(*editor); };
  editor->SetFace(FTextFace);
  editor->SetTextFont(FTools.FontSize(), FTools.TextColor());
  editor->SetBounds(PlaceNewEditor(selection, click, NewEditorSize(FTools.FontSize())));
  editor->CurEdit = true;
  FMemos.push_back(std::move(memo));
  FTools.TextOpened();
  editor->ShowAndFocus();
}

void TScreenShotMainForm::TakeTextLook(const TMyMemo& editor) {
  // The panel shows the text's own size and colour, so that + and - and the palette go on from them.
  if (editor.Points() != FTools.FontSize()) FTools.ChooseFontSize(editor.Points());
  if (FTools.CurrentTool() == TDrawingTool::Text) FTools.ChooseColor(editor.Color());
  if (FToolPanel) FToolPanel->Apply(FTools);
}

void TScreenShotMainForm::ApplyTextFont() {
  TMyMemo* editor = OpenText();
  if (!editor) return;
  editor->SetFace(FTextFace);
  editor->SetTextFont(FTools.FontSize(), FTools.TextColor());
  ::SetFocus(editor->Edit());
}

void TScreenShotMainForm::FitTextToFont(bool larger) {
  TMyMemo* editor = OpenText();
  if (!editor) return;
  const TRect selection = FRun->Selection().Image();
  if (!larger) {
    editor->SetBounds(ShrinkForFont(editor->Bounds(), editor->LineCount(), editor->LongestLine(), FTools.FontSize()));
    return;
  }
  // A text that no longer fits to the selection's right edge wraps there rather than being cut.
  const TEditorResize grown =
      GrowForFont(editor->Bounds(), selection, editor->LineCount(), editor->ContentSize(), editor->FontHeight());
  if (grown.WordWrap) editor->SetWordWrap(true);
  editor->SetBounds(grown.Editor);
}

void TScreenShotMainForm::CommitText() {
  TMyMemo* editor = OpenText();
  if (!editor) return;
  editor->CurEdit = false;
  const TRect bounds = editor->Bounds();
  editor->Hide();
  if (FTools.TextEditing()) FTools.TextCommitted();
  if (!FViewEdit) return;
  const TRect selection = FRun->Selection().Image();
  // The stamp is the editor's text area, inside its frame.
  const TPoint at{bounds.Left + FrameWidth - selection.Left, bounds.Top + FrameWidth - selection.Top};
  TTextStamp stamp = editor->Text().empty() ? TTextStamp{} : editor->RenderStamp(ScreenDpi());
  TEditSurface& surface = FViewEdit->Surface();
  if (const int32_t layer = surface.TextLayerWithTag(editor->SelfFlag)) {
    FViewEdit->Apply(surface.ReplaceText(layer, at, std::move(stamp)));
  } else {
    FViewEdit->Apply(surface.AddText(at, std::move(stamp), editor->SelfFlag));
  }
}

void TScreenShotMainForm::CheckAndEditMemo(TPoint p) {
  if (!FViewEdit || FTools.CurrentTool() != TDrawingTool::Text || !FRun->HasSelection()) return;
  TEditSurface& surface = FViewEdit->Surface();
  const int32_t layer = surface.TextLayerAt(p);
  const int32_t flag = surface.TagOf(layer);
  if (!layer || flag < 0 || flag >= int32_t(FMemos.size()) || FMemos[size_t(flag)]->CurEdit) return;
  TMyMemo* editor = FMemos[size_t(flag)].get();
  CommitText();  // another text open goes into the picture first
  // That commit may have removed a layer (an emptied text), so the reopened one is found again by its tag.
  const int32_t reopened = surface.TextLayerWithTag(flag);
  if (!reopened) return;
  FViewEdit->Apply(surface.SetHidden(reopened, true));
  editor->CurEdit = true;
  FTools.TextOpened();
  TakeTextLook(*editor);
  editor->CaretToEnd();
  editor->ShowAndFocus();
}

}  // namespace qor
