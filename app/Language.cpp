#include "app/Language.h"

#include "app/AppPaths.h"
#include "base/FileSystem.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

std::u16string LineBreaks(std::u16string_view text) { return ReplaceAll(text, u"<br>", u"\r\n"); }

std::u16string Indexed(std::u16string_view list, int i) {
  return std::u16string(list) + u"[" + IntToText(i) + u"].Caption";
}

}  // namespace

// ---- TExtIniFile ----

bool TExtIniFile::LoadFromFile(std::u16string_view fileName) {
  std::string bytes;
  if (!FileSystem().ReadWholeFile(fileName, bytes)) return false;
  LoadFromBytes(bytes);
  return true;
}

void TExtIniFile::LoadFromBytes(std::string_view bytes) { FSections.Parse(DecodeText(bytes)); }

std::u16string TExtIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                       std::u16string_view defaultValue) const {
  auto value = FSections.ReadValue(section, ident);
  return value ? std::move(*value) : std::u16string(defaultValue);
}

// ---- control kinds ----

std::vector<std::u16string> TranslatableProperties(TTranslatableKind kind, int itemCount, bool hasText) {
  std::vector<std::u16string> properties;
  switch (kind) {
    case TTranslatableKind::ImageNote:
      if (hasText) properties.push_back(u"Caption");
      break;
    case TTranslatableKind::HtmlLabel: properties = {u"Hint", u"Caption"}; break;
    case TTranslatableKind::Label:
    case TTranslatableKind::Captioned: properties = {u"Caption"}; break;
    case TTranslatableKind::ItemList:
    case TTranslatableKind::TreeView:
      for (int i = 0; i < itemCount; ++i) properties.push_back(Indexed(u"Items", i));
      break;
    case TTranslatableKind::ListView:
      for (int i = 0; i < itemCount; ++i) properties.push_back(Indexed(u"Columns", i));
      break;
    case TTranslatableKind::Other: break;
  }
  return properties;
}

// ---- TLanguage ----

TLanguage::TLanguage(std::u16string languageFolder, std::u16string productKey)
    : FFolder(std::move(languageFolder)), FProductKey(std::move(productKey)) {}

std::u16string TLanguage::LanguageFileName(std::u16string_view languageName) const {
  return IncludeTrailingSeparator(FFolder) + std::u16string(languageName) + u".lng";
}

bool TLanguage::Load(std::u16string_view languageName) {
  TFileSystem& fs = FileSystem();
  std::u16string name(languageName);
  std::u16string file = LanguageFileName(name);
  // A name is a plain file name: one that leads elsewhere is treated like a missing file.
  const bool plainName = name.find_first_of(u"\\/:") == std::u16string::npos;
  if (name.empty() || !plainName || !fs.FileExists(file)) {
    name = u"English";
    file = LanguageFileName(name);
    if (!fs.FileExists(file)) return false;
  }
  TExtIniFile loaded;
  if (!loaded.LoadFromFile(file)) return false;  // locked or unreadable: keep the texts we have

  FLanguageName = name;
  FDisplayName = LineBreaks(loaded.ReadString(u"Main", u"DisplayName", ExtractFileName(ChangeFileExt(file, u""))));
  const TIniHashedStringList* messages = loaded.Section(FProductKey + u"_M");
  FMessages = messages ? *messages : TIniHashedStringList();
  FFile = std::move(loaded);
  return true;
}

std::u16string TLanguage::MessageText(std::u16string_view key, std::u16string_view defaultText) const {
  auto value = FMessages.Value(key);
  return value ? std::move(*value) : std::u16string(defaultText);
}

std::optional<std::u16string> TLanguage::WindowText(std::u16string_view windowName, std::u16string_view key) const {
  auto value = FFile.Value(FProductKey + u"_" + std::u16string(windowName), key);
  if (!value) return std::nullopt;
  return LineBreaks(*value);
}

std::u16string TLanguage::MainText(std::u16string_view key, std::u16string_view defaultText) const {
  auto value = FFile.Value(u"Main", key);
  return value ? LineBreaks(*value) : std::u16string(defaultText);
}

std::vector<std::optional<std::u16string>> TLanguage::TranslateWindow(std::u16string_view windowName,
                                                                      const std::vector<TTextRequest>& requests) const {
  std::vector<std::optional<std::u16string>> texts;
  texts.reserve(requests.size());
  const TIniHashedStringList* section = FFile.Section(FProductKey + u"_" + std::u16string(windowName));
  for (const TTextRequest& r : requests) {
    std::optional<std::u16string> value;
    if (section) value = section->Value(r.Component + u"." + r.Property);
    texts.push_back(value ? std::optional<std::u16string>(LineBreaks(*value)) : std::nullopt);
  }
  return texts;
}

TLanguage& AppLanguage() {
  static TLanguage language(ExecutableFolder() + u"Language");
  return language;
}

}  // namespace qor
