#pragma once
// Writes zip archives for the tests: well-formed ones, and hostile ones by editing the fields it reports where it
// wrote them. Deflated entries are compressed with zlib here, so the reader is checked against a real deflater.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qor::webres::testing {

struct TZipBuilder {
  struct TWritten {
    size_t Local = 0;    // local header
    size_t Central = 0;  // central record
  };
  std::vector<uint8_t> Data;
  std::vector<uint8_t> Directory;
  std::vector<TWritten> Written;
  uint16_t Count = 0;

  static std::vector<uint8_t> Deflate(const std::string& text) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&z, uLong(text.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = uInt(text.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
  }
  static void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
  }
  static void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, uint16_t(v));
    Put16(b, uint16_t(v >> 16));
  }
  static void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
  }
  static void Set16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
  }

  TZipBuilder& Add(const std::string& name, const std::string& text, bool deflated = false) {
    const std::vector<uint8_t> body = deflated ? Deflate(text) : std::vector<uint8_t>(text.begin(), text.end());
    const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(text.data()), uInt(text.size())));
    const uint16_t method = deflated ? 8 : 0;
    TWritten w;
    w.Local = Data.size();
    Put32(Data, 0x04034b50);
    Put16(Data, 20);
    Put16(Data, 0x0800);  // UTF-8 names
    Put16(Data, method);
    Put32(Data, 0);
    Put32(Data, crc);
    Put32(Data, uint32_t(body.size()));
    Put32(Data, uint32_t(text.size()));
    Put16(Data, uint16_t(name.size()));
    Put16(Data, 0);
    Data.insert(Data.end(), name.begin(), name.end());
    Data.insert(Data.end(), body.begin(), body.end());
    w.Central = Directory.size();
    Put32(Directory, 0x02014b50);
    Put16(Directory, 20);
    Put16(Directory, 20);
    Put16(Directory, 0x0800);
    Put16(Directory, method);
    Put32(Directory, 0);
    Put32(Directory, crc);
    Put32(Directory, uint32_t(body.size()));
    Put32(Directory, uint32_t(text.size()));
    Put16(Directory, uint16_t(name.size()));
    Put16(Directory, 0);
    Put16(Directory, 0);
    Put16(Directory, 0);
    Put16(Directory, 0);
    Put32(Directory, 0);
    Put32(Directory, uint32_t(w.Local));
    Directory.insert(Directory.end(), name.begin(), name.end());
    Written.push_back(w);
    ++Count;
    return *this;
  }
  // Field offsets inside a central record and a local header.
  static constexpr size_t kCentralMethod = 10, kCentralCrc = 16, kCentralCompressed = 20, kCentralSize = 24,
                          kCentralOffset = 42, kCentralName = 46;
  static constexpr size_t kLocalMethod = 8, kLocalName = 30;

  void SetCentral32(size_t entry, size_t field, uint32_t v) { Set32(Directory, Written[entry].Central + field, v); }
  void SetCentral16(size_t entry, size_t field, uint16_t v) { Set16(Directory, Written[entry].Central + field, v); }

  // The whole archive: data, central directory, end record.
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out = Data;
    const size_t directoryOffset = out.size();
    out.insert(out.end(), Directory.begin(), Directory.end());
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, Count);
    Put16(out, Count);
    Put32(out, uint32_t(Directory.size()));
    Put32(out, uint32_t(directoryOffset));
    Put16(out, 0);
    return out;
  }
};

}  // namespace qor::webres::testing
