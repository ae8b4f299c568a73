// The statistics library's parameter record comes from outside: any UTF-16 text must parse or be refused cleanly.
#include <cstddef>
#include <cstdint>
#include <string>

#include "companions/stats/StatCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text(size / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
  if (auto fields = qor::ParseFlatJsonObject(text)) {
    for (const auto& [name, value] : *fields) {
      qor::TStatRecord record{name, value, name, true, false, value};
      (void)qor::StatRecordLine(record);
    }
  }
  return 0;
}
