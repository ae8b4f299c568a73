#include "capture/SuspendedProcesses.h"

#include <cstring>

namespace qor {

namespace {

template <typename T>
T Read(const uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

std::vector<uint64_t> SuspendedProcessIds(const uint8_t* list, size_t size) {
  using L = TProcessListLayout;
  std::vector<uint64_t> suspended;
  size_t at = 0;
  while (list && at <= size && size - at >= L::ProcessRecordSize) {
    const uint8_t* record = list + at;
    const uint32_t next = Read<uint32_t>(record);
    const uint32_t threads = Read<uint32_t>(record + L::NumberOfThreadsOffset);
    // Only the first thread decides, as the system's own check does.
    if (threads > 0 && size - at >= L::ProcessRecordSize + L::ThreadRecordSize) {
      const uint8_t* thread = record + L::ProcessRecordSize;
      if (Read<uint32_t>(thread + L::ThreadStateOffset) == L::ThreadStateWaiting &&
          Read<uint32_t>(thread + L::WaitReasonOffset) == L::WaitReasonSuspended)
        suspended.push_back(Read<uint64_t>(record + L::ProcessIdOffset));
    }
    if (next == 0) break;
    at += next;
  }
  return suspended;
}

}  // namespace qor
