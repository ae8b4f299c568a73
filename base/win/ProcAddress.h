#pragma once
// A typed GetProcAddress: nullptr when the module lacks the entry point.
#include <windows.h>

namespace qor {
template <typename TFunction>
TFunction ProcAddress(HMODULE module, const char* name) {
  return module ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
}  // namespace qor
