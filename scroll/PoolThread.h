#pragma once
// One worker of TQuickThreadPool. It waits for a signal (an item on the pool's shared queue, an item on its own
// queue, or a request to stop), runs the item through the pool's work handler and frees it. Only the pool
// creates, stops and frees workers.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "scroll/WorkDataObj.h"

namespace qor {

class TQuickThreadPool;

// Scheduling priority of a worker, in the order the platform ranks them.
enum class TThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class TPoolThread {
 public:
  ~TPoolThread();  // waits for the thread to end; the pool asks it to stop first
  TPoolThread(const TPoolThread&) = delete;
  TPoolThread& operator=(const TPoolThread&) = delete;

  TQuickThreadPool& Pool() const { return FOwner; }
  bool Working() const { return FWorking; }
  TThreadPriority Priority() const { return FPriority; }

 private:
  friend class TQuickThreadPool;
  using TItemQueue = std::deque<std::unique_ptr<TWorkDataObj>>;

  explicit TPoolThread(TQuickThreadPool& owner);
  void Start();
  void Run() noexcept;
  void Execute();
  // Moves the first item of `queue` into the current item and returns it (null when the queue is empty).
  TWorkDataObj* TakeCurrentItem(std::mutex& queueLock, TItemQueue& queue);
  void RunItem(TWorkDataObj& item);
  bool CurrentIsSame(const TWorkDataObj& item) const;
  void AddOwnItem(std::unique_ptr<TWorkDataObj> item, bool toFront);
  std::size_t OwnQueueLength() const;
  void ClearOwnQueue();

  TQuickThreadPool& FOwner;
  // Guarded by the owner's signal lock, so that one wait covers them and the pool's shared signals.
  bool FStopRequested = false;
  bool FThreadTerminate = false;
  std::int64_t FOwnSignals = 0;

  mutable std::mutex FQueueLock;
  TItemQueue FQueue;
  mutable std::mutex FCurrentLock;
  std::unique_ptr<TWorkDataObj> FCurrentItem;
  std::atomic<bool> FWorking{false};
  std::atomic<bool> FFinished{false};  // set as the thread's last step, so joining it cannot block
  std::atomic<TThreadPriority> FPriority{TThreadPriority::Normal};
  std::thread FThread;
};

}  // namespace qor
