#include "companions/pin/PinHandOver.h"

#include "app/SafeIniFile.h"
#include "base/BmpFile.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

bool ParseCoordinate(std::u16string_view text, int32_t& value) {
  int64_t v = 0;
  if (!ParseIniInteger(text, v) || v < -PinMaxCoordinate || v > PinMaxCoordinate) return false;
  value = static_cast<int32_t>(v);
  return true;
}

}  // namespace

std::optional<TRect> PinRectFromTexts(std::u16string_view left, std::u16string_view top, std::u16string_view right,
                                      std::u16string_view bottom, std::u16string& why) {
  TRect r;
  if (!ParseCoordinate(left, r.Left) || !ParseCoordinate(top, r.Top) || !ParseCoordinate(right, r.Right) ||
      !ParseCoordinate(bottom, r.Bottom)) {
    why = u"rectangle keys missing or not numbers";
    return std::nullopt;
  }
  if (r.IsEmpty()) {
    why = u"empty rectangle";
    return std::nullopt;
  }
  if (r.Width() > BmpMaxDimension || r.Height() > BmpMaxDimension) {
    why = u"rectangle too large";
    return std::nullopt;
  }
  return r;
}

std::optional<TPinRequest> PinFromHandOver(std::string_view bmpBytes, std::u16string_view left, std::u16string_view top,
                                           std::u16string_view right, std::u16string_view bottom, std::u16string& why) {
  const auto rect = PinRectFromTexts(left, top, right, bottom, why);
  if (!rect) return std::nullopt;
  TPinRequest pin{*rect, {}};
  const TBmpError error = ReadBmp(reinterpret_cast<const uint8_t*>(bmpBytes.data()), bmpBytes.size(), pin.Picture);
  if (error != TBmpError::None) {
    why = u"picture unreadable: " + Latin1ToUtf16(BmpErrorText(error));
    return std::nullopt;
  }
  // The picture is shown opaque, whatever the file's fourth byte says.
  const TImageView& view = pin.Picture.View();
  for (int32_t y = 0; y < view.Height; ++y) {
    TBgra* row = view.Row(y);
    for (int32_t x = 0; x < view.Width; ++x) row[x].A = 255;
  }
  return pin;
}

}  // namespace qor
