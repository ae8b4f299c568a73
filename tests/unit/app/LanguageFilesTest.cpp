// Every shipped language file against English.lng: readable as UTF-16 LE with CR LF lines, the same sections and
// keys, and texts that keep what the program fills in or splits on ("%s", tabs of menu items, "<br>").
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "base/Utf16Text.h"

namespace qor {
namespace {

const std::filesystem::path LanguageFolder = std::filesystem::path(QOR_SOURCE_DIR) / "Language";

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TExtIniFile LoadLanguageFile(const std::filesystem::path& path) {
  TExtIniFile file;
  file.LoadFromBytes(ReadBytes(path));
  return file;
}

std::vector<std::filesystem::path> LanguageFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(LanguageFolder))
    if (entry.path().extension() == ".lng") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

size_t Occurrences(std::u16string_view text, std::u16string_view part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::u16string_view::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

std::set<std::u16string> Names(const TIniHashedStringList& section) {
  std::set<std::u16string> names;
  for (int i = 0; i < section.Count(); ++i)
    if (section.HasName(i)) names.insert(section.Name(i));
  return names;
}

TEST(LanguageFiles, TwelveTranslationsShipBesideEnglish) {
  std::set<std::string> names;
  for (const auto& path : LanguageFiles()) names.insert(path.stem().string());
  EXPECT_EQ(names,
            (std::set<std::string>{"ChineseSimplified", "Dutch", "English", "French", "German", "Italian", "Japanese",
                                   "Korean", "Polish", "PortugueseBrazil", "Russian", "Spanish", "Turkish"}));
}

TEST(LanguageFiles, AreUtf16WithByteOrderMarkAndCrLfLines) {
  for (const auto& path : LanguageFiles()) {
    SCOPED_TRACE(path.filename().string());
    const std::string bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      text.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    EXPECT_EQ(Occurrences(text, u"\n"), Occurrences(text, u"\r\n")) << "a line ends without CR LF";
    EXPECT_EQ(Occurrences(text, u"\r"), Occurrences(text, u"\r\n")) << "a lone CR";
    EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos) << "a replacement character";
  }
}

TEST(LanguageFiles, HaveEveryKeyOfEnglishAndNoOther) {
  const TExtIniFile english = LoadLanguageFile(LanguageFolder / "English.lng");
  const auto sections = english.Sections().SectionNames();
  ASSERT_GE(sections.size(), 7u);
  for (const auto& path : LanguageFiles()) {
    SCOPED_TRACE(path.filename().string());
    const TExtIniFile file = LoadLanguageFile(path);
    EXPECT_EQ(file.Sections().SectionNames(), sections);
    for (const auto& section : sections) {
      const TIniHashedStringList* expected = english.Section(section);
      const TIniHashedStringList* actual = file.Section(section);
      ASSERT_NE(actual, nullptr) << Utf16ToUtf8(section);
      EXPECT_EQ(Names(*actual), Names(*expected)) << Utf16ToUtf8(section);
      EXPECT_EQ(actual->Count(), expected->Count()) << Utf16ToUtf8(section) << ": a key given twice";
    }
  }
}

TEST(LanguageFiles, KeepPlaceholdersMenuTabsAndLineBreaksOfEveryText) {
  const TExtIniFile english = LoadLanguageFile(LanguageFolder / "English.lng");
  for (const auto& path : LanguageFiles()) {
    SCOPED_TRACE(path.filename().string());
    const TExtIniFile file = LoadLanguageFile(path);
    for (const auto& section : english.Sections().SectionNames()) {
      const TIniHashedStringList& keys = *english.Section(section);
      for (int i = 0; i < keys.Count(); ++i) {
        const std::u16string key = keys.Name(i);
        const std::u16string original = keys.Value(key).value_or(u"");
        const std::u16string text = file.Value(section, key).value_or(u"");
        SCOPED_TRACE(Utf16ToUtf8(section + u"/" + key + u"=" + text));
        EXPECT_EQ(text.empty(), original.empty());
        EXPECT_EQ(Occurrences(text, u"%s"), Occurrences(original, u"%s"));
        EXPECT_EQ(Occurrences(text, u"%"), Occurrences(original, u"%")) << "a '%' the formatter would meet";
        EXPECT_EQ(Occurrences(text, u"<br>"), Occurrences(original, u"<br>"));
        EXPECT_EQ(Occurrences(text, u"\t"), Occurrences(original, u"\t"));
        // The key name after a menu item's tab stays as it is.
        if (const size_t tab = original.find(u'\t'); tab != std::u16string::npos) {
          EXPECT_EQ(text.substr(text.find(u'\t')), original.substr(tab));
        }
      }
    }
  }
}

TEST(LanguageFiles, NameTheirLanguageInItsOwnWords) {
  std::set<std::u16string> seen;
  for (const auto& path : LanguageFiles()) {
    SCOPED_TRACE(path.filename().string());
    TLanguage language(Utf8ToUtf16(LanguageFolder.string()));
    ASSERT_TRUE(language.Load(Utf8ToUtf16(path.stem().string())));
    EXPECT_EQ(language.LanguageName(), Utf8ToUtf16(path.stem().string()));
    // A file without DisplayName would show its base name.
    EXPECT_FALSE(LoadLanguageFile(path).ReadString(u"Main", u"DisplayName", u"").empty());
    EXPECT_TRUE(seen.insert(language.DisplayName()).second) << "two files with one display name";
  }
}

TEST(LanguageFiles, EnglishHasASectionForEveryTranslatedWindow) {
  const TExtIniFile english = LoadLanguageFile(LanguageFolder / "English.lng");
  for (std::u16string_view window : WindowSection::All)
    EXPECT_TRUE(english.SectionExists(u"Qor_Screen_" + std::u16string(window))) << Utf16ToUtf8(window);
}

}  // namespace
}  // namespace qor
