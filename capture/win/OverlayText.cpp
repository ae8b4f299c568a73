// The overlay's text tool: a press on the selection opens a text editor at the press point, the next press (or
// another tool, Copy or Save) commits it, and the commit paints the rich text into the selection's picture as one
// undo step.
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
  editor->SetFace(FTextFace);
  editor->SetSelectionFont(FTools.FontSize(), FTools.TextColor());
  editor->SetBounds(PlaceNewEditor(selection, click, NewEditorSize(FTools.FontSize())));
  editor->CurEdit = true;
  FMemos.push_back(std::move(memo));
  FTools.TextOpened();
  editor->ShowAndFocus();
}

void TScreenShotMainForm::ApplyTextFont() {
  TMyMemo* editor = OpenText();
  if (!editor) return;
  editor->SelectAll();
  editor->SetFace(FTextFace);
  editor->SetSelectionFont(FTools.FontSize(), FTools.TextColor());
  editor->CaretToEnd();
  ::SetFocus(editor->Edit());
}

void TScreenShotMainForm::CommitText() {
  TMyMemo* editor = OpenText();
  if (!editor) return;
  editor->CurEdit = false;
  const TRect bounds = editor->Bounds();
  editor->Hide();
  if (FTools.TextEditing()) FTools.TextCommitted();
  if (!FViewEdit || editor->Text().empty()) return;
  const TRect selection = FRun->Selection().Image();
  const TPoint at{bounds.Left - selection.Left, bounds.Top - selection.Top};
  const int dpi = ScreenDpi();
  // Glyphs may reach a little past the editor's frame: the undo step keeps a margin around it.
  const TRect area = bounds.Offset(-selection.Left, -selection.Top).Inflate(8, 8);
  FViewEdit->Apply(FViewEdit->Surface().PaintPicture(
      area, [&](const TImageView& picture) { editor->RenderInto(picture, at, dpi); }));
}

}  // namespace qor
