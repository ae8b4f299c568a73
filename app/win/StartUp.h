#pragma once
// The steps of start-up that talk to the system.
#include <string>
#include <string_view>

namespace qor {

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

// The first argument of the program's command line (after its own path); empty when there is none.
std::u16string FirstArgument();

// Creates the owned mutex "Global\Varnel_Screenshot". When another copy holds it, posts 1125 to that copy's
// launcher and answers false: this copy must end.
bool ClaimSingleInstance();

// Enables "SeDebugPrivilege" in the process token; failure is ignored.
void EnableDebugPrivilege();

// The version of the parent product's "Tornvale.exe" beside the program, "4.0.0.0" when there is none.
std::wstring ParentProductVersion();

// Notes that the start-up step `step` has just ended (kept in memory; the first note fixes the origin at the
// process's creation). WriteStartUpSteps puts the notes into the detail log once the first picture is painted; later
// notes are ignored.
void MarkStartUpStep(std::u16string_view step);
void WriteStartUpSteps();

}  // namespace qor
