// Any bytes as a picture reference script and as a frame script: reading never fails, the written script reads
// back to itself, inheriting from any other script keeps the explicit values, and frame scripts stay within their
// limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CommonLib/RdControl/RdgImage.h"
#include "CommonLib/RdControl/RdgPlayScript.h"
#include "base/TextDecoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = qor::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  qor::TRdgImage ref;
  ref.SetText(text);
  const std::u16string written = ref.Text();
  qor::TRdgImage again;
  again.SetText(written);
  Check(again.Text() == written);
  // Values at their defaults are left out of the written script, so they read back as absent.
  Check(again.ImgOpt().value_or(qor::TDesignRect{}) == ref.ImgOpt().value_or(qor::TDesignRect{}));
  Check(again.ImgRect() == ref.ImgRect() && again.SmoothFilter() == ref.SmoothFilter());
  Check(again.AlphaBlendValue() == ref.AlphaBlendValue() && again.Duration().value_or(0) == ref.Duration().value_or(0));

  // The second half of the input as a parent.
  qor::TRdgImage parent;
  parent.SetText(std::u16string_view(text).substr(text.size() / 2));
  qor::TRdgImage child = ref;
  child.Inherit(parent);
  for (const qor::TRdgScriptLine& line : ref.Values())
    if (line.Explicit) Check(child.IsExplicit(line.Name));
  ref.Text(&parent);

  for (const qor::TRdgFrameStep& step : qor::ParseRdgPlayScript(text, 50)) {
    Check(step.Frame >= 0 && step.Frame <= qor::RdgMaxFrame);
    Check(step.Milliseconds >= 0 && step.Milliseconds <= qor::RdgMaxFrameTime);
  }
  Check(qor::ParseRdgPlayScript(text, 50).size() <= qor::RdgMaxSteps);
  return 0;
}
