#include "scroll/ResultList.h"

#include <utility>

namespace qor {

void TResultList::Append(std::unique_ptr<TLongPicResult> r) {
  if (!r) return;
  std::lock_guard guard(FLock);
  FRecords.push_back(std::move(r));
}

TLongPicResult* TResultList::KeepNewest(int& countBefore) {
  std::vector<std::unique_ptr<TLongPicResult>> older;  // freed after the lock is released
  TLongPicResult* newest = nullptr;
  {
    std::lock_guard guard(FLock);
    countBefore = int(FRecords.size());
    if (FRecords.empty()) return nullptr;
    older.swap(FRecords);
    FRecords.push_back(std::move(older.back()));
    older.pop_back();
    newest = FRecords.back().get();
  }
  return newest;
}

void TResultList::Clear() {
  std::vector<std::unique_ptr<TLongPicResult>> records;
  {
    std::lock_guard guard(FLock);
    records.swap(FRecords);
  }
}

int TResultList::Count() const {
  std::lock_guard guard(FLock);
  return int(FRecords.size());
}

}  // namespace qor
