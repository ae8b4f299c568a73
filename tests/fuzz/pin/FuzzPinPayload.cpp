// What reaches the pin program comes from outside: any WM_COPYDATA bytes must unpack or be refused cleanly, and an
// accepted pin packs back to the same bytes; any file in the temporary folder must read as a pin or be refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "companions/pin/PinHandOver.h"
#include "companions/pin/PinPayload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (auto pin = qor::UnpackPinRequest(data, size)) {
    const auto again = qor::PackPinRequest(pin->Rect, pin->Picture.View());
    if (again.size() != size || std::memcmp(again.data(), data, size) != 0) std::abort();
  }
  std::u16string why;
  (void)qor::PinFromHandOver(std::string_view(reinterpret_cast<const char*>(data), size), u"0", u"0", u"10", u"10",
                             why);
  return 0;
}
