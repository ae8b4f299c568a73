#pragma once
// A flag that is set only while a hold on it lives, so no early return or exception can leave it set.
// Usage:
//   {
//     const auto busy = run.HoldOutputBusy();  // set
//     ... dialogs, writing ...
//   }                                          // clear again, whatever happened inside
#include <utility>

namespace qor {

class TBusyFlag {
 public:
  class THold {
   public:
    explicit THold(TBusyFlag& flag) noexcept : FFlag(&flag) { FFlag->FBusy = true; }
    ~THold() {
      if (FFlag) FFlag->FBusy = false;
    }
    THold(THold&& other) noexcept : FFlag(std::exchange(other.FFlag, nullptr)) {}
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;
    THold& operator=(THold&&) = delete;

   private:
    TBusyFlag* FFlag;
  };

  bool Busy() const { return FBusy; }
  [[nodiscard]] THold Hold() { return THold(*this); }

 private:
  bool FBusy = false;
};

}  // namespace qor
