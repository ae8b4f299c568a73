#pragma once
// TRdEdit: a single-line edit field drawn as a frame picture by its state (normal, hot, focused, disabled, error,
// empty), with the text kept inside its margins. The typing itself happens in a platform edit window laid on the
// text area (win/RdEditWindow.h), which the field keeps informed through its peer; without one the field shows
// its text (or its hint while empty) read-only.
//
//   auto* field = panel.Add(std::make_unique<TRdEdit>());
//   field->ReadOnly = true;
//   field->TextLeftMargin = 5;
//   field->Color = 0x1C1C1C;           // inside the frame (also the edit window's background)
//   field->SetBounds(layout.edit_savepath);
//   field->SetText(folder);
//   TRdEditWindow window(panel, *field);  // after panel.Create
//   window.Create();
#include <string>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

enum class TRdEditLook : uint8_t { Normal, Hot, Focused, Disabled, Error, Empty };

struct TRdEditPictures {
  std::u16string ImageNormal, ImageOver, ImageSelected, ImageDisabled, ImageError, ImageEmpty;
};

// The platform window that shows and edits the field's text.
class TRdEditPeer {
 public:
  virtual ~TRdEditPeer() = default;
  // The text, place, visibility, enabled state or colours changed.
  virtual void EditChanged() = 0;
  // A press on the field's frame: the window takes the keyboard.
  virtual void FocusRequested() = 0;
  // The field is going away.
  virtual void EditDestroyed() = 0;
};

class TRdEdit : public TRdControl {
 public:
  TRdEdit();
  ~TRdEdit() override;

  TRdEditPictures Pictures;
  TRdDesignRect ImageOption;
  TRdFont FontNormal, FontError, FontDisabled;
  uint32_t FontEmptyColor = 0x808080;  // the hint shown while empty
  uint32_t Color = ColorNone;          // inside the frame when no picture is drawn; the edit window's background
  uint32_t BorderColor = ColorNone;    // frame line when no picture is drawn
  int32_t BorderWidth = 0;
  int32_t TextLeftMargin = 0, TextRightMargin = 0;
  bool ReadOnly = false;
  std::u16string TextHint;
  TNotifyEvent OnChange, OnTextCopy;

  const std::u16string& Text() const { return FText; }
  bool SetText(std::u16string text);
  bool ErrorMode() const { return FErrorMode; }
  bool SetErrorMode(bool on);
  // The pointer is over the field's edit window (the host reports the frame itself).
  bool SetWindowHot(bool hot);
  // The edit window has the keyboard focus.
  bool Editing() const { return FEditing; }
  bool SetEditing(bool editing);
  void SetPeer(TRdEditPeer* peer);

  TRdEditLook Look() const;
  const std::u16string& ChooseFrame() const;
  const TRdFont& ChooseFont() const;
  uint32_t ChooseTextColor() const;
  // The text's line inside the border and margins, centred on the height (host coordinates).
  TRect TextRect(int32_t lineHeight) const;

  void Paint(TRdCanvas& canvas) override;
  TRdMouseResult MouseEnter() override;
  TRdMouseResult MouseLeave() override;
  TRdMouseResult MouseDown(TPoint p) override;

 protected:
  void PlaceChanged() override;

 private:
  std::u16string FText;
  bool FErrorMode = false;
  bool FFrameHot = false, FWindowHot = false;
  bool FEditing = false;
  TRdEditPeer* FPeer = nullptr;

  bool Changed(bool changed);
};

}  // namespace qor
