#pragma once
// A work item for TQuickThreadPool. Subclasses carry the data of one job; the pool owns an item from the moment
// it accepts it and frees it after the handler has run or when it discards it.

namespace qor {

class TWorkDataObj {
 public:
  virtual ~TWorkDataObj() = default;

  // Whether this (new) item duplicates `other`, which is queued or, when `otherIsExecuting`, in a handler right
  // now. Called while `other` may be in use by a handler, so compare only what no handler changes. By default
  // no two items are the same.
  virtual bool IsSame(const TWorkDataObj& other, bool otherIsExecuting) const {
    (void)other;
    (void)otherIsExecuting;
    return false;
  }
};

}  // namespace qor
