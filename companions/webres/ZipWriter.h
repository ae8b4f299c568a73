#pragma once
// Writes zip archives that TZipArchive reads: stored or deflated entries with UTF-8 names, one fixed time stamp
// (1 January 1980), so the same files always give the same bytes. No ZIP64: the archive stays under 4 GiB.
//
//   TZipWriter zip;
//   zip.Add("main.ini", text);                      // deflated when that makes it smaller
//   zip.Add("images/bg.png", png, TZipMethod::Stored);
//   std::optional<std::vector<uint8_t>> bytes = zip.Finish();
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qor::webres {

enum class TZipMethod { Stored, Deflated, Smaller };

class TZipWriter {
 public:
  // False, with nothing added, for a name TZipArchive would not index as given (see NormaliseEntryName), a name
  // already added, or when zlib fails. Smaller keeps the deflated bytes only when they are fewer.
  bool Add(std::string_view name, std::span<const uint8_t> data, TZipMethod method = TZipMethod::Smaller);
  bool Add(std::string_view name, std::string_view text, TZipMethod method = TZipMethod::Smaller);
  size_t Count() const { return FCount; }
  // The whole archive; nothing when it has outgrown the 32-bit sizes and offsets of a plain zip.
  std::optional<std::vector<uint8_t>> Finish() const;

 private:
  std::vector<uint8_t> FData;
  std::vector<uint8_t> FDirectory;
  std::vector<std::string> FNames;
  size_t FCount = 0;
};

// Raw deflate (no zlib header) at the best compression; nothing when zlib fails.
std::optional<std::vector<uint8_t>> DeflateRaw(std::span<const uint8_t> data);

}  // namespace qor::webres
