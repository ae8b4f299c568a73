#pragma once
// A sink for the encoders' tests that keeps the bytes and the size of every write, and can refuse writes.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "output/ByteSink.h"

namespace qor::test {

// Keeps what it is given and how it came: the size of every write.
class TRecordingSink : public TByteSink {
 public:
  bool Write(const uint8_t* data, size_t size) override {
    if (Refused || Bytes.size() + size > RefuseAfter) {
      WritesRefused++;
      Refused = true;
      return false;
    }
    Sizes.push_back(size);
    Bytes.insert(Bytes.end(), data, data + size);
    return true;
  }
  size_t LargestWrite() const { return Sizes.empty() ? 0 : *std::max_element(Sizes.begin(), Sizes.end()); }
  std::vector<size_t> Sizes;
  std::vector<uint8_t> Bytes;
  size_t RefuseAfter = SIZE_MAX;  // refuses the write that would go beyond this many bytes, and every later one
  bool Refused = false;
  int WritesRefused = 0;
};

}  // namespace qor::test
