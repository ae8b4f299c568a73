#pragma once
// The scrolling run's system-wide low-level mouse and keyboard hooks. They run on the thread that installed them
// (the user-interface thread, through its message loop) and ask their sink what to do with each event. Low-level
// hooks carry no context pointer, so one set of hooks exists at a time; installing them again replaces the sink.
// Usage:
//   class TMyRun : public qor::TRunHookSink { bool OnMouse(...) override; bool OnKey(...) override; };
//   qor::TRunHooks hooks;
//   hooks.Install(run);   // false when the system refused a hook
//   hooks.Remove();       // also on destruction
#include <windows.h>

#include "base/win/UniqueHandle.h"

namespace qor {

class TRunHookSink {
 public:
  virtual ~TRunHookSink() = default;
  // message: WM_MOUSEWHEEL, WM_LBUTTONDOWN ...; true swallows the event.
  virtual bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& event) = 0;
  // Key-down events only; true swallows the key.
  virtual bool OnKey(const KBDLLHOOKSTRUCT& event) = 0;
};

class TRunHooks {
 public:
  TRunHooks() = default;
  ~TRunHooks() { Remove(); }
  TRunHooks(const TRunHooks&) = delete;
  TRunHooks& operator=(const TRunHooks&) = delete;

  bool Install(TRunHookSink& sink);
  void Remove();
  bool Installed() const { return static_cast<bool>(FMouse); }

 private:
  THookHandle FMouse;
  THookHandle FKeyboard;
};

}  // namespace qor
