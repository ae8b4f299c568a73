#include "output/SaveResult.h"

namespace qor {

const char16_t* SaveResultText(TSaveResult result) {
  switch (result) {
    case TSaveResult::Saved: return u"saved";
    case TSaveResult::EmptyImage: return u"the image is empty";
    case TSaveResult::UnknownExtension: return u"no writer for the file extension";
    case TSaveResult::TooLargeForFormat: return u"the picture is too large for the file type";
    case TSaveResult::EncodeFailed: return u"the image could not be encoded";
    case TSaveResult::WriteFailed: return u"the file could not be written";
  }
  return u"";
}

}  // namespace qor
