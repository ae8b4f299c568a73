#include "app/win/ProcessState.h"

namespace qor {

TProcessState& ProcessState() {
  static TProcessState state;
  return state;
}

void TerminateCapture() { ::ExitProcess(0); }

}  // namespace qor
