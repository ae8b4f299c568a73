#include "companions/pin/win/PinHandOverFile.h"

#include <windows.h>

#include "app/SafeIniFile.h"
#include "base/FileSystem.h"
#include "base/win/WinConvert.h"
#include "output/PinContract.h"

namespace qor {

namespace {

// A pinned picture may be a long scrolled one: allow more than the usual read limit.
constexpr uint64_t MaxPinFileBytes = 2ull << 30;

}  // namespace

std::u16string PinPicturePath() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return FromWide(buffer, length) + std::u16string(PinPictureFileName);
}

std::optional<TPinRequest> ReadPinHandOver(std::u16string& why) {
  const std::u16string path = PinPicturePath();
  std::string bytes;
  if (path.empty() || !FileSystem().ReadWholeFile(path, bytes, MaxPinFileBytes)) {
    why = u"cannot read " + path;
    return std::nullopt;
  }
  const auto key = [](std::u16string_view ident) { return ReadConfigString(PinSection, ident, u""); };
  return PinFromHandOver(bytes, key(PinLeftKey), key(PinTopKey), key(PinRightKey), key(PinBottomKey), why);
}

}  // namespace qor
