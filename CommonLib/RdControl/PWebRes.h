#pragma once
// The skin resources of the process: which packages are mounted, reads through the package library, and the
// shared caches built from them (skin text, colours, decoded pictures).
//
// Paths. ":/public/main.ini" names a file of the package "public.rcc"; ":/classic/images/x.png" one of
// "classic.rcc". A path without the leading ':' is relative to the mounted skin: with "classic2.rcc" mounted,
// "images/bg_window.png" reads ":/classic2/images/bg_window.png". A package file may also be a ".dll" of the same
// base name; a skin that exists in neither form falls back to "classic.rcc" of the same folder.
//
// Every change of the mounted packages takes a new stamp, so a control that keeps pictures can tell that they are
// stale by comparing the stamp of its last load with Stamp().
//
// Usage:
//   TRdResources& res = SkinResources();                    // bound to webres.dll on Windows
//   res.LoadPackage(skinFolder + u"public.rcc");
//   res.LoadPackage(skinFolder + u"classic.rcc");           // mounts and rebuilds the caches
//   std::shared_ptr<const TPngImage> bg = res.GetImage(u"images/bg_window.png");   // empty when missing
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdPngImage.h"
#include "CommonLib/RdControl/RdSkinResources.h"
#include "CommonLib/RdControl/RdSkinText.h"
#include "CommonLib/RdControl/WebResCalls.h"

namespace qor {

class TFileSystem;

// The sub-folders and files of a package folder, each name followed by "|" as the library gives them.
struct TRdFolderList {
  std::u16string Folders;
  std::u16string Files;
};

class TRdResources : public IRdSkinResources {
 public:
  using TTickFunc = std::function<uint32_t()>;

  // calls: the package library's entry points (null entries: no library). fileSystem answers which package files
  // exist. tick: milliseconds for the stamps. colors: the table the skin's colours go into.
  TRdResources(TWebResCalls calls, TFileSystem& fileSystem, TTickFunc tick, TRdColorTable& colors);
  ~TRdResources() override;

  // Mounts a package. A reload mounts it as an extra package beside the skin without changing the skin.
  void LoadPackage(std::u16string_view file, bool reload = false) override;
  void UnloadPackage(std::u16string_view file);
  // Unmounts the skin and every extra package (the public one included); with clearCaches also empties the skin
  // text, the colours and the pictures.
  void UnloadAll(bool clearCaches) override;
  // Rebuilds the skin text and the colour table from the mounted packages; pictures are decoded again on use.
  void ReloadCaches() override;

  // The resource's bytes; empty when it is missing or the library is not there.
  std::vector<uint8_t> ReadResource(std::u16string_view path) const;
  TRdFolderList ListFolder(std::u16string_view folder) const;
  // The shared picture of that name, decoded on first use; an empty picture when it is missing (kept until the
  // caches are rebuilt). Never null.
  std::shared_ptr<const TPngImage> GetImage(std::u16string_view name);

  // Recolours the colour entries marked for tinting; RccNoTint switches tinting off.
  void SetTint(uint32_t tint) override;

  // A stamp that differs from every earlier one: the millisecond tick, or one more than the last stamp when the
  // tick has not moved past it.
  uint32_t NewStamp();
  uint32_t Stamp() const { return FStamp; }

  const std::u16string& PublicPackage() const { return FPublicPackage; }
  const std::u16string& SkinPackage() const { return FSkinPackage; }
  std::u16string SkinName() const override { return FSkinName; }
  const std::vector<std::u16string>& ExtraPackages() const { return FExtraPackages; }
  // The skin classes of ":/public/main.ini", the public ".ini" files and the skin's own ones.
  const TRdSkinText& SkinText() const { return FSkinText; }
  const TRdValueStrings* FindSkinClass(std::u16string_view name) const override { return FSkinText.Find(name); }
  TRdColorTable& Colors() { return FColors; }
  // How many pictures have been decoded and kept.
  size_t CachedImageCount() const;

 private:
  bool Register(const std::u16string& file);
  void Unregister(const std::u16string& file);
  void AddExtra(const std::u16string& file);
  void RemoveExtra(const std::u16string& file);
  // path if it exists, else the alternate if that exists, else path.
  std::u16string ExistingOf(const std::u16string& path, const std::u16string& alternate) const;
  std::u16string ReadText(std::u16string_view path) const;
  void ClearCaches();

  TWebResCalls FCalls;
  TFileSystem& FFileSystem;
  TTickFunc FTick;

  std::u16string FPublicPackage;
  std::u16string FSkinPackage;
  std::u16string FSkinName;
  std::vector<std::u16string> FExtraPackages;  // sorted by their compare key
  uint32_t FStamp = 0;
  uint32_t FTint = RccNoTint;

  TRdSkinText FSkinText;
  TRdColorTable& FColors;
  mutable std::mutex FImageLock;
  std::map<std::u16string, std::shared_ptr<const TPngImage>, std::less<>> FImages;
};

// The process's resources. On Windows they read through webres.dll, loaded on first use from the program's folder.
TRdResources& SkinResources();
// The entry points the process's resources are made with on first use; the Windows build sets them at start-up,
// before anything is drawn. Without them the process has no package library.
void SetSkinResourceCalls(TWebResCalls calls);

}  // namespace qor
