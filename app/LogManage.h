#pragma once
// The process-wide diagnostic log: UTF-16 LE file with byte-order mark, one time-stamped line per call, one
// backup (".bak1") once the file reaches 5 MiB. Writing never fails towards the caller and is safe from any
// thread; lines never interleave.
// Usage:
//   qor::LogManage().SetFileName(qor::DefaultLogFilePath());   // once at start-up ("...\Corvane\Logs\<exe>.log")
//   qor::WriteLog(u"[SaveNewBitmap]ForceDirectories done");
//   qor::WriteLog(u"[Hook]a305", true);   // detail-only: written only when "detaillog.ldt" lies beside the exe
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace qor {

struct TLocalTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};
using TLogClock = std::function<TLocalTime()>;

// The local time now, to the millisecond.
TLocalTime LocalTimeNow();
// "yyyy-mm-dd hh:nn:ss.zzz  " (two blanks at the end).
std::u16string FormatLogTimeStamp(const TLocalTime& time);

// One open log file.
class TLogFileWriter {
 public:
  TLogFileWriter(std::u16string fileName, int backupCount, uint64_t maxSize, bool timeStamp);
  // Closes the file; a file still 0 bytes long (not even the byte-order mark got in) is deleted.
  ~TLogFileWriter();
  TLogFileWriter(const TLogFileWriter&) = delete;
  TLogFileWriter& operator=(const TLogFileWriter&) = delete;

  // Creates the folder and the file when missing and opens it for appending (denying other writers).
  bool Open();
  // Rotates first when the file has reached the maximum size; writes the byte-order mark into an empty file.
  bool WriteLine(std::u16string_view text, const TLocalTime& now);
  const std::u16string& FileName() const { return FFileName; }

 private:
  bool Rotate();

  std::u16string FFileName;
  std::unique_ptr<TAppendFile> FFile;
  uint64_t FSize = 0;
  uint64_t FMaxSize;
  int FBackupCount;
  bool FTimeStamp;
};

class TLogManage {
 public:
  static constexpr uint64_t DefaultMaxFileSize = 5242880;
  // Numbered fallback names tried after the file itself ("x_1.log" ... "x_10.log"); then the line is dropped.
  static constexpr int MaxOpenRetries = 10;

  TLogManage();
  ~TLogManage();
  TLogManage(const TLogManage&) = delete;
  TLogManage& operator=(const TLogManage&) = delete;

  void WriteLog(std::u16string_view text, bool detailOnly = false) noexcept;

  // Full path of the log. A writer open on another file (ignoring case) is closed, so the next line goes to the
  // new file. Until a name is set, the executable's path with ".log" is used.
  void SetFileName(std::u16string_view fileName);
  std::u16string FileName() const;

  // Keeps the file open between lines (off by default: the file is closed after every line).
  void SetKeepOpen(bool keepOpen);
  void SetTimeStamp(bool timeStamp);
  void SetMaxFileSize(uint64_t maxSize);
  void SetBackupCount(int backupCount);
  // Seams for tests: the clock and the executable's path (which decides "detaillog.ldt" and the default name).
  void SetClock(TLogClock clock);
  void SetExecutablePath(std::u16string path);

  // True when "detaillog.ldt" exists in the executable's folder.
  bool DetailLogEnabled() const;

 private:
  std::u16string ExecutablePathLocked() const;
  std::unique_ptr<TLogFileWriter> CreateWriter() const;

  mutable std::mutex FLock;
  std::u16string FFileName;
  bool FKeepOpen = false;
  bool FTimeStamp = true;
  int FBackupCount = 1;
  uint64_t FMaxFileSize = DefaultMaxFileSize;
  TLogClock FClock;
  std::u16string FExecutablePath;
  std::unique_ptr<TLogFileWriter> FWriter;
};

// The process-wide manager, created on first use.
TLogManage& LogManage();
// Writes one line through LogManage().
void WriteLog(std::u16string_view text, bool detailOnly = false) noexcept;

}  // namespace qor
