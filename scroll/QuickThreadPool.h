#pragma once
// A small pool of worker threads that run queued work items through one handler.
// Usage:
//   qor::TQuickThreadPool pool(/*terminateThreadsOnStop=*/true);
//   pool.SetWorkHandler([&](qor::TQuickThreadPool&, qor::TWorkDataObj& item, qor::TPoolThread&) { ... });
//   pool.SetThreadCount(1);
//   pool.AddWorkData(std::make_unique<TMyItem>(...));
//   pool.SetPoolStatus(qor::TPoolStatus::Stopped);  // drops what is queued; items in hand finish
// Items are owned by the pool once accepted and freed after the handler has run or when they are dropped.
// Idle workers sleep on a condition variable; nothing polls.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "scroll/PoolThread.h"
#include "scroll/WorkDataObj.h"

namespace qor {

enum class TPoolStatus { Running = 0, Paused = 1, Stopped = 2 };

// Shared: every worker takes from one queue. RoundRobin: items go to the workers' own queues in turn.
enum class TDispatchMode { Shared = 0, RoundRobin = 1 };

// Flags of AddWorkData.
constexpr unsigned RefuseIfQueued = 1;     // an equal item waits in the shared queue
constexpr unsigned RefuseIfExecuting = 2;  // an equal item is in a handler right now

class TQuickThreadPool {
 public:
  using TWorkHandler = std::function<void(TQuickThreadPool& pool, TWorkDataObj& item, TPoolThread& thread)>;

  // No threads yet, running, shared dispatch. With `terminateThreadsOnStop`, stopping the pool also ends its
  // threads (each after the item in hand).
  explicit TQuickThreadPool(bool terminateThreadsOnStop);
  // Stops every thread, frees what is queued and waits for the items in hand. Never call it from a handler.
  ~TQuickThreadPool();
  TQuickThreadPool(const TQuickThreadPool&) = delete;
  TQuickThreadPool& operator=(const TQuickThreadPool&) = delete;

  void SetWorkHandler(TWorkHandler handler);
  void SetDispatchMode(TDispatchMode mode) { FDispatchMode = mode; }
  TDispatchMode DispatchMode() const { return FDispatchMode; }

  // Starts threads at the end of the list, or stops them from its front; a stopped thread finishes the item in
  // hand and then ends on its own (this call does not wait for it).
  void SetThreadCount(int count);
  int ThreadCount() const;
  // Applies to the existing threads; threads started later run at normal priority.
  void SetThreadPriority(TThreadPriority priority);

  // Queues `item` (at the front with `toFront`) and returns true. When the item is refused as a duplicate
  // (`flags`) it is freed and the answer is false; when the pool is stopped the answer is false and `item` is
  // left with the caller. Round-robin dispatch ignores `flags` and throws std::runtime_error("No Thread Runing")
  // when there is no thread.
  bool AddWorkData(std::unique_ptr<TWorkDataObj>&& item, unsigned flags = 0, bool toFront = false);

  // Running wakes the threads for everything queued; Paused keeps items queued; Stopped also frees them.
  void SetPoolStatus(TPoolStatus status);
  TPoolStatus PoolStatus() const { return FPoolStatus; }

  int TaskCount() const;
  int WorkingThreadCount() const;

 private:
  friend class TPoolThread;
  enum class TWake { Shared, Own, Leave };

  TWake WaitForWork(TPoolThread& thread);
  void ReleaseSharedSignals(std::int64_t count);
  void ReleaseOwnSignal(TPoolThread& thread);
  void StopThread(TPoolThread& thread);
  void ThreadEnded(TPoolThread& thread);
  void JoinFinishedThreads();
  TWorkHandler WorkHandler() const;

  const bool FTerminateThreadsOnStop;
  std::atomic<TPoolStatus> FPoolStatus{TPoolStatus::Running};
  std::atomic<TDispatchMode> FDispatchMode{TDispatchMode::Shared};

  // Lock order: the thread lock, then the task lock or a thread's queue lock, then a thread's current-item lock;
  // the signal lock is taken last and never held while taking another.
  mutable std::mutex FThreadLock;
  std::vector<std::unique_ptr<TPoolThread>> FThreads;
  std::vector<std::unique_ptr<TPoolThread>> FEndedThreads;  // left the list; joined once finished
  std::size_t FRoundRobinIndex = 0;

  mutable std::mutex FTaskLock;
  TPoolThread::TItemQueue FQueue;

  std::mutex FSignalLock;
  std::condition_variable FSignal;
  std::int64_t FSharedSignals = 0;  // items announced on the shared queue and not yet taken by a thread

  mutable std::mutex FHandlerLock;
  TWorkHandler FWorkHandler;
};

}  // namespace qor
