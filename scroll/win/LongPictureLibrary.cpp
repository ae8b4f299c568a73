#include "scroll/win/LongPictureLibrary.h"

#include "base/FileSystem.h"
#include "base/win/ProcAddress.h"
#include "base/win/WinConvert.h"
#include "scroll/win/ScrollTrace.h"

namespace qor {

void TLongPictureLibrary::Load(const std::u16string& folder) {
  const std::u16string path = folder + LongPictureLibraryName;
  if (!FModule) {
    if (!FileSystem().FileExists(path)) {
      ScrollTrace(path + u" no exist.");
      return;
    }
    FModule.Reset(::LoadLibraryW(Wide(path)));
    if (!FModule) {
      ScrollTrace(u"FLongPictureModulde =0");
      return;
    }
  }
  if (!FEntry) {
    FEntry = ProcAddress<TOpencvLongScreenShot>(FModule.Get(), "OpencvLongScreenShot");
    if (!FEntry) ScrollTrace(u"g_OpencvLongScreenShot =nil");
  }
}

void TLongPictureLibrary::Unload() {
  FEntry = nullptr;
  FModule.Reset();
}

}  // namespace qor
