#include "capture/SuspendedProcesses.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qor;

namespace {

using L = TProcessListLayout;

struct TProcess {
  uint64_t Id;
  std::vector<std::pair<uint32_t, uint32_t>> Threads;  // state, wait reason
};

template <typename T>
void Put(std::vector<uint8_t>& bytes, size_t at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::vector<uint8_t> List(const std::vector<TProcess>& processes) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < processes.size(); ++i) {
    const size_t at = bytes.size();
    const size_t recordSize = L::ProcessRecordSize + processes[i].Threads.size() * L::ThreadRecordSize;
    bytes.resize(at + recordSize);
    Put<uint32_t>(bytes, at, i + 1 < processes.size() ? uint32_t(recordSize) : 0);
    Put<uint32_t>(bytes, at + L::NumberOfThreadsOffset, uint32_t(processes[i].Threads.size()));
    Put<uint64_t>(bytes, at + L::ProcessIdOffset, processes[i].Id);
    for (size_t t = 0; t < processes[i].Threads.size(); ++t) {
      const size_t thread = at + L::ProcessRecordSize + t * L::ThreadRecordSize;
      Put<uint32_t>(bytes, thread + L::ThreadStateOffset, processes[i].Threads[t].first);
      Put<uint32_t>(bytes, thread + L::WaitReasonOffset, processes[i].Threads[t].second);
    }
  }
  return bytes;
}

}  // namespace

TEST(SuspendedProcesses, OnlyAFirstThreadWaitingBecauseSuspendedCounts) {
  const auto bytes = List({{4, {{5, 5}}},          // suspended
                           {8, {{2, 0}, {5, 5}}},  // running first thread: not suspended
                           {12, {{5, 6}}},         // waiting for something else
                           {16, {}},               // no threads
                           {0x1234567890, {{5, 5}, {2, 0}}}});
  EXPECT_EQ(SuspendedProcessIds(bytes.data(), bytes.size()), (std::vector<uint64_t>{4, 0x1234567890}));
}

TEST(SuspendedProcesses, ACutOrCorruptListIsReadOnlyAsFarAsItIsWhole) {
  auto bytes = List({{4, {{5, 5}}}, {8, {{5, 5}}}});
  EXPECT_EQ(SuspendedProcessIds(bytes.data(), bytes.size() - 1), (std::vector<uint64_t>{4}));
  Put<uint32_t>(bytes, 0, 0xFFFFFFF0u);  // the next record would lie far outside
  EXPECT_EQ(SuspendedProcessIds(bytes.data(), bytes.size()), (std::vector<uint64_t>{4}));
  EXPECT_TRUE(SuspendedProcessIds(bytes.data(), 10).empty());
  EXPECT_TRUE(SuspendedProcessIds(nullptr, 0).empty());
}
