#pragma once
// The frame script of an animated skin picture (the "PlayScript" value of a picture reference): which frames of
// the picture strip are shown, in which order and for how long. The script is a row of segments:
//   <0-7 d=40>        frames 0 to 7, 40 ms each
//   <8 9 d=100 10>*3  frames 8 and 9 at the reference's duration, then 10 at 100 ms; the segment played 3 times
//   <7-0>             frames 7 down to 0
// Inside "<" ">" frames (a number or a range "a-b") and frame times ("d=" milliseconds, for the frames after it in
// the segment) are separated by spaces or ","; "*" and a count after ">" repeats the segment.
// Malformed text is dropped quietly: anything outside a segment, an item that is not a frame or a time, a segment
// without its ">", a repeat count that is not a number (played once). Frame numbers and times are clamped to
// RdgMaxFrame and RdgMaxFrameTime, and a script never yields more than RdgMaxSteps steps.
//   auto steps = ParseRdgPlayScript(ref.PlayScript(), ref.Duration().value_or(100));
//   for (const TRdgFrameStep& step : steps) ShowFrame(step.Frame, step.Milliseconds);
#include <cstdint>
#include <string_view>
#include <vector>

namespace qor {

inline constexpr int32_t RdgMaxFrame = 65535;
inline constexpr int32_t RdgMaxFrameTime = 600000;  // ten minutes
inline constexpr size_t RdgMaxSteps = 10000;

struct TRdgFrameStep {
  int32_t Frame = 0;
  int32_t Milliseconds = 0;
  friend bool operator==(const TRdgFrameStep&, const TRdgFrameStep&) = default;
};

// defaultMilliseconds: the time of frames before any "d=" of their segment.
std::vector<TRdgFrameStep> ParseRdgPlayScript(std::u16string_view script, int32_t defaultMilliseconds);

}  // namespace qor
