#include "scroll/QuickThreadPool.h"

#include <algorithm>
#include <stdexcept>

namespace qor {

TQuickThreadPool::TQuickThreadPool(bool terminateThreadsOnStop) : FTerminateThreadsOnStop(terminateThreadsOnStop) {}

TQuickThreadPool::~TQuickThreadPool() {
  std::vector<std::unique_ptr<TPoolThread>> threads;
  {
    std::lock_guard guard(FThreadLock);
    for (auto& thread : FThreads) StopThread(*thread);
    threads = std::move(FThreads);
    FThreads.clear();
    for (auto& thread : FEndedThreads) threads.push_back(std::move(thread));
    FEndedThreads.clear();
  }
  {
    std::lock_guard guard(FTaskLock);
    FQueue.clear();
  }
  // Joined outside the thread lock: a thread takes it once more on its way out.
  threads.clear();
}

void TQuickThreadPool::SetWorkHandler(TWorkHandler handler) {
  std::lock_guard guard(FHandlerLock);
  FWorkHandler = std::move(handler);
}

TQuickThreadPool::TWorkHandler TQuickThreadPool::WorkHandler() const {
  std::lock_guard guard(FHandlerLock);
  return FWorkHandler;
}

void TQuickThreadPool::SetThreadCount(int count) {
  const std::size_t wanted = static_cast<std::size_t>(std::max(count, 0));
  std::lock_guard guard(FThreadLock);
  JoinFinishedThreads();
  while (FThreads.size() < wanted) {
    FThreads.push_back(std::unique_ptr<TPoolThread>(new TPoolThread(*this)));
    FThreads.back()->Start();
  }
  while (FThreads.size() > wanted) {
    StopThread(*FThreads.front());
    FEndedThreads.push_back(std::move(FThreads.front()));
    FThreads.erase(FThreads.begin());
  }
}

int TQuickThreadPool::ThreadCount() const {
  std::lock_guard guard(FThreadLock);
  return static_cast<int>(FThreads.size());
}

void TQuickThreadPool::SetThreadPriority(TThreadPriority priority) {
  std::lock_guard guard(FThreadLock);
  for (auto& thread : FThreads) thread->FPriority = priority;
}

int TQuickThreadPool::TaskCount() const {
  std::lock_guard guard(FTaskLock);
  return static_cast<int>(FQueue.size());
}

int TQuickThreadPool::WorkingThreadCount() const {
  std::lock_guard guard(FThreadLock);
  return static_cast<int>(std::count_if(FThreads.begin(), FThreads.end(), [](auto& t) { return t->Working(); }));
}

bool TQuickThreadPool::AddWorkData(std::unique_ptr<TWorkDataObj>&& item, unsigned flags, bool toFront) {
  if (!item || FPoolStatus == TPoolStatus::Stopped) return false;

  if (FDispatchMode == TDispatchMode::RoundRobin) {
    std::lock_guard guard(FThreadLock);
    if (FThreads.empty()) throw std::runtime_error("No Thread Runing");
    if (FRoundRobinIndex >= FThreads.size()) FRoundRobinIndex = 0;
    TPoolThread& thread = *FThreads[FRoundRobinIndex];
    thread.AddOwnItem(std::move(item), toFront);
    ReleaseOwnSignal(thread);
    ++FRoundRobinIndex;
    return true;
  }

  if (flags & RefuseIfExecuting) {
    std::lock_guard guard(FThreadLock);
    for (auto& thread : FThreads) {
      if (thread->CurrentIsSame(*item)) {
        item.reset();
        return false;
      }
    }
  }
  {
    std::lock_guard guard(FTaskLock);
    if (flags & RefuseIfQueued) {
      auto same =
          std::find_if(FQueue.begin(), FQueue.end(), [&](auto& queued) { return item->IsSame(*queued, false); });
      if (same != FQueue.end()) {
        // The caller wants this work early: the copy already waiting moves up instead.
        if (toFront) std::rotate(FQueue.begin(), same, same + 1);
        item.reset();
        return false;
      }
    }
    if (toFront) {
      FQueue.push_front(std::move(item));
    } else {
      FQueue.push_back(std::move(item));
    }
  }
  ReleaseSharedSignals(1);
  return true;
}

void TQuickThreadPool::SetPoolStatus(TPoolStatus status) {
  std::lock_guard guard(FThreadLock);
  if (status == FPoolStatus) return;
  FPoolStatus = status;
  if (status == TPoolStatus::Running) {
    // Announce everything that waited, once per item.
    ReleaseSharedSignals(TaskCount());
    for (auto& thread : FThreads) {
      const std::size_t waiting = thread->OwnQueueLength();
      for (std::size_t i = 0; i < waiting; ++i) ReleaseOwnSignal(*thread);
    }
    return;
  }
  {
    // No thread may wake for a queued item while paused or stopped.
    std::lock_guard signalGuard(FSignalLock);
    FSharedSignals = 0;
    for (auto& thread : FThreads) thread->FOwnSignals = 0;
  }
  if (status != TPoolStatus::Stopped) return;
  {
    std::lock_guard taskGuard(FTaskLock);
    FQueue.clear();
  }
  for (auto& thread : FThreads) thread->ClearOwnQueue();
  if (FTerminateThreadsOnStop) {
    std::lock_guard signalGuard(FSignalLock);
    for (auto& thread : FThreads) thread->FThreadTerminate = true;
    FSignal.notify_all();
  }
}

TQuickThreadPool::TWake TQuickThreadPool::WaitForWork(TPoolThread& thread) {
  std::unique_lock lock(FSignalLock);
  FSignal.wait(lock, [&] {
    return thread.FThreadTerminate || thread.FStopRequested || FSharedSignals > 0 || thread.FOwnSignals > 0;
  });
  if (thread.FThreadTerminate || thread.FStopRequested) return TWake::Leave;
  if (FSharedSignals > 0) {
    --FSharedSignals;
    return TWake::Shared;
  }
  --thread.FOwnSignals;
  return TWake::Own;
}

void TQuickThreadPool::ReleaseSharedSignals(std::int64_t count) {
  if (count <= 0) return;
  std::lock_guard guard(FSignalLock);
  FSharedSignals += count;
  // Every idle thread waits on the same condition, so one wake per item would do; waking all keeps it simple.
  FSignal.notify_all();
}

void TQuickThreadPool::ReleaseOwnSignal(TPoolThread& thread) {
  std::lock_guard guard(FSignalLock);
  ++thread.FOwnSignals;
  FSignal.notify_all();
}

void TQuickThreadPool::StopThread(TPoolThread& thread) {
  std::lock_guard guard(FSignalLock);
  thread.FThreadTerminate = true;
  thread.FStopRequested = true;
  FSignal.notify_all();
}

void TQuickThreadPool::ThreadEnded(TPoolThread& thread) {
  // A thread that leaves on its own (its handler threw, or the pool stopped with terminateThreadsOnStop) leaves
  // the list too, so ThreadCount only counts threads that still serve.
  std::lock_guard guard(FThreadLock);
  auto it = std::find_if(FThreads.begin(), FThreads.end(), [&](auto& t) { return t.get() == &thread; });
  if (it == FThreads.end()) return;
  FEndedThreads.push_back(std::move(*it));
  FThreads.erase(it);
}

void TQuickThreadPool::JoinFinishedThreads() {
  std::erase_if(FEndedThreads, [](auto& thread) { return thread->FFinished.load(); });
}

}  // namespace qor
