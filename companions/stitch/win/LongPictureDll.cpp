// opencv_longpicture.dll: the stitching engine behind the exported OpencvLongScreenShot (see LongPictureApi.h).
// The picture lives in a function-local static, so every load of the library starts a new one and unloading
// frees it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
