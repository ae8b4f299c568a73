#include "CommonLib/RdControl/RdSkinStyle.h"

#include <algorithm>

#include "CommonLib/RdControl/RdSkinClass.h"
#include "base/FileSystem.h"

namespace qor {

TRdSkinStyles& RdSkinStyles() {
  static TRdSkinStyles styles;
  return styles;
}

std::u16string TRdSkinStyles::CurMainStyle() const {
  return FMain == nullptr ? std::u16string() : FMain->UnitName() + u"." + FMain->Name();
}

void TRdSkinStyles::Reskin(uint32_t redrawFlags) {
  // A skin class may go away while another applies (its owner destroyed): walk a copy and skip the gone ones.
  const std::vector<TRdSkinClass*> classes = FSkinClasses;
  for (TRdSkinClass* skinClass : classes)
    if (std::find(FSkinClasses.begin(), FSkinClasses.end(), skinClass) != FSkinClasses.end()) skinClass->Apply();
  if (OnWindowBroadcast) OnWindowBroadcast(redrawFlags);
}

TRdSkinStyle::TRdSkinStyle(TRdSkinStyles& styles, std::u16string unitName, std::u16string name)
    : FStyles(styles), FUnitName(std::move(unitName)), FName(std::move(name)) {
  FSkinFolder = ResolveFolder(FRuntimePath);
  FStyles.FStyles.push_back(this);
}

TRdSkinStyle::~TRdSkinStyle() {
  SetMainSkin(false);
  std::erase(FStyles.FStyles, this);
  if (FStyles.FStyles.empty() && FStyles.FResources != nullptr) FStyles.FResources->UnloadAll(true);
}

void TRdSkinStyle::EndLoad() {
  if (!FLoading) return;
  FLoading = false;
  if (!FSkinRccFile.empty())
    SetSkinRccFile(FSkinRccFile);  // mounts the public files first
  else if (!FPublicRccFiles.empty())
    LoadPublicFiles(true);
}

void TRdSkinStyle::SetMainSkin(bool main) {
  TRdSkinStyle*& current = FStyles.FMain;
  if (main) {
    if (current == this) return;
    if (current != nullptr) {
      if (FStyles.OnWarning) {
        FStyles.OnWarning(current->UnitName().empty()
                              ? std::u16string(u"warning: main.SkinStyle exists!")
                              : u"warning: main.SkinStyle exists! must close unit: " + current->UnitName() + u"." +
                                    current->Name() + u",\r\n\r\nand Re-open Current Form !!");
      }
      return;
    }
    current = this;
    return;
  }
  if (current != this) return;
  // The role goes to the next style of the list (after this one, else the first before it).
  const auto& styles = FStyles.FStyles;
  const auto self = std::find(styles.begin(), styles.end(), this);
  current = nullptr;
  for (auto it = self + 1; it != styles.end() && current == nullptr; ++it) current = *it;
  for (auto it = styles.begin(); it != self && current == nullptr; ++it) current = *it;
}

std::u16string TRdSkinStyle::ResolveFolder(std::u16string_view value) const {
  if (!FStyles.FProgramFolder.empty()) {
    const std::u16string inProgram = IncludeTrailingSeparator(FStyles.FProgramFolder) + std::u16string(value);
    if (FileSystem().DirectoryExists(inProgram)) return inProgram;
  }
  return std::u16string(value);
}

void TRdSkinStyle::SetRuntimePath(std::u16string_view value) {
  FRuntimePath = value;
  FSkinFolder = ResolveFolder(value);
  if (CanChangeSkin() || FStyles.FCurSkinPath.empty()) FStyles.FCurSkinPath = FSkinFolder;
}

void TRdSkinStyle::SetPublicRccFiles(std::vector<std::u16string> files) {
  FPublicRccFiles = std::move(files);
  if (!FLoading) LoadPublicFiles(true);
}

void TRdSkinStyle::LoadPublicFiles(bool rebuild) {
  IRdSkinResources* resources = FStyles.FResources;
  if (resources == nullptr || !CanChangeSkin()) return;
  for (const std::u16string& file : FPublicRccFiles) {
    if (file.empty()) continue;
    const bool bare = ExtractFileDir(file).empty();
    resources->LoadPackage(bare ? IncludeTrailingSeparator(FStyles.FCurSkinPath) + file : file, true);
  }
  if (rebuild && !FLoading) {
    resources->ReloadCaches();
    FStyles.Reskin();
  }
}

void TRdSkinStyle::SetSkinRccFile(std::u16string_view value) {
  const std::u16string folder = ExtractFileDir(value);
  if (!folder.empty()) SetRuntimePath(folder);
  FSkinRccFile = ExtractFileName(value);
  if (FLoading || FSkinRccFile.empty() || !CanChangeSkin()) return;
  // The skin mount below rebuilds the caches, so the public files need not.
  LoadPublicFiles(false);
  MountSkinPackage();
}

void TRdSkinStyle::MountSkinPackage() {
  IRdSkinResources* resources = FStyles.FResources;
  const std::u16string base =
      (FStyles.FCurSkinPath.empty() ? std::u16string() : IncludeTrailingSeparator(FStyles.FCurSkinPath)) + FSkinRccFile;
  const std::u16string dll = ChangeFileExt(base, u".dll"), rcc = ChangeFileExt(base, u".rcc");
  TFileSystem& files = FileSystem();
  std::u16string package;
  if (files.FileExists(dll))
    package = dll;
  else if (files.FileExists(rcc) || files.DirectoryExists(ChangeFileExt(base, u"")))
    package = rcc;
  if (package.empty()) return;  // no such skin: nothing is mounted
  FStyles.FCurSkinPath = ExtractFileDir(package);
  FStyles.FCurSkinRccFile = package;
  if (resources != nullptr) resources->LoadPackage(package, false);
  FStyles.Reskin();
}

void TRdSkinStyle::SetRccTintColor(uint32_t tint) {
  if (tint == FTint) return;
  FTint = tint;
  if (!CanChangeSkin()) return;
  if (FStyles.FResources != nullptr) FStyles.FResources->SetTint(tint);
  FStyles.Reskin(RdReskinRedrawFull);
}

void TRdSkinStyle::SetFormDefaultColor2nd(uint32_t color) {
  if (color == FColor2nd) return;
  FColor2nd = color;
  FStyles.Reskin(RdReskinRedrawErase);
}

}  // namespace qor
