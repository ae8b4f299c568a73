#pragma once
// Language tables: the message texts (section "Qor_Screen_M") and the texts of each window's controls (section
// "Qor_Screen_" + window name) from "<exe folder>\Language\<language>.lng", with English and then the built-in
// defaults as fallbacks. Lookups never fail.
// Usage:
//   qor::AppLanguage().Load(u"English");                 // the launcher loads Config.ini's [Main] Language
//   std::u16string ok = qor::AppLanguage().MessageText(u"M_OK", u"OK");
//   // A window asks for its controls' texts and applies those found:
//   auto texts = qor::AppLanguage().TranslateWindow(u"FormScrollWinsTools",
//                                                    {{u"Btn_Save", u"Hint"}, {u"lbl_Size", u"Caption"}});
//   if (texts[0]) button.SetHint(*texts[0]);
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/IniHashedStringList.h"

namespace qor {

// A read-only in-memory ini file: read whole with no sharing restriction, decoded by its byte-order mark
// (UTF-16, UTF-8, or the ANSI code page) and parsed like Config.ini.
class TExtIniFile {
 public:
  // False when the file cannot be read; the content is then left as it was.
  bool LoadFromFile(std::u16string_view fileName);
  void LoadFromBytes(std::string_view bytes);

  std::optional<std::u16string> Value(std::u16string_view section, std::u16string_view ident) const {
    return FSections.ReadValue(section, ident);
  }
  std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                            std::u16string_view defaultValue) const;
  bool SectionExists(std::u16string_view section) const { return FSections.SectionExists(section); }
  const TIniHashedStringList* Section(std::u16string_view section) const { return FSections.Section(section); }
  const TIniSections& Sections() const { return FSections; }

 private:
  TIniSections FSections;
};

// One text a window asks for: the component's name and the property, e.g. {"Btn_Save", "Hint"} or
// {"cmb_Format", "Items[2].Caption"}. The key in the file is component + "." + property.
struct TTextRequest {
  std::u16string Component;
  std::u16string Property;
};

// Which properties of a control are translated, by the kind of control.
enum class TTranslatableKind {
  ImageNote,  // TRdImageNote: "Caption", only when the control has a text
  HtmlLabel,  // TRdHtmLabel and its sibling skinned label: "Hint", "Caption"
  Label,      // standard label: "Caption"
  Captioned,  // button, group box, check box, radio button, tool/speed button, tab sheet, menu item: "Caption"
  ItemList,   // check list box, combo box: "Items[i].Caption" for each item
  TreeView,   // "Items[i].Caption" for each node in list order
  ListView,   // "Columns[i].Caption" for each column
  Other,      // not translated
};
std::vector<std::u16string> TranslatableProperties(TTranslatableKind kind, int itemCount = 0, bool hasText = true);

class TLanguage {
 public:
  // languageFolder: the folder holding the .lng files (with or without a trailing separator).
  explicit TLanguage(std::u16string languageFolder, std::u16string productKey = u"Qor_Screen");

  // Makes the language current: its file, else English.lng. Without either file (or when the file cannot be
  // read) the previous texts stay and false is returned.
  bool Load(std::u16string_view languageName);

  // The stored text when the key is present (even when empty), else the default. Used as stored ("<br>" stays).
  std::u16string MessageText(std::u16string_view key, std::u16string_view defaultText) const;
  // A text of a window's section (product key + "_" + window name), "<br>" turned into CR LF.
  std::optional<std::u16string> WindowText(std::u16string_view windowName, std::u16string_view key) const;
  // A text of the section "Main", "<br>" turned into CR LF.
  std::u16string MainText(std::u16string_view key, std::u16string_view defaultText) const;
  // For each request, the text found in the window's section, or nullopt to keep the design-time text.
  std::vector<std::optional<std::u16string>> TranslateWindow(std::u16string_view windowName,
                                                             const std::vector<TTextRequest>& requests) const;

  std::u16string LanguageFileName(std::u16string_view languageName) const;
  const std::u16string& LanguageName() const { return FLanguageName; }
  const std::u16string& DisplayName() const { return FDisplayName; }
  const std::u16string& Folder() const { return FFolder; }
  const std::u16string& ProductKey() const { return FProductKey; }

 private:
  std::u16string FFolder;
  std::u16string FLanguageName;
  std::u16string FDisplayName;
  std::u16string FProductKey;
  TIniHashedStringList FMessages;
  TExtIniFile FFile;
};

// The process-wide language object: folder ExecutableFolder() + "Language", product key "Qor_Screen".
TLanguage& AppLanguage();

}  // namespace qor
