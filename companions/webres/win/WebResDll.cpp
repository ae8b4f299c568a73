// webres.dll: the skin package reader behind the exports declared in WebResApi.h. The packages and string handles
// live in a function-local static, so unloading the library frees them.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
