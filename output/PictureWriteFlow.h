#pragma once
// Writing the picture to one chosen file, free of windows: a file type that cannot hold a picture this large (a
// long scrolling capture as JPEG, say) is said plainly and PNG offered under the same name, so a long capture is
// not lost to a format limit; any other failure is reported with the usual "not saved" text.
// Usage:
//   class THost : public qor::TPictureWriteHost { ... SaveNewBitmap, message boxes ... };
//   if (auto written = qor::RunPictureWrite(path, {image.Width, image.Height}, host)) { done: *written }
#include <optional>
#include <string>

#include "base/Geometry.h"
#include "output/SaveResult.h"

namespace qor {

class TPictureWriteHost {
 public:
  virtual ~TPictureWriteHost() = default;
  // Writes the picture to path (SaveNewBitmap).
  virtual TSaveResult Save(const std::u16string& path) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  // A Yes/No question; true only for Yes.
  virtual bool Ask(const std::u16string& question) = 0;
  // The overwrite question for path; true only for Yes.
  virtual bool ConfirmOverwrite(const std::u16string& path) = 0;
  // A message the user only acknowledges.
  virtual void Tell(const std::u16string& text) = 0;
  virtual void Log(const std::u16string& line) = 0;
};

// The PNG file offered when path's type cannot hold the picture: the same name with ".png"; empty when path is a
// PNG already.
std::u16string PngFallbackPath(const std::u16string& path);

// The message for a picture of size too large for path's type, with the PNG question after it.
std::u16string TooLargeQuestion(const std::u16string& path, TSize size);

// Writes the picture to path, or after a Yes to the PNG offer, to PngFallbackPath(path) (asking first whether
// to replace that file when it exists). The path written; nothing when nothing was written, in which case the user
// has been told why or has said No.
std::optional<std::u16string> RunPictureWrite(const std::u16string& path, TSize size, TPictureWriteHost& host);

}  // namespace qor
