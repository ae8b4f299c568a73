#include "CommonLib/RdControl/PWebRes.h"

#include <algorithm>
#include <chrono>

#include "base/FileSystem.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

std::u16string Lowered(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
  return out;
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

// The file name's extension with its dot ("" when there is none).
std::u16string_view Extension(std::u16string_view path) {
  const size_t dot = path.find_last_of(u'.');
  const size_t separator = path.find_last_of(u"\\/");
  if (dot == std::u16string_view::npos || (separator != std::u16string_view::npos && dot < separator)) return {};
  return path.substr(dot);
}

std::u16string WithoutExtension(std::u16string_view path) {
  return std::u16string(path.substr(0, path.size() - Extension(path).size()));
}

// Two package files are one package when they are the same path without extension, case and separator kind
// ignored (so "classic.rcc" and "Classic.DLL" in one folder are one package).
std::u16string PackageKey(std::u16string_view path) {
  std::u16string key = Lowered(WithoutExtension(path));
  std::replace(key.begin(), key.end(), u'/', u'\\');
  return key;
}

bool SamePackage(std::u16string_view a, std::u16string_view b) {
  return !a.empty() && !b.empty() && PackageKey(a) == PackageKey(b);
}

std::u16string BaseName(std::u16string_view path) { return Lowered(WithoutExtension(ExtractFileName(path))); }

std::u16string Alternate(std::u16string_view path) {
  return ChangeFileExt(path, SameText(Extension(path), u".rcc") ? u".dll" : u".rcc");
}

// The file names of a folder listing ("a.ini|b.png|").
std::vector<std::u16string> ListedNames(std::u16string_view listing) {
  std::vector<std::u16string> names;
  size_t start = 0;
  for (size_t bar = listing.find(u'|'); bar != std::u16string_view::npos; bar = listing.find(u'|', start)) {
    if (bar > start) names.emplace_back(listing.substr(start, bar - start));
    start = bar + 1;
  }
  return names;
}

}  // namespace

TRdResources::TRdResources(TWebResCalls calls, TFileSystem& fileSystem, TTickFunc tick, TRdColorTable& colors)
    : FCalls(calls), FFileSystem(fileSystem), FTick(std::move(tick)), FColors(colors) {}

TRdResources::~TRdResources() = default;

uint32_t TRdResources::NewStamp() {
  const uint32_t tick = FTick ? FTick() : 0;
  // Ahead of the last stamp (modulo wrap): the tick itself; else the last stamp plus one, so two stamps taken in
  // one millisecond differ and a later stamp never repeats an earlier one.
  FStamp = int32_t(tick - FStamp) > 0 ? tick : FStamp + 1;
  return FStamp;
}

bool TRdResources::Register(const std::u16string& file) {
  return FCalls.Register && FCalls.Register(file.c_str()) != 0;
}

void TRdResources::Unregister(const std::u16string& file) {
  if (FCalls.Unregister && !file.empty()) FCalls.Unregister(file.c_str());
}

void TRdResources::AddExtra(const std::u16string& file) {
  RemoveExtra(file);
  const auto at =
      std::lower_bound(FExtraPackages.begin(), FExtraPackages.end(), file,
                       [](const std::u16string& a, const std::u16string& b) { return PackageKey(a) < PackageKey(b); });
  FExtraPackages.insert(at, file);
}

void TRdResources::RemoveExtra(const std::u16string& file) {
  std::erase_if(FExtraPackages, [&](const std::u16string& extra) { return SamePackage(extra, file); });
}

std::u16string TRdResources::ExistingOf(const std::u16string& path, const std::u16string& alternate) const {
  if (!FFileSystem.FileExists(path) && FFileSystem.FileExists(alternate)) return alternate;
  return path;
}

void TRdResources::LoadPackage(std::u16string_view fileView, bool reload) {
  std::u16string file(fileView);
  std::u16string base = BaseName(file);
  std::u16string alternate = Alternate(file);

  if (base == u"public" || SamePackage(file, FPublicPackage)) {
    if (SamePackage(file, FPublicPackage) && !FSkinName.empty()) return;  // already mounted
    if (!FPublicPackage.empty()) {
      RemoveExtra(FPublicPackage);
      Unregister(FPublicPackage);
      FPublicPackage.clear();
    }
    const std::u16string chosen = ExistingOf(file, alternate);
    Register(chosen);
    AddExtra(chosen);
    FPublicPackage = chosen;
    NewStamp();
    return;
  }

  if (!reload && !FFileSystem.FileExists(file) && !FFileSystem.FileExists(alternate) &&
      !FFileSystem.DirectoryExists(WithoutExtension(file))) {
    const std::u16string folder = ExtractFileDir(file);
    file = folder.empty() ? std::u16string(u"classic.rcc") : IncludeTrailingSeparator(folder) + u"classic.rcc";
    alternate = Alternate(file);
    base = u"classic";
  }
  if (SamePackage(file, FSkinPackage) && base == FSkinName) return;

  if (reload) {
    RemoveExtra(file);
    Unregister(file);
    Unregister(alternate);
    const std::u16string chosen = ExistingOf(file, alternate);
    Register(chosen);
    AddExtra(chosen);
    NewStamp();
    return;
  }
  Unregister(FSkinPackage);
  FSkinPackage.clear();
  const std::u16string chosen = ExistingOf(file, alternate);
  Register(chosen);
  FSkinPackage = chosen;
  FSkinName = base;
  NewStamp();
  ReloadCaches();
}

void TRdResources::UnloadPackage(std::u16string_view fileView) {
  const std::u16string file(fileView);
  const std::u16string base = BaseName(file);
  if (!FSkinName.empty() && base == FSkinName) {
    Unregister(FSkinPackage);
    NewStamp();
    FSkinPackage.clear();
    FSkinName.clear();
  } else if (base != u"public") {
    RemoveExtra(file);
    Unregister(file);
    Unregister(Alternate(file));
    NewStamp();
    if (SamePackage(file, FPublicPackage)) {
      FPublicPackage.clear();
    } else if (SamePackage(file, FSkinPackage)) {
      FSkinPackage.clear();
      FSkinName.clear();
    }
  } else {
    if (!FPublicPackage.empty()) {
      RemoveExtra(FPublicPackage);
      Unregister(FPublicPackage);
      FPublicPackage.clear();
    }
    NewStamp();
  }
}

void TRdResources::UnloadAll(bool clearCaches) {
  if (!FSkinPackage.empty()) UnloadPackage(FSkinPackage);
  const std::vector<std::u16string> extras = FExtraPackages;
  for (auto it = extras.rbegin(); it != extras.rend(); ++it) {
    Unregister(*it);
    if (SamePackage(*it, FPublicPackage)) FPublicPackage.clear();
  }
  FExtraPackages.clear();
  if (!extras.empty()) NewStamp();
  if (clearCaches) ClearCaches();
}

void TRdResources::ClearCaches() {
  FSkinText.Clear();
  FColors.Clear();
  std::lock_guard lock(FImageLock);
  FImages.clear();
}

std::vector<uint8_t> TRdResources::ReadResource(std::u16string_view path) const {
  if (!FCalls.Data || path.empty()) return {};
  const std::u16string packagePath = !FSkinName.empty() && path.front() != u':'
                                         ? u":/" + FSkinName + u"/" + std::u16string(path)
                                         : std::u16string(path);
  int32_t size = 0;
  FCalls.Data(packagePath.c_str(), nullptr, &size);
  if (size <= 0) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  const int32_t copied = FCalls.Data(packagePath.c_str(), bytes.data(), nullptr);
  bytes.resize(size_t(std::clamp(copied, 0, size)));
  return bytes;
}

std::u16string TRdResources::ReadText(std::u16string_view path) const {
  const std::vector<uint8_t> bytes = ReadResource(path);
  if (bytes.empty()) return {};
  return DecodeText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

TRdFolderList TRdResources::ListFolder(std::u16string_view folder) const {
  TRdFolderList list;
  if (!FCalls.Enum || !FCalls.StringCreate || !FCalls.StringGet || !FCalls.StringClose) return list;
  void* folders = FCalls.StringCreate();
  void* files = FCalls.StringCreate();
  const std::u16string path(folder);
  FCalls.Enum(path.c_str(), folders, files);
  if (const char16_t* text = FCalls.StringGet(folders)) list.Folders = text;
  if (const char16_t* text = FCalls.StringGet(files)) list.Files = text;
  FCalls.StringClose(folders);
  FCalls.StringClose(files);
  return list;
}

void TRdResources::ReloadCaches() {
  FSkinText.Clear();
  FColors.Clear();

  std::u16string colorText = ReadText(u"color_setting.ini");
  const std::u16string skinMain = ReadText(u"main.ini");
  if (colorText.empty()) {
    // A skin without a colour file may keep its colours in its main.ini, marked by [validate] skinname.
    TRdSkinText probe;
    probe.AddText(skinMain);
    const TRdValueStrings* validate = probe.FindOwn(u"validate");
    if (validate && validate->Value(u"skinname")) colorText = skinMain;
  }

  // Later files override earlier values: the public main.ini, the other public ones, then the skin's.
  FSkinText.AddText(ReadText(u":/public/main.ini"));
  auto addOtherIniFiles = [&](const std::u16string& folder) {
    for (const std::u16string& name : ListedNames(ListFolder(folder).Files))
      if (EndsWithNoCase(name, u".ini") && !SameText(name, u"main.ini") && !SameText(name, u"color_setting.ini"))
        FSkinText.AddText(ReadText(folder + name));
  };
  addOtherIniFiles(u":/public/");
  if (!FSkinName.empty()) {
    FSkinText.AddText(skinMain);
    addOtherIniFiles(u":/" + FSkinName + u"/");
  }
  FSkinText.ResolveParents();

  FColors.LoadColorFile(colorText);
  FColors.MergeColors();
  FColors.SetTint(FTint);

  // Relative picture names now mean the new skin's pictures.
  std::lock_guard lock(FImageLock);
  FImages.clear();
}

std::shared_ptr<const TPngImage> TRdResources::GetImage(std::u16string_view name) {
  {
    std::lock_guard lock(FImageLock);
    if (auto found = FImages.find(name); found != FImages.end()) return found->second;
  }
  auto image = std::make_shared<TPngImage>();
  // "[name]" pictures are animations defined in the skin text; the capture windows' skins define none, so they
  // stay empty. Everything else is a PNG of the packages.
  const bool animation = name.size() >= 2 && name.front() == u'[' && name.back() == u']';
  if (!animation) {
    const std::vector<uint8_t> bytes = ReadResource(name);
    if (!bytes.empty()) image->LoadFromBytes(bytes);
  }
  std::lock_guard lock(FImageLock);
  // Another thread may have decoded it meanwhile: keep the first, so every caller shares one picture.
  return FImages.emplace(std::u16string(name), std::move(image)).first->second;
}

size_t TRdResources::CachedImageCount() const {
  std::lock_guard lock(FImageLock);
  return FImages.size();
}

void TRdResources::SetTint(uint32_t tint) {
  FTint = tint;
  FColors.SetTint(tint);
}

namespace {

TWebResCalls& ProcessCalls() {
  static TWebResCalls calls;
  return calls;
}

uint32_t SteadyMilliseconds() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void SetSkinResourceCalls(TWebResCalls calls) { ProcessCalls() = calls; }

TRdResources& SkinResources() {
  static TRdResources resources(ProcessCalls(), FileSystem(), SteadyMilliseconds, SkinColorTable());
  return resources;
}

}  // namespace qor
