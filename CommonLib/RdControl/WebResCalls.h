#pragma once
// The entry points of the skin package library (webres.dll) as the resource layer calls them. On Windows they are
// resolved from the loaded module (win/WebResModule.h); natively the tests bind them to the library's own code.
// A table whose entries are null stands for a missing library: every read is then empty.
#include <cstdint>

#if defined(_WIN32)
#define QOR_WEBRES_CALLBACK __stdcall
#else
#define QOR_WEBRES_CALLBACK
#endif

namespace qor {

struct TWebResCalls {
  int32_t(QOR_WEBRES_CALLBACK* Register)(const char16_t* packageFile) = nullptr;
  int32_t(QOR_WEBRES_CALLBACK* Unregister)(const char16_t* packageFile) = nullptr;
  int32_t(QOR_WEBRES_CALLBACK* Data)(const char16_t* resourcePath, uint8_t* buffer, int32_t* size) = nullptr;
  int32_t(QOR_WEBRES_CALLBACK* Enum)(const char16_t* folderPath, void* folders, void* files) = nullptr;
  void*(QOR_WEBRES_CALLBACK* StringCreate)() = nullptr;
  const char16_t*(QOR_WEBRES_CALLBACK* StringGet)(void* handle) = nullptr;
  void(QOR_WEBRES_CALLBACK* StringSet)(void* handle, const char16_t* text) = nullptr;
  void(QOR_WEBRES_CALLBACK* StringClose)(void* handle) = nullptr;

  bool IsComplete() const {
    return Register && Unregister && Data && Enum && StringCreate && StringGet && StringSet && StringClose;
  }
};

}  // namespace qor
