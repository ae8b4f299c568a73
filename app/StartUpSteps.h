#pragma once
// Time stamps of the start-up steps, from the process's creation to the overlay's first picture. They are kept in
// memory and written to the detail log in one go after the first paint, so that measuring adds no file writes to
// the path it measures.
// Usage:
//   TStartUpSteps steps(processCreatedUs);
//   steps.Mark(u"grab", nowUs);                  // the step that ended now
//   for (auto& line : steps.Lines()) WriteLog(line, true);   // "[StartUp]grab 12.4 ms, at 140.2 ms"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

class TStartUpSteps {
 public:
  explicit TStartUpSteps(int64_t originUs = 0) : FOriginUs(originUs) {}

  // The step that has just ended at nowUs (same clock as the origin). Each step lasts from the previous mark (or
  // the origin) to its own.
  void Mark(std::u16string_view step, int64_t nowUs);
  // One line per step in the order marked: its duration and its end since the origin, in ms with one decimal.
  std::vector<std::u16string> Lines() const;
  bool Empty() const { return FSteps.empty(); }
  void Clear() { FSteps.clear(); }

 private:
  struct TStep {
    std::u16string Name;
    int64_t EndUs;
  };
  int64_t FOriginUs;
  std::vector<TStep> FSteps;
};

// Microseconds as milliseconds with one decimal, rounded: 12449 -> "12.4", -50 -> "-0.1".
std::u16string MillisecondsText(int64_t us);

}  // namespace qor
