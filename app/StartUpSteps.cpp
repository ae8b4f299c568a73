#include "app/StartUpSteps.h"

#include "base/Utf16Text.h"

namespace qor {

void TStartUpSteps::Mark(std::u16string_view step, int64_t nowUs) { FSteps.push_back({std::u16string(step), nowUs}); }

std::vector<std::u16string> TStartUpSteps::Lines() const {
  std::vector<std::u16string> lines;
  int64_t previous = FOriginUs;
  for (const TStep& s : FSteps) {
    lines.push_back(u"[StartUp]" + s.Name + u" " + MillisecondsText(s.EndUs - previous) + u" ms, at " +
                    MillisecondsText(s.EndUs - FOriginUs) + u" ms");
    previous = s.EndUs;
  }
  return lines;
}

std::u16string MillisecondsText(int64_t us) {
  const bool negative = us < 0;
  const int64_t tenths = ((negative ? -us : us) + 50) / 100;
  std::u16string text(negative && tenths ? u"-" : u"");
  text.append(IntToText(tenths / 10)).append(u".").append(IntToText(tenths % 10));
  return text;
}

}  // namespace qor
