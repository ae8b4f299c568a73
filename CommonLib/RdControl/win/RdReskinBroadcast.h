#pragma once
// The window side of a skin change: every top-level window of the process gets RdReskinMessage (45092, both
// parameters 0) and is then redrawn with its children, so each window can take its new skin values and show them.
//
// A window reacts in its message handler; the message comes before the redraw, so what it changes is painted:
//   case RdReskinMessage:            // from CommonLib/RdControl/RdSkinStyle.h
//     OnReskin();                    // take new colours and pictures; no painting here
//     return 0;
//
// At start-up, hand the broadcast to the skin styles once:
//   InstallReskinBroadcast(RdSkinStyles());
#include <windows.h>

#include <cstdint>

#include "CommonLib/RdControl/RdSkinStyle.h"

namespace qor {

// Sends the message to every top-level window of the current process (windows of other threads of the process
// too, waiting at most timeoutMs for each of those) and redraws each window with the flags (RdReskinRedrawFull or
// RdReskinRedrawErase). Returns the number of windows told.
int BroadcastReskin(uint32_t redrawFlags = RdReskinRedrawFull, UINT timeoutMs = 1000);

// Makes BroadcastReskin the styles' window broadcast.
void InstallReskinBroadcast(TRdSkinStyles& styles);

}  // namespace qor
