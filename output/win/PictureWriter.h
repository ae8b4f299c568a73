#pragma once
// Writes the picture to the file the user chose, with the questions and messages every caller needs: when the file
// type cannot hold a picture this large (a long capture as JPEG), the user is told so and asked whether to save it
// as PNG under the same name instead; any other failure gets the "could not be saved" message. Nothing is lost
// silently: false means nothing was written and the user knows why (or declined the PNG).
// Usage (a Save action, after the annotations are merged):
//   std::u16string written;
//   if (qor::WritePictureFile(Handle(), FrontImage(), path, &written)) { done; written may end in ".png" }
//   else { keep the capture open }
#include <windows.h>

#include <string>

#include "base/Image.h"

namespace qor {

// True when the picture is in a complete file; writtenPath (may be null) then receives that file's path.
bool WritePictureFile(HWND owner, const TConstImageView& image, const std::u16string& path,
                      std::u16string* writtenPath);

}  // namespace qor
