#include "companions/stitch/LongPictureApi.h"

#include <mutex>

#include "companions/stitch/LongPicture.h"

namespace qor::stitch {

namespace {

std::mutex& EntryLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

TLongPicture& EntryPointPicture() {
  static TLongPicture picture;
  return picture;
}

void ResetEntryPoint() {
  std::lock_guard<std::mutex> guard(EntryLock());
  EntryPointPicture().Reset();
}

}  // namespace qor::stitch

extern "C" int32_t QOR_STITCH_CALL OpencvLongScreenShot(int32_t direction, const uint8_t* frameData, int32_t frameSize,
                                                        uint8_t** resultData, int32_t* resultSize) {
  using namespace qor::stitch;
  if (resultData == nullptr || resultSize == nullptr) return 0;
  // Calls come one at a time from the program; the lock only guards against a caller that breaks that promise.
  std::lock_guard<std::mutex> guard(EntryLock());
  TLongPicture& picture = EntryPointPicture();
  bool ok = false;
  try {
    const bool downward = direction != 0;
    ok = frameData != nullptr && frameSize > 0 && IsSuccess(picture.AddFrame(downward, frameData, size_t(frameSize)));
  } catch (...) {
    // Out of memory while growing: the picture is unchanged (reallocation happens before any row is written).
    ok = false;
  }
  *resultData = const_cast<uint8_t*>(picture.Data());
  *resultSize = int32_t(picture.Size());
  return ok ? 1 : 0;
}
