#pragma once
// Reads what the overlay handed over: "ZynPinTemp.bmp" in the user's temporary folder and the "StartPin" keys of
// Config.ini, both at once, so that a second pin writing them right after cannot mix into this one.
// Usage:
//   std::u16string why;
//   if (auto pin = qor::ReadPinHandOver(why)) ... else WriteLog(u"[Pin]no pin," + why);
#include <optional>
#include <string>

#include "companions/pin/PinHandOver.h"

namespace qor {

// The temporary folder (GetTempPathW, with its trailing separator) + "ZynPinTemp.bmp".
std::u16string PinPicturePath();
std::optional<TPinRequest> ReadPinHandOver(std::u16string& why);

}  // namespace qor
