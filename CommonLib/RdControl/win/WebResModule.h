#pragma once
// The skin package library webres.dll, loaded from the program's folder. A missing library (or a missing entry
// point) gives null entries, and the skin resources then read nothing: the windows keep their own pictures.
// Usage:
//   qor::SetSkinResourceCalls(qor::win::WebResLibraryCalls());   // once, before the first skin read
#include "CommonLib/RdControl/WebResCalls.h"

namespace qor::win {

// Loads the library on the first call (a copy already in the process is used as it is, without the system's box
// for a missing file) and gives its entry points.
TWebResCalls WebResLibraryCalls();

// Frees the library if WebResLibraryCalls loaded it. The calls given out before must not be used afterwards.
void UnloadWebResLibrary();

}  // namespace qor::win
