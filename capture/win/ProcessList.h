#pragma once
// The system's process information list, for finding suspended processes.
#include <cstdint>
#include <vector>

namespace qor {
// The identifiers of suspended processes; empty on systems before Windows 10 version 1903 or on any failure.
std::vector<uint64_t> QuerySuspendedProcesses();
}  // namespace qor
