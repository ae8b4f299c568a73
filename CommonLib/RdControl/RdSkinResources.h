#pragma once
// What the skin styles ask of the resource layer (the package mounting and caches behind the skin): mount a
// package, drop them all, rebuild the caches from the mounted packages, and hand out the parsed skin classes. The
// resource layer implements it; the styles and skin classes only talk to this.
#include <cstdint>
#include <string>
#include <string_view>

#include "CommonLib/RdControl/RdValueStrings.h"

namespace qor {

class IRdSkinResources {
 public:
  virtual ~IRdSkinResources() = default;
  // Mounts a package file (".rcc", or its ".dll" twin). Without reload it becomes the skin package and the caches
  // are rebuilt; with reload it is mounted beside the skin (public files) and the caches are left as they are.
  virtual void LoadPackage(std::u16string_view path, bool reload) = 0;
  // Unmounts the skin package and every other package; clearCaches also empties every cache.
  virtual void UnloadAll(bool clearCaches) = 0;
  // Rebuilds the skin text, colour table and caches from the mounted packages.
  virtual void ReloadCaches() = 0;
  // Recolours the tintable skin colours (0x1FFFFFFF: no tint).
  virtual void SetTint(uint32_t tint) = 0;
  // The base name of the mounted skin package ("classic"); empty when none.
  virtual std::u16string SkinName() const = 0;
  // A skin class's values, parent chain's values first; nullptr when the skin has no such class.
  virtual const TRdValueStrings* FindSkinClass(std::u16string_view name) const = 0;
};

}  // namespace qor
