#pragma once
// Start-up wiring of the settings, log and language code to Windows. Call once, first thing in WinMain.
// Usage:
//   qor::win::InstallAppSeams();
// It installs the Win32 file system and the ANSI code page (base/win/WinFileSystem.h), sets the parent product's
// folder ("<local app data>\Corvane\") for Config.ini, and points the log at "...\Corvane\Logs\<exe>.log".
namespace qor::win {

void InstallAppSeams();

}  // namespace qor::win
