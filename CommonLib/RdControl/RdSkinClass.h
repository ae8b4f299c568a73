#pragma once
// TRdSkinClass: what ties a control to a class of the skin text. Applying it sets the control's properties from
// the class's values (its parent chain's values first) through the control kind's property table:
//   - the lines "class" and "parent", and names listed in IgnoreValues, are not taken;
//   - a name the control does not have is skipped quietly, a value of the wrong form keeps the control's value;
//   - a picture the skin gives is marked with the skin that supplied it (SkinRccOf). It replaces the control's own
//     picture only where the control has none or with ForceUseSkinPic; a picture an earlier skin supplied is
//     cleared when the new class gives none, and with ClearOwnerPic the control's own pictures are cleared too;
//   - a class the skin does not have leaves the control as it is.
// Every skin class registers with the process's skin state, so a re-skin applies them all again.
//   TRdSkinClass skin(*button);                 // lives as long as the button
//   skin.SetSkinClass(u"toolbutton");
//   skin.IgnoreValues = {u"ImageOption.Left"};
//   skin.Apply();                               // from the mounted skin
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/PngDrawOptions.h"
#include "CommonLib/RdControl/RdControl.h"
#include "CommonLib/RdControl/RdSkinProperties.h"
#include "CommonLib/RdControl/RdSkinStyle.h"
#include "CommonLib/RdControl/RdValueStrings.h"

namespace qor {

// Draw options a skin class gives its owner; a change repaints the owner.
struct TRdSkinClassDraw {
  uint8_t DrawAlpha = 255;
  int32_t DrawScale = 100;  // percent
  int32_t DrawBkgBlur = 0;
  int32_t DrawBlur = 0;
  bool DrawGray = false;
  TPngSmoothFilter SmoothFilter = TPngSmoothFilter::FastSmooth;
  bool MergeBkg = false;
  friend bool operator==(const TRdSkinClassDraw&, const TRdSkinClassDraw&) = default;
};

class TRdSkinClass {
 public:
  explicit TRdSkinClass(TRdControl& owner, TRdSkinStyles& styles = RdSkinStyles());
  ~TRdSkinClass();
  TRdSkinClass(const TRdSkinClass&) = delete;
  TRdSkinClass& operator=(const TRdSkinClass&) = delete;

  TRdControl& Owner() const { return FOwner; }
  const std::u16string& SkinClass() const { return FSkinClass; }
  void SetSkinClass(std::u16string name) { FSkinClass = std::move(name); }
  // Dotted property names not taken from the skin (compared with case ignored).
  std::vector<std::u16string> IgnoreValues;
  bool ClearOwnerPic = false;
  bool ForceUseSkinPic = false;

  const TRdSkinClassDraw& Draw() const { return FDraw; }
  void SetDraw(const TRdSkinClassDraw& draw);

  // Applies the class from the styles' resource layer (nothing without one or without the class).
  void Apply();
  // Applies these values, supplied by the skin of that name.
  void ApplyValues(const TRdValueStrings& values, std::u16string_view skinName);
  // The values found for the class at the last Apply.
  const TRdValueStrings& SkinValues() const { return FSkinValues; }
  // The skin that supplied the picture of that property; empty for the control's own pictures.
  std::u16string SkinRccOf(std::u16string_view property) const;

 private:
  TRdControl& FOwner;
  TRdSkinStyles& FStyles;
  std::u16string FSkinClass;
  TRdSkinClassDraw FDraw;
  TRdValueStrings FSkinValues;
  std::map<std::u16string, std::u16string> FSkinPictures;  // upper-cased property name -> skin name

  bool Ignored(std::u16string_view name) const;
  void ApplyPicture(const TRdSkinProperty& property, const TRdValueLine& line, std::u16string_view skinName);
};

}  // namespace qor
