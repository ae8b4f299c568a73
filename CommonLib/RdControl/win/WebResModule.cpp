#include "CommonLib/RdControl/win/WebResModule.h"

#include <windows.h>

namespace qor::win {

namespace {

HMODULE LoadedModule = nullptr;  // only when this module loaded it
bool Tried = false;
TWebResCalls Calls;

template <typename T>
void Resolve(HMODULE module, const char* name, T& entry) {
  entry = reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

TWebResCalls WebResLibraryCalls() {
  if (Tried) return Calls;
  Tried = true;
  HMODULE module = ::GetModuleHandleW(L"webres.dll");
  if (!module) {
    const UINT previous = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    module = ::LoadLibraryW(L"webres.dll");
    ::SetErrorMode(previous);
    LoadedModule = module;
  }
  if (!module) return Calls;
  Resolve(module, "WebUIResourceRegister", Calls.Register);
  Resolve(module, "WebUIResourceUnregister", Calls.Unregister);
  Resolve(module, "WebUIResourceData", Calls.Data);
  Resolve(module, "WebUIResourceEnum", Calls.Enum);
  Resolve(module, "QStringCreate", Calls.StringCreate);
  Resolve(module, "QStringGet", Calls.StringGet);
  Resolve(module, "QStringSet", Calls.StringSet);
  Resolve(module, "QStringClose", Calls.StringClose);
  return Calls;
}

void UnloadWebResLibrary() {
  if (LoadedModule) ::FreeLibrary(LoadedModule);
  LoadedModule = nullptr;
  Calls = {};
  Tried = false;
}

}  // namespace qor::win
