#pragma once
// Where an encoder's bytes go as it makes them, so that a picture of any height is written through a small
// buffer instead of being built whole in memory first.
// Usage:
//   qor::TVectorSink bytes;                         // or a file sink (output/win/ReplacingFile.h)
//   if (qor::WritePngTo(bytes, image.View())) use(bytes.Bytes);
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qor {

class TByteSink {
 public:
  virtual ~TByteSink() = default;
  // Takes the next size bytes; false when they could not be kept (disk full, ...), which ends the encoding.
  virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// Collects everything in memory (the in-memory encoder calls and the tests).
class TVectorSink : public TByteSink {
 public:
  bool Write(const uint8_t* data, size_t size) override {
    Bytes.insert(Bytes.end(), data, data + size);
    return true;
  }
  std::vector<uint8_t> Bytes;
};

}  // namespace qor
