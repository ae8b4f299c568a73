// Any bytes as one colour value (in an RGB and a BGR group) and as a colour file: parsing, merging, tinting and
// drawing never fail, names keep their codes, and every name draws as a colour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CommonLib/RdControl/RdColorTable.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = qor::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));

  for (const bool bgr : {false, true}) {
    const auto value = qor::ParseRccColorValue(text, bgr);
    if (value && value->IsLink) Check(!value->Link.empty());
    // "#RRGGBB", "r,g,b" and bare RGB values are plain colours.
    if (value && !value->IsLink && !bgr && qor::Trim(text).front() != u'$') Check((value->Color >> 24) == 0);
  }
  Check(qor::IsRccColorCode(qor::RccColorCode(text)));
  Check(qor::RccColorCode(text) == qor::RccColorCode(qor::UpperCase(text)));

  qor::TRdColorTable table;
  table.LoadColorFile(text);
  table.MergeColors();
  table.SetTint(0x336699);
  const uint32_t code = table.IdentToColor(text);
  const uint32_t drawn = table.ColorToRGB(code);
  // Whatever the name, it draws as something other than a name code.
  Check(!qor::IsRccColorCode(drawn));
  if (auto name = table.ColorToIdent(code)) Check(table.IdentToColor(*name) == code);
  table.SetTint(qor::RccNoTint);
  return 0;
}
