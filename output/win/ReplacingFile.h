#pragma once
// A file written in pieces that appears under its name only when complete: the bytes go to a new temporary file
// beside the target, and Commit flushes it and puts it in place of the target in one step. Without a successful
// Commit (a failed write, an encoder that gave up, an exception) the temporary file is removed and the target is
// left as it was.
// Usage:
//   qor::TReplacingFile file(path);
//   if (qor::WritePngTo(file, view) && file.Commit()) ... saved
#include <windows.h>

#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "output/ByteSink.h"

namespace qor {

class TReplacingFile : public TByteSink {
 public:
  explicit TReplacingFile(std::u16string path);
  ~TReplacingFile() override;
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  // False when the temporary file could not be created (a missing folder, no access) or written; every later write
  // and the Commit then fail too.
  bool Write(const uint8_t* data, size_t size) override;
  // Flushes what is buffered, then replaces the target; true when the complete file is in place. Nothing can be
  // written after it.
  bool Commit();
  // True once the file could not be created or written (an encoder's failure tells apart from the file's by it).
  bool WriteFailed() const { return FFailed; }

 private:
  bool Flush();
  void Abandon();

  std::u16string FPath;
  std::wstring FTemp;
  TKernelHandle FFile;
  std::vector<uint8_t> FBuffer;
  bool FFailed = false;
  bool FCommitted = false;
};

}  // namespace qor
