#pragma once
// Windows of suspended processes (apps the system has put to sleep) are not offered for detection. The system
// reports its processes as a chain of records (the process information list); this reads which processes have a
// first thread that waits because it is suspended. Free of windows so that it is tested on made-up lists.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qor {

// Layout of the 64-bit process information list: each process record is 0x100 bytes followed by its thread
// records of 0x50 bytes; the first field of a record is the byte offset of the next one (0 for the last).
struct TProcessListLayout {
  static constexpr size_t ProcessRecordSize = 0x100;
  static constexpr size_t ThreadRecordSize = 0x50;
  static constexpr size_t NumberOfThreadsOffset = 4;
  static constexpr size_t ProcessIdOffset = 0x50;
  static constexpr size_t ThreadStateOffset = 0x44;
  static constexpr size_t WaitReasonOffset = 0x48;
  static constexpr uint32_t ThreadStateWaiting = 5;
  static constexpr uint32_t WaitReasonSuspended = 5;
};

// The identifiers of the suspended processes in the list. A list that is cut short or whose offsets point
// outside it yields what could be read before the fault, never a read outside the buffer.
std::vector<uint64_t> SuspendedProcessIds(const uint8_t* list, size_t size);

}  // namespace qor
