#include "output/win/ReplacingFile.h"

#include <algorithm>
#include <cstring>

#include "base/FileSystem.h"

namespace qor {
namespace {

// Writes reach the disk in pieces of this size: few system calls, little memory.
constexpr size_t BufferBytes = 1 << 20;

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TReplacingFile::TReplacingFile(std::u16string path) : FPath(std::move(path)), FTemp(Wide(TemporarySiblingName(FPath))) {
  FFile.Reset(::CreateFileW(FTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  FFailed = !FFile;
  if (!FFailed) FBuffer.reserve(BufferBytes);
}

TReplacingFile::~TReplacingFile() { Abandon(); }

bool TReplacingFile::Write(const uint8_t* data, size_t size) {
  if (FFailed || FCommitted) return false;
  while (size > 0) {
    const size_t room = BufferBytes - FBuffer.size();
    const size_t part = std::min(room, size);
    FBuffer.insert(FBuffer.end(), data, data + part);
    data += part;
    size -= part;
    if (FBuffer.size() == BufferBytes && !Flush()) return false;
  }
  return true;
}

bool TReplacingFile::Flush() {
  size_t done = 0;
  while (!FFailed && done < FBuffer.size()) {
    DWORD written = 0;
    const DWORD chunk = DWORD(FBuffer.size() - done);
    if (!::WriteFile(FFile.Get(), FBuffer.data() + done, chunk, &written, nullptr) || written == 0) FFailed = true;
    done += written;
  }
  FBuffer.clear();
  return !FFailed;
}

bool TReplacingFile::Commit() {
  if (FCommitted) return false;
  if (FFailed || !Flush() || !::FlushFileBuffers(FFile.Get())) {
    FFailed = true;
    Abandon();
    return false;
  }
  FFile.Reset();
  if (!::MoveFileExW(FTemp.c_str(), Wide(FPath).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    FFailed = true;
    ::DeleteFileW(FTemp.c_str());
    return false;
  }
  FTemp.clear();  // it is the target now
  FCommitted = true;
  return true;
}

void TReplacingFile::Abandon() {
  const bool created = bool(FFile);
  FFile.Reset();
  if (created && !FTemp.empty()) ::DeleteFileW(FTemp.c_str());
  FTemp.clear();
}

}  // namespace qor
