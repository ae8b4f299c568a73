#include "scroll/ResultList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace qor {
namespace {

std::unique_ptr<TLongPicResult> Record(int32_t height) {
  auto record = std::make_unique<TLongPicResult>();
  record->Preview = TImage(4, 3, TBgra{uint8_t(height), 0, 0, 255});
  record->Width = 4;
  record->Height = height;
  return record;
}

TEST(ResultListTest, KeepNewestFreesTheOlderRecordsAndKeepsTheNewestUntilTheNextCall) {
  TResultList list;
  int countBefore = -1;
  EXPECT_EQ(list.KeepNewest(countBefore), nullptr);
  EXPECT_EQ(countBefore, 0);
  list.Append(nullptr);
  EXPECT_EQ(list.Count(), 0);
  for (int32_t h = 1; h <= 3; ++h) list.Append(Record(h));
  TLongPicResult* newest = list.KeepNewest(countBefore);
  ASSERT_NE(newest, nullptr);
  EXPECT_EQ(countBefore, 3);
  EXPECT_EQ(newest->Height, 3);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.KeepNewest(countBefore), newest);  // nothing new: the same record
  EXPECT_EQ(countBefore, 1);
  list.Append(Record(4));
  EXPECT_EQ(list.KeepNewest(countBefore)->Height, 4);
  EXPECT_EQ(countBefore, 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.KeepNewest(countBefore), nullptr);
}

TEST(ResultListTest, TheWorkerAppendsWhileTheInterfaceTakesTheNewestAndReadsIt) {
  TResultList list;
  constexpr int32_t Steps = 3000;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int32_t h = 1; h <= Steps; ++h) list.Append(Record(h));
    done = true;
  });
  int32_t last = 0;
  int taken = 0;
  while (!done || last < Steps) {
    int countBefore = 0;
    TLongPicResult* newest = list.KeepNewest(countBefore);
    if (!newest) continue;
    // The record stays valid while the worker appends: read all of it.
    ASSERT_GE(newest->Height, last);
    ASSERT_EQ(newest->Preview.View().At(3, 2).B, uint8_t(newest->Height));
    ASSERT_GE(countBefore, 1);
    last = newest->Height;
    ++taken;
  }
  worker.join();
  EXPECT_EQ(last, Steps);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_GT(taken, 0);
}

}  // namespace
}  // namespace qor
