#pragma once
// Puts a picture on the clipboard: CF_DIB (24-bit rows, so other programs and clipboard bridges read the exact
// pixels) and, when the system can make one, CF_BITMAP (a device-dependent bitmap of the screen's format). The DIB
// is what counts: a very tall picture (a long capture) whose device bitmap cannot be made is still copied as a DIB,
// which readers of CF_BITMAP get converted by the system. The clipboard is opened with retries because another
// program may hold it for a moment.
// Usage (the copy action, after the annotations are merged):
//   switch (qor::CopyImageToClipboard(selection.View(), overlay.Handle())) {
//     case qor::TClipboardCopyResult::Copied: ... hide, show the tip, close and tell the launcher
//     case qor::TClipboardCopyResult::Locked: ... the picture is NOT on the clipboard: keep the capture open
//   }
#include <windows.h>

#include <string>

#include "base/Image.h"
#include "base/win/UniqueHandle.h"

namespace qor {

struct TClipboardRetry {
  int Attempts = 20;
  DWORD DelayMs = 100;  // wait after each failed attempt but the last
};

enum class TClipboardCopyResult {
  Copied,  // the picture is on the clipboard
  Locked,  // every attempt to open the clipboard failed; the clipboard is unchanged
  Empty,   // nothing to copy (0-sized picture); the clipboard is unchanged
  Failed,  // the DIB could not be allocated or was refused by the system; the clipboard may have been emptied
};

// Opens the clipboard for owner (may be null), trying retry.Attempts times; false when it stayed locked.
bool OpenClipboardWithRetry(HWND owner, const TClipboardRetry& retry = {});

// The CF_DIB of a picture in moveable global memory, as SetClipboardData takes it: BITMAPINFOHEADER (BI_RGB,
// 24 bits, bottom-up) and the padded rows. Empty for an empty picture or when the memory cannot be had.
TGlobalMemory PackedDib24(const TConstImageView& image);

TClipboardCopyResult CopyImageToClipboard(const TConstImageView& image, HWND owner = nullptr,
                                          const TClipboardRetry& retry = {});

// What happened, in a few English words for the log and the message ("the clipboard is in use by another program").
const char16_t* ClipboardCopyResultText(TClipboardCopyResult result);

}  // namespace qor
