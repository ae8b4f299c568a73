#pragma once
// The steps of start-up that talk to the system.
#include <string>

namespace qor {

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

// Creates the owned mutex "Global\Varnel_Screenshot". When another copy holds it, posts 1125 to that copy's
// launcher and answers false: this copy must end.
bool ClaimSingleInstance();

// Enables "SeDebugPrivilege" in the process token; failure is ignored.
void EnableDebugPrivilege();

// The version of the parent product's "Tornvale.exe" beside the program, "4.0.0.0" when there is none.
std::wstring ParentProductVersion();

}  // namespace qor
