#include "app/LogManage.h"

#include <chrono>
#include <ctime>

#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace qor {

TLocalTime LocalTimeNow() {
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return TLocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,          tm.tm_hour,
                    tm.tm_min,         tm.tm_sec,     static_cast<int>(ms)};
}

std::u16string FormatLogTimeStamp(const TLocalTime& t) {
  std::u16string out;
  out.reserve(25);
  out += ZeroPadded(t.Year, 4);
  out += u'-';
  out += ZeroPadded(t.Month, 2);
  out += u'-';
  out += ZeroPadded(t.Day, 2);
  out += u' ';
  out += ZeroPadded(t.Hour, 2);
  out += u':';
  out += ZeroPadded(t.Minute, 2);
  out += u':';
  out += ZeroPadded(t.Second, 2);
  out += u'.';
  out += ZeroPadded(t.Millisecond, 3);
  out += u"  ";
  return out;
}

// ---- TLogFileWriter ----

TLogFileWriter::TLogFileWriter(std::u16string fileName, int backupCount, uint64_t maxSize, bool timeStamp)
    : FFileName(std::move(fileName)), FMaxSize(maxSize), FBackupCount(backupCount), FTimeStamp(timeStamp) {}

TLogFileWriter::~TLogFileWriter() {
  const bool wasOpen = FFile != nullptr;
  FFile.reset();
  if (wasOpen && FileSystem().SizeOfFile(FFileName) == uint64_t{0}) FileSystem().RemoveFile(FFileName);
}

bool TLogFileWriter::Open() {
  TFileSystem& fs = FileSystem();
  if (!fs.FileExists(FFileName)) {
    const std::u16string folder = ExtractFileDir(FFileName);
    if (!folder.empty()) fs.MakeDirectories(folder);
  }
  FFile = fs.OpenForAppend(FFileName);
  if (!FFile) return false;
  FSize = FFile->Size();
  return true;
}

bool TLogFileWriter::Rotate() {
  TFileSystem& fs = FileSystem();
  const int backups = FBackupCount < 1 ? 1 : FBackupCount;
  fs.RemoveFile(FFileName + u".bak" + IntToText(backups));
  for (int i = backups - 1; i >= 1; --i) {
    const std::u16string from = FFileName + u".bak" + IntToText(i);
    if (fs.FileExists(from)) fs.RenameFile(from, FFileName + u".bak" + IntToText(i + 1));
  }
  // The copy needs the file closed: the open handle keeps other writers (and so some copiers) out.
  FFile.reset();
  const bool copied = fs.CopyFileTo(FFileName, FFileName + u".bak1");
  FFile = fs.OpenForAppend(FFileName);
  if (!FFile) return false;
  // Without a backup the old lines are kept and the file grows on rather than losing them.
  if (!copied) return true;
  if (!FFile->Truncate()) return false;
  FSize = 0;
  return true;
}

bool TLogFileWriter::WriteLine(std::u16string_view text, const TLocalTime& now) {
  if (!FFile) return false;
  if (FSize >= FMaxSize && !Rotate()) return false;
  if (FSize == 0) {
    if (!FFile->Write("\xFF\xFE")) return false;
    FSize = 2;
  }
  std::u16string line;
  line.reserve(text.size() + 27);
  if (FTimeStamp) line = FormatLogTimeStamp(now);
  line.append(text).append(u"\r\n");
  if (!FFile->Write(EncodeUtf16Le(line))) return false;
  FSize += 2 * line.size();
  return true;
}

// ---- TLogManage ----

TLogManage::TLogManage() = default;
TLogManage::~TLogManage() = default;

std::u16string TLogManage::ExecutablePathLocked() const {
  return FExecutablePath.empty() ? FileSystem().ExecutablePath() : FExecutablePath;
}

std::unique_ptr<TLogFileWriter> TLogManage::CreateWriter() const {
  std::u16string name = FFileName;
  if (name.empty()) {
    const std::u16string exe = ExecutablePathLocked();
    if (exe.empty()) return nullptr;
    name = ChangeFileExt(exe, u".log");
  }
  for (int counter = 0; counter <= MaxOpenRetries; ++counter) {
    std::u16string suffix(u"_");
    suffix.append(IntToText(counter)).append(u".log");
    const std::u16string candidate = counter == 0 ? name : ChangeFileExt(name, suffix);
    auto writer = std::make_unique<TLogFileWriter>(candidate, FBackupCount, FMaxFileSize, FTimeStamp);
    if (writer->Open()) return writer;
  }
  return nullptr;
}

bool TLogManage::DetailLogEnabled() const {
  std::u16string exe;
  {
    std::lock_guard lock(FLock);
    exe = ExecutablePathLocked();
  }
  if (exe.empty()) return false;
  return FileSystem().FileExists(IncludeTrailingSeparator(ExtractFileDir(exe)) + u"detaillog.ldt");
}

void TLogManage::WriteLog(std::u16string_view text, bool detailOnly) noexcept {
  try {
    if (detailOnly && !DetailLogEnabled()) return;
    std::lock_guard lock(FLock);
    const TLocalTime now = FClock ? FClock() : LocalTimeNow();
    if (!FWriter) FWriter = CreateWriter();
    if (!FWriter) return;  // no file could be opened: the line is dropped
    if (!FWriter->WriteLine(text, now)) {
      FWriter.reset();  // try afresh with the next line
      return;
    }
    if (!FKeepOpen) FWriter.reset();
  } catch (...) {
    // The log never fails towards its caller.
  }
}

void TLogManage::SetFileName(std::u16string_view fileName) {
  std::lock_guard lock(FLock);
  if (FWriter && !SameText(FFileName, fileName)) FWriter.reset();
  FFileName.assign(fileName);
}

std::u16string TLogManage::FileName() const {
  std::lock_guard lock(FLock);
  return FFileName;
}

void TLogManage::SetKeepOpen(bool keepOpen) {
  std::lock_guard lock(FLock);
  FKeepOpen = keepOpen;
  if (!keepOpen) FWriter.reset();
}

void TLogManage::SetTimeStamp(bool timeStamp) {
  std::lock_guard lock(FLock);
  FTimeStamp = timeStamp;
  FWriter.reset();
}

void TLogManage::SetMaxFileSize(uint64_t maxSize) {
  std::lock_guard lock(FLock);
  FMaxFileSize = maxSize;
  FWriter.reset();
}

void TLogManage::SetBackupCount(int backupCount) {
  std::lock_guard lock(FLock);
  FBackupCount = backupCount;
  FWriter.reset();
}

void TLogManage::SetClock(TLogClock clock) {
  std::lock_guard lock(FLock);
  FClock = std::move(clock);
}

void TLogManage::SetExecutablePath(std::u16string path) {
  std::lock_guard lock(FLock);
  FExecutablePath = std::move(path);
}

TLogManage& LogManage() {
  static TLogManage manager;
  return manager;
}

void WriteLog(std::u16string_view text, bool detailOnly) noexcept { LogManage().WriteLog(text, detailOnly); }

}  // namespace qor
