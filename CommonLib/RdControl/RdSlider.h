#pragma once
// TRdSlider: a horizontal value slider drawn from three pictures: the ruler, the ruler's selected part (from its
// start to the thumb) and the thumb. Value always lies in [MinValue, MaxValue]. The user moves it by dragging the
// thumb, clicking the ruler (a jump there with AllowClickJump, else one Increment toward the click), the keys and
// the wheel. OnChange comes with every value change the user makes; OnChanged once when such a move is over (the
// drag or the click released, a key or wheel step taken). Values set by the program raise neither.
//
//   auto* size = panel.Add(std::make_unique<TRdSlider>());
//   SetQualitySliderPictures(*size);
//   size->SetRange(2, 30);
//   size->Increment = 1;
//   size->SetValue(30);
//   size->OnChanged = [](TRdControl& s) { ... static_cast<TRdSlider&>(s).Value() ... };
#include <algorithm>
#include <cstdint>
#include <string>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

class TRdSlider : public TRdControl {
 public:
  // The range; a maximum below the minimum is raised to it. Value is pulled into the new range.
  int32_t MinValue() const { return FMin; }
  int32_t MaxValue() const { return FMax; }
  void SetRange(int32_t minValue, int32_t maxValue);
  void SetMinValue(int32_t v) { SetRange(v, std::max(v, FMax)); }
  void SetMaxValue(int32_t v) { SetRange(std::min(v, FMin), v); }
  int32_t Value() const { return FValue; }
  // Clamped into the range; true when the value changed.
  bool SetValue(int32_t value);

  int32_t Increment = 10;     // keys and wheel notches
  int32_t PageIncrement = 0;  // PageUp / PageDown; 0: a fifth of the range, at least Increment
  bool AllowClickJump = false;
  bool ReadOnly = false;
  int32_t RulerIndent = 0;     // the ruler is inset by this much at both ends
  int32_t RulerSelectAdd = 0;  // the selected part reaches this far past the thumb's centre
  int32_t ThumbWidth = 0;      // 0: seven tenths of the height

  std::u16string ImageHRuler, ImageHThumb, ImageRulerSelect;
  TRdDesignRect RulerOption;

  TNotifyEvent OnChange, OnChanged;

  // Geometry in host coordinates: where the ruler lies, the thumb's width and where its centre is for a value, and
  // the value a thumb centre at x stands for.
  TRect RulerRect() const;
  int32_t ThumbSize() const;
  int32_t ThumbCentre(int32_t value) const;
  int32_t ValueAt(int32_t x) const;
  TRect ThumbRect() const;
  bool Dragging() const { return FDragging; }

  void Paint(TRdCanvas& canvas) override;
  TRdMouseResult MouseDown(TPoint p) override;
  TRdMouseResult MouseMove(TPoint p) override;
  TRdMouseResult MouseUp(TPoint p, bool inside) override;
  bool TakesFocus() const override { return true; }
  bool KeyDown(TRdKey key) override;
  bool MouseWheel(TPoint p, int32_t notches) override;

 private:
  int32_t FMin = 0, FMax = 100, FValue = 0;
  bool FDragging = false;
  bool FPressed = false;
  bool FMovedWhilePressed = false;
  int32_t FGrab = 0;  // pointer x minus thumb centre when the drag began

  int32_t Page() const;
  // A value change made by the user: raises OnChange when it changes anything.
  bool UserSetValue(int32_t value);
  // A single step (key, wheel): the change and, when there was one, OnChanged.
  bool Step(int32_t value);
};

}  // namespace qor
