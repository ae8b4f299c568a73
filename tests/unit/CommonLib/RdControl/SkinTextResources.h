#pragma once
// The part of the resource layer the skin styles and classes see, over a skin text held in memory: it answers
// skin classes from the text and records the package calls it gets, in order.
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdSkinResources.h"
#include "CommonLib/RdControl/RdSkinText.h"
#include "base/Utf16Text.h"

namespace qor::testing {

class TSkinTextResources : public IRdSkinResources {
 public:
  TRdSkinText Skin;
  std::u16string Name = u"classic";
  std::vector<std::u16string> Calls;  // "load path", "reload path", "unloadall", "caches", "tint n"

  void SetText(std::u16string_view text) {
    Skin.Clear();
    Skin.AddText(text);
    Skin.ResolveParents();
  }
  void LoadPackage(std::u16string_view path, bool reload) override {
    Calls.push_back((reload ? u"reload " : u"load ") + std::u16string(path));
  }
  void UnloadAll(bool clearCaches) override { Calls.push_back(clearCaches ? u"unloadall clear" : u"unloadall"); }
  void ReloadCaches() override { Calls.push_back(u"caches"); }
  void SetTint(uint32_t tint) override { Calls.push_back(u"tint " + IntToText(tint)); }
  std::u16string SkinName() const override { return Name; }
  const TRdValueStrings* FindSkinClass(std::u16string_view name) const override { return Skin.Find(name); }
};

}  // namespace qor::testing
