#pragma once
// The skin styles of the process: the components that choose the skin folder and its packages, the main one among
// them, and the re-skin broadcast that repaints everything after the skin changed.
//
// The first style whose MainSkin is set is the main style; only it (or any style while there is none) changes the
// current skin folder, mounts packages and sets the tint. A second style asking for MainSkin gets a warning and
// stays non-main; clearing MainSkin on the main style passes the role on to the next style of the list (creation
// order). When the last style goes, every package is unmounted.
//
//   TRdSkinStyles& styles = RdSkinStyles();
//   styles.SetResources(&resourceLayer);  styles.SetProgramFolder(programFolder);
//   TRdSkinStyle main(styles, u"LauncherForm", u"RdSkinStyle_Main");
//   main.BeginLoad();                                  // while the window's stored values are set
//   main.SetMainSkin(true);
//   main.SetRuntimePath(u"skin\\ScreenShotSkin");
//   main.SetPublicRccFiles({u"public.rcc"});
//   main.SetSkinRccFile(u"classic.rcc");
//   main.EndLoad();                                    // mounts public.rcc and classic.rcc, then re-skins
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdSkinResources.h"
#include "CommonLib/RdControl/RdTypes.h"

namespace qor {

// The message every top-level window gets after the skin changed (both parameters 0), and the redraw flags the
// windows are repainted with (RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME, and
// RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN after a change of the second default colour).
inline constexpr uint32_t RdReskinMessage = 45092;
inline constexpr uint32_t RdReskinRedrawFull = 1411;
inline constexpr uint32_t RdReskinRedrawErase = 133;

class TRdSkinStyle;
class TRdSkinClass;

class TRdSkinStyles {
 public:
  using TWarning = std::function<void(std::u16string_view message)>;
  using TWindowBroadcast = std::function<void(uint32_t redrawFlags)>;

  // The resource layer the styles mount packages through (kept by the caller; may be null: nothing is mounted).
  void SetResources(IRdSkinResources* resources) { FResources = resources; }
  IRdSkinResources* Resources() const { return FResources; }
  // The program's folder; RuntimePath is relative to it.
  void SetProgramFolder(std::u16string folder) { FProgramFolder = std::move(folder); }
  const std::u16string& ProgramFolder() const { return FProgramFolder; }

  TWarning OnWarning;                  // shows a warning to the user
  TWarning OnTrace;                    // debugger output (skin values the controls could not take)
  TWindowBroadcast OnWindowBroadcast;  // sends RdReskinMessage to the windows and redraws them

  TRdSkinStyle* MainStyle() const { return FMain; }
  const std::vector<TRdSkinStyle*>& Styles() const { return FStyles; }
  const std::u16string& CurSkinPath() const { return FCurSkinPath; }
  const std::u16string& CurSkinRccFile() const { return FCurSkinRccFile; }
  // "Unit.Name" of the main style; empty when there is none.
  std::u16string CurMainStyle() const;

  const std::vector<TRdSkinClass*>& SkinClasses() const { return FSkinClasses; }
  // The re-skin broadcast: every registered skin class takes its values again, then the windows are told.
  void Reskin(uint32_t redrawFlags = RdReskinRedrawFull);

 private:
  friend class TRdSkinStyle;
  friend class TRdSkinClass;
  IRdSkinResources* FResources = nullptr;
  std::u16string FProgramFolder;
  std::vector<TRdSkinStyle*> FStyles;
  TRdSkinStyle* FMain = nullptr;
  std::u16string FCurSkinPath;
  std::u16string FCurSkinRccFile;
  std::vector<TRdSkinClass*> FSkinClasses;
};

// The process's skin state.
TRdSkinStyles& RdSkinStyles();

class TRdSkinStyle {
 public:
  // unitName: the owning window's unit (empty: no owner); name: the component's name.
  explicit TRdSkinStyle(TRdSkinStyles& styles = RdSkinStyles(), std::u16string unitName = {}, std::u16string name = {});
  ~TRdSkinStyle();
  TRdSkinStyle(const TRdSkinStyle&) = delete;
  TRdSkinStyle& operator=(const TRdSkinStyle&) = delete;

  const std::u16string& UnitName() const { return FUnitName; }
  const std::u16string& Name() const { return FName; }

  // Between these the window's stored values are being set: package changes wait for EndLoad.
  void BeginLoad() { FLoading = true; }
  void EndLoad();

  bool MainSkin() const { return FStyles.FMain == this; }
  void SetMainSkin(bool main);
  // True for the main style, and for any style while there is no main one.
  bool CanChangeSkin() const { return FStyles.FMain == nullptr || FStyles.FMain == this; }

  // The skin folder: program folder + value when that folder exists, else the value as given.
  const std::u16string& RuntimePath() const { return FRuntimePath; }
  void SetRuntimePath(std::u16string_view value);
  const std::u16string& SkinFolder() const { return FSkinFolder; }
  const std::u16string& DesigntimePath() const { return FDesigntimePath; }
  void SetDesigntimePath(std::u16string value) { FDesigntimePath = std::move(value); }

  // Public packages ("public.rcc"); a bare file name is taken from the current skin folder. Each is mounted
  // beside the skin, then the caches are rebuilt and the windows re-skinned.
  const std::vector<std::u16string>& PublicRccFiles() const { return FPublicRccFiles; }
  void SetPublicRccFiles(std::vector<std::u16string> files);
  // The skin package ("classic.rcc"); a folder part sets RuntimePath first. The package is looked for as the
  // ".dll" file, the ".rcc" file, then a folder of its name; when none exists nothing is mounted.
  const std::u16string& SkinRccFile() const { return FSkinRccFile; }
  void SetSkinRccFile(std::u16string_view value);

  uint32_t RccTintColor() const { return FTint; }
  void SetRccTintColor(uint32_t tint);
  uint32_t FormDefaultColor2nd() const { return FColor2nd; }
  void SetFormDefaultColor2nd(uint32_t color);

 private:
  TRdSkinStyles& FStyles;
  std::u16string FUnitName, FName;
  bool FLoading = false;
  std::u16string FRuntimePath = u"skin";
  std::u16string FSkinFolder;
  std::u16string FDesigntimePath;
  std::vector<std::u16string> FPublicRccFiles;
  std::u16string FSkinRccFile;
  uint32_t FTint = RccNoTint;
  uint32_t FColor2nd = ColorNone;

  std::u16string ResolveFolder(std::u16string_view value) const;
  // Mounts the public packages; with rebuild the caches are rebuilt and the windows re-skinned afterwards.
  void LoadPublicFiles(bool rebuild);
  void MountSkinPackage();
};

}  // namespace qor
