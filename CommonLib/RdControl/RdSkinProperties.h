#pragma once
// The properties skin text may set on each kind of control, by dotted name ("Font.Color", "ImageOption.Left",
// "ImageNormal.Text"), with the setter that turns the text value into the property's type. Only properties the
// controls have are listed; a name a control kind does not list is not a property of it.
//   if (const TRdSkinProperty* p = FindRdSkinProperty(button, u"FontHoverColor")) p->Set(button, line, context);
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/RdControl.h"
#include "CommonLib/RdControl/RdValueStrings.h"

namespace qor {

class TRdColorTable;

struct TRdSkinValueContext {
  TRdColorTable* Colors = nullptr;  // colour names become codes here; null: numbers only
  // Told about identifiers the property's type does not know ("Invalid Ident value: " + value).
  std::function<void(std::u16string_view)> Trace;
};

enum class TRdSkinPropertyKind : uint8_t { Value, Picture };

struct TRdSkinProperty {
  std::u16string_view Name;
  TRdSkinPropertyKind Kind = TRdSkinPropertyKind::Value;
  // Values: sets the property; false, with the property unchanged, when the value has the wrong form.
  std::function<bool(TRdControl&, const TRdValueLine&, const TRdSkinValueContext&)> Set;
  // Pictures: the picture name the control holds, and setting it (the skin class decides whether to).
  std::function<std::u16string(const TRdControl&)> GetPicture;
  std::function<void(TRdControl&, std::u16string)> SetPicture;
};

// The table of the control's kind (image button, label, image, slider, combo box); empty for other kinds.
const std::vector<TRdSkinProperty>& RdSkinPropertiesOf(const TRdControl& control);
// Names compared with case ignored; nullptr when the control's kind has no such property.
const TRdSkinProperty* FindRdSkinProperty(const TRdControl& control, std::u16string_view name);

}  // namespace qor
