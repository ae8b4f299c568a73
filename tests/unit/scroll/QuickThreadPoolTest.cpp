#include "scroll/QuickThreadPool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace qor {
namespace {

// What the handler saw: the order items ran in, on which thread, and how many items were freed.
struct TLedger {
  std::mutex lock;
  std::condition_variable gateChanged;
  bool gateOpen = false;
  std::vector<int> order;
  std::map<int, const TPoolThread*> threadOf;
  std::map<int, TThreadPriority> priorityOf;
  int started = 0;
  int finished = 0;
  int freed = 0;

  void OpenGate() {
    std::lock_guard guard(lock);
    gateOpen = true;
    gateChanged.notify_all();
  }
  void WaitForGate() {
    std::unique_lock guard(lock);
    gateChanged.wait(guard, [&] { return gateOpen; });
  }
  template <class T>
  T Read(const std::function<T()>& read) {
    std::lock_guard guard(lock);
    return read();
  }
  int Started() {
    return Read<int>([&] { return started; });
  }
  int Finished() {
    return Read<int>([&] { return finished; });
  }
  int Freed() {
    return Read<int>([&] { return freed; });
  }
  std::vector<int> Order() {
    return Read<std::vector<int>>([&] { return order; });
  }
  std::map<int, const TPoolThread*> ThreadOf() {
    return Read<std::map<int, const TPoolThread*>>([&] { return threadOf; });
  }
};

enum class TSameWhen { Never, Queued, Executing, Always };

class TTestItem : public TWorkDataObj {
 public:
  TTestItem(TLedger& ledger, int id, int key = -1, TSameWhen same = TSameWhen::Always)
      : Ledger(ledger), Id(id), Key(key), Same(same) {}
  ~TTestItem() override {
    std::lock_guard guard(Ledger.lock);
    ++Ledger.freed;
  }
  bool IsSame(const TWorkDataObj& other, bool otherIsExecuting) const override {
    auto* item = dynamic_cast<const TTestItem*>(&other);
    if (!item || Key < 0 || item->Key != Key) return false;
    return Same == TSameWhen::Always || (Same == TSameWhen::Executing && otherIsExecuting) ||
           (Same == TSameWhen::Queued && !otherIsExecuting);
  }

  TLedger& Ledger;
  const int Id;
  const int Key;
  const TSameWhen Same;
  bool Blocks = false;  // waits in the handler until the gate opens
  bool Throws = false;
};

std::unique_ptr<TTestItem> Item(TLedger& ledger, int id, int key = -1, TSameWhen same = TSameWhen::Always) {
  return std::make_unique<TTestItem>(ledger, id, key, same);
}
std::unique_ptr<TTestItem> BlockingItem(TLedger& ledger, int id, int key = -1) {
  auto item = Item(ledger, id, key);
  item->Blocks = true;
  return item;
}

// Polls a state of the pool or the ledger until it holds, for at most ten seconds.
bool WaitUntil(const std::function<bool()>& holds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!holds()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class PoolFixture : public ::testing::Test {
 protected:
  ~PoolFixture() override {
    // A failed test may leave handlers at the gate; the pool waits for them when it goes.
    ledger.OpenGate();
    pool.reset();
  }

  TQuickThreadPool& MakePool(int threads, TDispatchMode mode = TDispatchMode::Shared, bool terminateOnStop = false) {
    pool = std::make_unique<TQuickThreadPool>(terminateOnStop);
    pool->SetDispatchMode(mode);
    pool->SetWorkHandler([this](TQuickThreadPool&, TWorkDataObj& data, TPoolThread& thread) {
      auto& item = static_cast<TTestItem&>(data);
      {
        std::lock_guard guard(ledger.lock);
        ++ledger.started;
        ledger.order.push_back(item.Id);
        ledger.threadOf[item.Id] = &thread;
        ledger.priorityOf[item.Id] = thread.Priority();
      }
      if (item.Blocks) ledger.WaitForGate();
      if (item.Throws) throw std::runtime_error("handler failed");
      std::lock_guard guard(ledger.lock);
      ++ledger.finished;
    });
    pool->SetThreadCount(threads);
    return *pool;
  }

  // Fills every one of `threads` threads with a blocking item (ids from 1000) and waits until all are in hand.
  void OccupyThreads(int threads) {
    const int started = ledger.Started();
    for (int i = 0; i < threads; ++i) ASSERT_TRUE(pool->AddWorkData(BlockingItem(ledger, 1000 + i)));
    // A thread is counted as working a moment before its handler writes to the ledger.
    ASSERT_TRUE(
        WaitUntil([&] { return pool->WorkingThreadCount() == threads && ledger.Started() == started + threads; }));
  }

  TLedger ledger;
  std::unique_ptr<TQuickThreadPool> pool;
};

using QuickThreadPoolDispatch = PoolFixture;
using QuickThreadPoolDuplicates = PoolFixture;
using QuickThreadPoolStatus = PoolFixture;
using QuickThreadPoolThreads = PoolFixture;
using QuickThreadPoolFailures = PoolFixture;

TEST_F(QuickThreadPoolDispatch, EightThreadsTakeEightItemsFromTheSharedQueueAtOnce) {
  MakePool(8);
  OccupyThreads(8);
  std::set<const TPoolThread*> threads;
  for (auto& [id, thread] : ledger.ThreadOf()) threads.insert(thread);
  EXPECT_EQ(threads.size(), 8u);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 8; }));
  EXPECT_EQ(ledger.Finished(), 8);
  EXPECT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 0; }));
}

TEST_F(QuickThreadPoolDispatch, OneThreadRunsItemsInQueueOrderAndToFrontGoesFirst) {
  MakePool(1).SetPoolStatus(TPoolStatus::Paused);
  for (int id = 1; id <= 3; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  ASSERT_TRUE(pool->AddWorkData(Item(ledger, 4), 0, true));
  EXPECT_EQ(pool->TaskCount(), 4);
  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 4; }));
  EXPECT_EQ(ledger.Order(), (std::vector<int>{4, 1, 2, 3}));
  EXPECT_EQ(pool->TaskCount(), 0);
}

TEST_F(QuickThreadPoolDispatch, RoundRobinGivesTheThreadsItemsInTurn) {
  MakePool(8, TDispatchMode::RoundRobin).SetPoolStatus(TPoolStatus::Paused);
  for (int id = 0; id < 16; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  EXPECT_EQ(pool->TaskCount(), 0);  // own queues, not the shared one
  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 16; }));
  const auto threadOf = ledger.ThreadOf();
  std::set<const TPoolThread*> threads;
  for (int id = 0; id < 8; ++id) {
    threads.insert(threadOf.at(id));
    EXPECT_EQ(threadOf.at(id), threadOf.at(id + 8)) << "item " << id;
  }
  EXPECT_EQ(threads.size(), 8u);
}

TEST_F(QuickThreadPoolDispatch, RoundRobinToFrontGoesFirstOnItsThread) {
  MakePool(1, TDispatchMode::RoundRobin).SetPoolStatus(TPoolStatus::Paused);
  ASSERT_TRUE(pool->AddWorkData(Item(ledger, 1)));
  ASSERT_TRUE(pool->AddWorkData(Item(ledger, 2)));
  ASSERT_TRUE(pool->AddWorkData(Item(ledger, 3), 0, true));
  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 3; }));
  EXPECT_EQ(ledger.Order(), (std::vector<int>{3, 1, 2}));
}

TEST_F(QuickThreadPoolDispatch, RoundRobinWithoutThreadsThrowsAndTheCallerKeepsTheItem) {
  MakePool(0, TDispatchMode::RoundRobin);
  std::unique_ptr<TWorkDataObj> item = Item(ledger, 1);
  try {
    pool->AddWorkData(std::move(item));
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "No Thread Runing");
  }
  EXPECT_NE(item, nullptr);
  EXPECT_EQ(ledger.Freed(), 0);
}

TEST_F(QuickThreadPoolDispatch, ItemsAreFreedAlsoWithoutAHandler) {
  MakePool(8).SetWorkHandler(nullptr);
  for (int id = 0; id < 20; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 20; }));
  EXPECT_EQ(ledger.Started(), 0);
}

TEST_F(QuickThreadPoolDuplicates, PlainItemsAreNeverDuplicates) {
  MakePool(8).SetPoolStatus(TPoolStatus::Paused);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(pool->AddWorkData(std::make_unique<TWorkDataObj>(), RefuseIfQueued | RefuseIfExecuting));
  }
  EXPECT_EQ(pool->TaskCount(), 3);
}

TEST_F(QuickThreadPoolDuplicates, AQueuedEqualItemRefusesTheNewOneOnlyWhenAsked) {
  MakePool(8).SetPoolStatus(TPoolStatus::Paused);
  ASSERT_TRUE(pool->AddWorkData(Item(ledger, 1, 7)));
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 2, 7)));                     // no flag: a second copy waits
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 3, 8), RefuseIfQueued));     // another key
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 4, 7), RefuseIfExecuting));  // nothing equal runs
  EXPECT_EQ(ledger.Freed(), 0);
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 5, 7), RefuseIfQueued));
  EXPECT_EQ(ledger.Freed(), 1);
  EXPECT_EQ(pool->TaskCount(), 4);
}

TEST_F(QuickThreadPoolDuplicates, ARefusedToFrontItemMovesItsQueuedEqualToTheFront) {
  MakePool(1).SetPoolStatus(TPoolStatus::Paused);
  for (int id = 1; id <= 3; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id, id)));
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 9, 3), RefuseIfQueued, true));
  EXPECT_EQ(ledger.Freed(), 1);
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 10, 2), RefuseIfQueued));  // without to-front it stays put
  EXPECT_EQ(pool->TaskCount(), 3);
  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 5; }));
  EXPECT_EQ(ledger.Order(), (std::vector<int>{3, 1, 2}));
}

TEST_F(QuickThreadPoolDuplicates, AnExecutingEqualItemRefusesTheNewOneOnlyWhenAsked) {
  MakePool(8);
  ASSERT_TRUE(pool->AddWorkData(BlockingItem(ledger, 1, 7)));
  ASSERT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 1; }));
  pool->SetPoolStatus(TPoolStatus::Paused);  // keeps accepted items in the queue for counting
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 2, 7), RefuseIfExecuting));
  EXPECT_EQ(ledger.Freed(), 1);
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 3, 7), RefuseIfQueued));  // only the running one is equal
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 4, 8), RefuseIfExecuting));
  EXPECT_EQ(pool->TaskCount(), 2);
}

TEST_F(QuickThreadPoolDuplicates, TheComparisonIsToldWhetherTheOtherItemRuns) {
  MakePool(8);
  ASSERT_TRUE(pool->AddWorkData(BlockingItem(ledger, 1, 7)));
  ASSERT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 1; }));
  pool->SetPoolStatus(TPoolStatus::Paused);
  // Equal only to queued items: the running copy does not count.
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 2, 7, TSameWhen::Queued), RefuseIfExecuting));
  // Equal only to running items: the queued copy does not count, the running one does.
  EXPECT_TRUE(pool->AddWorkData(Item(ledger, 3, 7, TSameWhen::Executing), RefuseIfQueued));
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 4, 7, TSameWhen::Executing), RefuseIfExecuting));
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 5, 7, TSameWhen::Queued), RefuseIfQueued));
  EXPECT_EQ(pool->TaskCount(), 2);
}

TEST_F(QuickThreadPoolStatus, PauseKeepsItemsQueuedAndResumeRunsEachExactlyOnce) {
  MakePool(8);
  OccupyThreads(8);
  for (int id = 0; id < 50; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  pool->SetPoolStatus(TPoolStatus::Paused);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 8 && pool->WorkingThreadCount() == 0; }));
  EXPECT_EQ(pool->TaskCount(), 50);
  EXPECT_EQ(ledger.Started(), 8);

  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 58; }));
  std::map<int, int> runs;
  for (int id : ledger.Order()) ++runs[id];
  for (int id = 0; id < 50; ++id) EXPECT_EQ(runs[id], 1) << "item " << id;
  EXPECT_EQ(pool->TaskCount(), 0);
}

TEST_F(QuickThreadPoolStatus, PausedRoundRobinItemsRunOnceOnResume) {
  MakePool(8, TDispatchMode::RoundRobin);
  OccupyThreads(8);
  for (int id = 0; id < 24; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  pool->SetPoolStatus(TPoolStatus::Paused);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 8 && pool->WorkingThreadCount() == 0; }));
  EXPECT_EQ(ledger.Started(), 8);

  pool->SetPoolStatus(TPoolStatus::Running);
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 32; }));
  EXPECT_EQ(ledger.Started(), 32);
}

TEST_F(QuickThreadPoolStatus, StopDropsQueuedItemsLetsRunningOnesFinishAndRefusesNewOnes) {
  MakePool(8);
  OccupyThreads(8);
  for (int id = 0; id < 20; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  pool->SetPoolStatus(TPoolStatus::Stopped);
  EXPECT_EQ(pool->TaskCount(), 0);
  EXPECT_EQ(ledger.Freed(), 20);
  EXPECT_EQ(pool->WorkingThreadCount(), 8);

  std::unique_ptr<TWorkDataObj> late = Item(ledger, 99);
  EXPECT_FALSE(pool->AddWorkData(std::move(late), RefuseIfQueued));
  EXPECT_NE(late, nullptr);  // refused by a stopped pool: still the caller's

  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 28; }));
  EXPECT_EQ(ledger.Finished(), 8);
  EXPECT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 0; }));
  EXPECT_EQ(pool->ThreadCount(), 8);  // the threads stay unless told to end on stop
}

TEST_F(QuickThreadPoolStatus, StopDropsRoundRobinQueuesToo) {
  MakePool(8, TDispatchMode::RoundRobin);
  OccupyThreads(8);
  for (int id = 0; id < 16; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  pool->SetPoolStatus(TPoolStatus::Stopped);
  EXPECT_EQ(ledger.Freed(), 16);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 24; }));
  EXPECT_EQ(ledger.Started(), 8);
}

TEST_F(QuickThreadPoolStatus, StopWithTerminationEndsEachThreadAfterItsItem) {
  MakePool(8, TDispatchMode::Shared, true);
  OccupyThreads(3);
  pool->SetPoolStatus(TPoolStatus::Stopped);
  // Idle threads end at once, busy ones after their item.
  ASSERT_TRUE(WaitUntil([&] { return pool->ThreadCount() == 3; }));
  EXPECT_EQ(pool->WorkingThreadCount(), 3);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return pool->ThreadCount() == 0; }));
  EXPECT_EQ(ledger.Finished(), 3);
  EXPECT_EQ(ledger.Freed(), 3);
}

TEST_F(QuickThreadPoolStatus, AStoppedPoolRunsAgainOnceSetRunning) {
  MakePool(8).SetPoolStatus(TPoolStatus::Stopped);
  EXPECT_FALSE(pool->AddWorkData(Item(ledger, 1)));
  pool->SetPoolStatus(TPoolStatus::Running);
  for (int id = 0; id < 10; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 10; }));
}

TEST_F(QuickThreadPoolThreads, ItemsWaitForThreadsAndRunOnceThreadsStart) {
  MakePool(0);
  for (int id = 0; id < 16; ++id) ASSERT_TRUE(pool->AddWorkData(BlockingItem(ledger, id)));
  EXPECT_EQ(pool->TaskCount(), 16);
  pool->SetThreadCount(8);
  EXPECT_EQ(pool->ThreadCount(), 8);
  ASSERT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 8; }));
  EXPECT_EQ(pool->TaskCount(), 8);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Freed() == 16; }));
}

TEST_F(QuickThreadPoolThreads, ShrinkingStopsTheFrontThreadsAfterTheirItemsInHand) {
  MakePool(8, TDispatchMode::RoundRobin);
  for (int id = 0; id < 8; ++id) ASSERT_TRUE(pool->AddWorkData(BlockingItem(ledger, id)));
  ASSERT_TRUE(WaitUntil([&] { return pool->WorkingThreadCount() == 8; }));
  pool->SetThreadCount(2);  // returns without waiting for the items in hand
  EXPECT_EQ(pool->ThreadCount(), 2);
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 8; }));

  const auto before = ledger.ThreadOf();
  for (int id = 10; id < 14; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 12; }));
  const auto after = ledger.ThreadOf();
  // The threads at the back of the list (items 6 and 7) are the ones left, and they take turns from the start.
  EXPECT_EQ(after.at(10), before.at(6));
  EXPECT_EQ(after.at(11), before.at(7));
  EXPECT_EQ(after.at(12), before.at(6));
  EXPECT_EQ(after.at(13), before.at(7));
}

TEST_F(QuickThreadPoolThreads, PriorityGoesToTheThreadsThatExistAlready) {
  MakePool(2, TDispatchMode::RoundRobin).SetThreadPriority(TThreadPriority::Higher);
  pool->SetThreadCount(4);
  for (int id = 0; id < 4; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 4; }));
  std::lock_guard guard(ledger.lock);
  EXPECT_EQ(ledger.priorityOf.at(0), TThreadPriority::Higher);
  EXPECT_EQ(ledger.priorityOf.at(1), TThreadPriority::Higher);
  EXPECT_EQ(ledger.priorityOf.at(2), TThreadPriority::Normal);
  EXPECT_EQ(ledger.priorityOf.at(3), TThreadPriority::Normal);
}

TEST_F(QuickThreadPoolFailures, AThrowingHandlerFreesItsItemAndEndsOnlyItsThread) {
  MakePool(8);
  auto failing = Item(ledger, 1);
  failing->Throws = true;
  ASSERT_TRUE(pool->AddWorkData(std::move(failing)));
  ASSERT_TRUE(WaitUntil([&] { return pool->ThreadCount() == 7; }));
  EXPECT_EQ(ledger.Freed(), 1);
  EXPECT_EQ(ledger.Finished(), 0);
  EXPECT_EQ(pool->WorkingThreadCount(), 0);
  OccupyThreads(7);  // the other seven still serve
  ledger.OpenGate();
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 7; }));
}

// An item that queues a follow-up when it is freed after its run.
class TChainItem : public TTestItem {
 public:
  TChainItem(TLedger& ledger, TQuickThreadPool& pool) : TTestItem(ledger, 1), Pool(pool) {}
  ~TChainItem() override { Pool.AddWorkData(Item(Ledger, 2), RefuseIfExecuting); }
  TQuickThreadPool& Pool;
};

TEST_F(QuickThreadPoolFailures, AnItemFreedAfterItsRunMayAddWork) {
  MakePool(8);
  ASSERT_TRUE(pool->AddWorkData(std::make_unique<TChainItem>(ledger, *pool)));
  ASSERT_TRUE(WaitUntil([&] { return ledger.Finished() == 2 && ledger.Freed() == 2; }));
  EXPECT_EQ(ledger.Order(), (std::vector<int>{1, 2}));
}

TEST_F(QuickThreadPoolFailures, DestroyingThePoolFreesWhatIsQueued) {
  MakePool(8).SetPoolStatus(TPoolStatus::Paused);
  for (int id = 0; id < 10; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  MakePool(8, TDispatchMode::RoundRobin).SetPoolStatus(TPoolStatus::Paused);  // replaces the first pool
  EXPECT_EQ(ledger.Freed(), 10);
  for (int id = 0; id < 16; ++id) ASSERT_TRUE(pool->AddWorkData(Item(ledger, id)));
  pool.reset();
  EXPECT_EQ(ledger.Freed(), 26);
  EXPECT_EQ(ledger.Started(), 0);
}

}  // namespace
}  // namespace qor
