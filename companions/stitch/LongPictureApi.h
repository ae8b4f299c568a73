#pragma once
// The stitching library's one entry point, exported undecorated from opencv_longpicture.dll and called directly by
// the longpicture-stitch tool. It keeps one picture per load of the library: the first call of a load starts it.
//
//   direction   1: the frame's content joins below (also the first frame of a run), 0: it joins above
//   frameData   a complete BMP file image of the frame (24 or 32 bits per pixel, bottom-up or top-down)
//   frameSize   bytes at frameData
//   resultData  receives the address of the whole picture so far, a complete 24-bit BMP file image; it stays
//               valid until the next call and belongs to the library
//   resultSize  receives its byte count
//
// Returns 1 when the frame was stitched (or lay inside the picture already), 0 when it was not: a malformed
// frame, a frame of another size than the first, no trustworthy join, or a picture that would pass the height
// limit. On 0 the picture is unchanged, and it is still returned when there is one. The value is a full 32-bit
// 0 or 1, so a caller that reads only the low byte as a boolean sees the same answer.
//
// Calling convention: the platform's standard one (__stdcall, which on x64 is the single x64 convention).
#include <cstdint>

#if defined(_WIN32)
#define QOR_STITCH_CALL __stdcall
#else
#define QOR_STITCH_CALL
#endif

extern "C" int32_t QOR_STITCH_CALL OpencvLongScreenShot(int32_t direction, const uint8_t* frameData, int32_t frameSize,
                                                        uint8_t** resultData, int32_t* resultSize);

// The function type a caller looks up with GetProcAddress.
using TOpencvLongScreenShot = int32_t(QOR_STITCH_CALL*)(int32_t, const uint8_t*, int32_t, uint8_t**, int32_t*);

namespace qor::stitch {

class TLongPicture;

// The picture behind the entry point; tests and the fuzzer reset it to start a new run without reloading.
TLongPicture& EntryPointPicture();
void ResetEntryPoint();

}  // namespace qor::stitch
