#include "CommonLib/RdControl/RdSkinClass.h"

#include <algorithm>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdgImage.h"
#include "base/Utf16Text.h"

namespace qor {

TRdSkinClass::TRdSkinClass(TRdControl& owner, TRdSkinStyles& styles) : FOwner(owner), FStyles(styles) {
  FStyles.FSkinClasses.push_back(this);
}

TRdSkinClass::~TRdSkinClass() { std::erase(FStyles.FSkinClasses, this); }

void TRdSkinClass::SetDraw(const TRdSkinClassDraw& draw) {
  if (draw == FDraw) return;
  FDraw = draw;
  FOwner.Invalidate();
}

bool TRdSkinClass::Ignored(std::u16string_view name) const {
  return std::any_of(IgnoreValues.begin(), IgnoreValues.end(), [&](const auto& n) { return SameText(n, name); });
}

std::u16string TRdSkinClass::SkinRccOf(std::u16string_view property) const {
  auto found = FSkinPictures.find(UpperCase(property));
  return found == FSkinPictures.end() ? std::u16string() : found->second;
}

void TRdSkinClass::Apply() {
  IRdSkinResources* resources = FStyles.Resources();
  if (resources == nullptr || FSkinClass.empty()) return;
  if (const TRdValueStrings* values = resources->FindSkinClass(FSkinClass)) ApplyValues(*values, resources->SkinName());
}

void TRdSkinClass::ApplyValues(const TRdValueStrings& values, std::u16string_view skinName) {
  FSkinValues = values;
  // Pictures the new values do not give: an earlier skin's go, the control's own only with ClearOwnerPic.
  for (const TRdSkinProperty& property : RdSkinPropertiesOf(FOwner)) {
    if (property.Kind != TRdSkinPropertyKind::Picture || Ignored(property.Name) || values.Find(property.Name)) continue;
    const bool fromSkin = FSkinPictures.erase(UpperCase(property.Name)) != 0;
    if (fromSkin || ClearOwnerPic) property.SetPicture(FOwner, {});
  }
  const TRdSkinValueContext context{&SkinColorTable(), FStyles.OnTrace};
  for (const TRdValueLine& line : values.Lines()) {
    if (SameText(line.Name, u"class") || SameText(line.Name, u"parent") || Ignored(line.Name)) continue;
    const TRdSkinProperty* property = FindRdSkinProperty(FOwner, line.Name);
    if (property == nullptr) continue;
    if (property->Kind == TRdSkinPropertyKind::Picture)
      ApplyPicture(*property, line, skinName);
    else
      property->Set(FOwner, line, context);  // a malformed value leaves the property as it was
  }
  FOwner.Invalidate();
}

void TRdSkinClass::ApplyPicture(const TRdSkinProperty& property, const TRdValueLine& line,
                                std::u16string_view skinName) {
  if (line.Kind != TRdValueKind::String && line.Kind != TRdValueKind::Plain) return;
  // The value is the picture's script ("imgname=...", maybe with "SkinRcc=..."); a bare value is the name.
  TRdgImage script;
  script.SetText(line.Value);
  const std::u16string name = line.Value.find(u'=') == std::u16string::npos ? line.Value : script.ImgName();
  if (name.empty()) return;
  const std::u16string key = UpperCase(property.Name);
  const bool fromSkin = FSkinPictures.count(key) != 0;
  if (!fromSkin && !ForceUseSkinPic && !property.GetPicture(FOwner).empty()) return;  // the design's own picture
  property.SetPicture(FOwner, name);
  const std::u16string supplier = script.SkinRcc();
  FSkinPictures[key] = supplier.empty() ? std::u16string(skinName) : supplier;
}

}  // namespace qor
