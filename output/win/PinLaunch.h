#pragma once
// Handing a picture to the pin program: the picture file in the temporary folder, the placement keys in Config.ini,
// then the program started from the executable's folder.
// Usage:
//   switch (qor::HandPictureToPin(picture, {0, 0}, screenRect)) { case qor::TPinHandOver::Started: ... }
#include <string>

#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

enum class TPinHandOver {
  Started,       // the files are written and the program was asked to start
  NoTempFolder,  // nothing can be handed over
  NotWritten,    // the picture file could not be written: the picture must stay with the caller
};

// rect: where the picture lies, in coordinates whose origin is desktopOrigin on the screen.
TPinHandOver HandPictureToPin(const TConstImageView& picture, TPoint desktopOrigin, const TRect& rect);

}  // namespace qor
