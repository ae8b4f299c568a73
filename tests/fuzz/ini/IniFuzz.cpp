// Any bytes as a Config.ini or language file: decoding and parsing never fail, a saved file reads back to the
// same content, and the value parsers take whatever a file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/IniHashedStringList.h"
#include "app/Language.h"
#include "app/SafeIniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void ParseValues(const qor::TIniSections& ini) {
  for (const std::u16string& name : ini.SectionNames()) {
    const qor::TIniHashedStringList* list = ini.Section(name);
    Check(list != nullptr);
    for (int i = 0; i < list->Count(); ++i) {
      if (!list->HasName(i)) continue;
      const std::u16string key = list->Name(i);
      const auto value = ini.ReadValue(name, key);
      Check(value.has_value());
      int64_t integer = 0;
      double number = 0;
      qor::TDateTimeValue when;
      bool hasDate = false, hasTime = false;
      qor::ParseIniInteger(*value, integer);
      qor::ParseIniFloat(*value, number);
      qor::ParseIniDateTime(*value, when, hasDate, hasTime);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The decoder gives at most one character per byte and round-trips through UTF-16 exactly.
  const std::u16string text = qor::DecodeText(bytes);
  Check(text.size() <= size);
  Check(qor::DecodeText(qor::EncodeUtf16LeWithBom(text)) == text);

  // What is saved reads back to the same sections and lines.
  qor::TIniSections ini;
  ini.Parse(text);
  const std::u16string saved = ini.Serialize();
  qor::TIniSections again;
  again.Parse(saved);
  Check(again.Serialize() == saved);
  ParseValues(ini);

  // A write is found again, whatever the file held.
  again.WriteValue(u"AIAssistant", u"ScreenshotCapTip", u"1");
  Check(again.ReadValue(u"aiassistant", u"SCREENSHOTCAPTIP") == u"1");

  // The language file reader over the same bytes.
  qor::TExtIniFile language;
  language.LoadFromBytes(bytes);
  language.ReadString(u"Qor_Screen_M", u"M_OK", u"OK");

  // UTF-8 conversion: once sanitised, text survives the round trip.
  const std::u16string fromUtf8 = qor::Utf8ToUtf16(bytes);
  Check(qor::Utf8ToUtf16(qor::Utf16ToUtf8(fromUtf8)) == fromUtf8);
  const std::string utf8 = qor::Utf16ToUtf8(text);
  Check(qor::Utf16ToUtf8(qor::Utf8ToUtf16(utf8)) == utf8);
  return 0;
}
