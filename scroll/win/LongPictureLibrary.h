#pragma once
// opencv_longpicture.dll, loaded beside the program for one scrolling run: a fresh load starts a fresh picture, so
// the library is loaded when the run window shows and freed when the run ends (after the worker has finished its
// last call: freeing it under a running call would pull the code out from under that thread).
// Usage:
//   TLongPictureLibrary library;
//   library.Load(ExecutableFolder());     // traces and leaves Entry() null when the file or the entry is missing
//   if (auto call = library.Entry()) call(1, frame, size, &result, &resultSize);
//   library.Unload();
#include <string>

#include "base/win/UniqueHandle.h"
#include "companions/stitch/LongPictureApi.h"

namespace qor {

inline constexpr char16_t LongPictureLibraryName[] = u"opencv_longpicture.dll";

class TLongPictureLibrary {
 public:
  // folder: the program's folder, with its trailing separator. Nothing happens when a module is loaded already.
  void Load(const std::u16string& folder);
  void Unload();
  TOpencvLongScreenShot Entry() const { return FEntry; }
  bool Loaded() const { return static_cast<bool>(FModule); }

 private:
  TModuleHandle FModule;
  TOpencvLongScreenShot FEntry = nullptr;
};

}  // namespace qor
