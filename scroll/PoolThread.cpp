#include "scroll/PoolThread.h"

#include "scroll/QuickThreadPool.h"

namespace qor {

TPoolThread::TPoolThread(TQuickThreadPool& owner) : FOwner(owner) {}

TPoolThread::~TPoolThread() {
  if (FThread.joinable()) FThread.join();
}

void TPoolThread::Start() {
  FThread = std::thread([this] { Run(); });
}

void TPoolThread::Run() noexcept {
  try {
    Execute();
  } catch (...) {
    // A failing handler ends only this thread; its item was freed on the way out of RunItem.
  }
  FOwner.ThreadEnded(*this);
  FFinished = true;
}

void TPoolThread::Execute() {
  for (;;) {
    const TQuickThreadPool::TWake wake = FOwner.WaitForWork(*this);
    if (wake == TQuickThreadPool::TWake::Leave) return;
    // While paused or stopped the signal is used up and the item stays queued; resuming signals it again.
    if (FOwner.PoolStatus() != TPoolStatus::Running) continue;
    TWorkDataObj* item = wake == TQuickThreadPool::TWake::Shared ? TakeCurrentItem(FOwner.FTaskLock, FOwner.FQueue)
                                                                 : TakeCurrentItem(FQueueLock, FQueue);
    if (item) RunItem(*item);
  }
}

TWorkDataObj* TPoolThread::TakeCurrentItem(std::mutex& queueLock, TItemQueue& queue) {
  // The item becomes current before the queue lock is let go, so a duplicate check never misses it in between.
  std::lock_guard queueGuard(queueLock);
  if (queue.empty()) return nullptr;
  std::lock_guard currentGuard(FCurrentLock);
  FCurrentItem = std::move(queue.front());
  queue.pop_front();
  return FCurrentItem.get();
}

void TPoolThread::RunItem(TWorkDataObj& item) {
  // Clears the working flag and frees the item also when the handler throws.
  struct TFinally {
    TPoolThread& thread;
    ~TFinally() {
      thread.FWorking = false;
      std::unique_ptr<TWorkDataObj> done;
      {
        std::lock_guard guard(thread.FCurrentLock);
        done = std::move(thread.FCurrentItem);
      }
      // Freed outside the lock, so that an item's destructor may still add work to the pool.
    }
  } finally{*this};
  FWorking = true;
  if (const TQuickThreadPool::TWorkHandler handler = FOwner.WorkHandler()) handler(FOwner, item, *this);
}

bool TPoolThread::CurrentIsSame(const TWorkDataObj& item) const {
  std::lock_guard guard(FCurrentLock);
  return FCurrentItem && item.IsSame(*FCurrentItem, true);
}

void TPoolThread::AddOwnItem(std::unique_ptr<TWorkDataObj> item, bool toFront) {
  std::lock_guard guard(FQueueLock);
  if (toFront) {
    FQueue.push_front(std::move(item));
  } else {
    FQueue.push_back(std::move(item));
  }
}

std::size_t TPoolThread::OwnQueueLength() const {
  std::lock_guard guard(FQueueLock);
  return FQueue.size();
}

void TPoolThread::ClearOwnQueue() {
  std::lock_guard guard(FQueueLock);
  FQueue.clear();
}

}  // namespace qor
