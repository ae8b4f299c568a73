#pragma once
// The scrolling capture's results on their way from the worker thread to the user-interface thread. The worker
// appends one record per step; the interface shows only the newest, so it frees the older ones as it takes it.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "base/Image.h"

namespace qor {

struct TLongPicResult {
  TImage Preview;                 // TPreviewCopy::Snapshot() after this step (empty when the call gave no picture)
  int32_t Width = 0, Height = 0;  // the whole picture's size
  bool Downward = true;
  int Status = 0;  // 0 stitched, 1 stitched but the library reported failure, 2 no output
};

class TResultList {
 public:
  void Append(std::unique_ptr<TLongPicResult> r);  // worker thread, under the lock
  // User-interface thread: under the lock takes every record but the newest out of the list (they are freed once
  // the lock is released, so the worker never waits for that) and returns the newest, which stays in the list until
  // the next call or Clear; null when empty. countBefore: the count before trimming (for the log line).
  TLongPicResult* KeepNewest(int& countBefore);
  void Clear();
  int Count() const;

 private:
  mutable std::mutex FLock;
  std::vector<std::unique_ptr<TLongPicResult>> FRecords;
};

}  // namespace qor
