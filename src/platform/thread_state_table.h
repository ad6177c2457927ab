#pragma once
// The states of one thread, by slot, as both platforms keep them.
#include "platform/thread_state.h"

namespace tavrosk::platform {

class ThreadStateTable {
 public:
  ThreadStateTable() = default;
  ~ThreadStateTable() { release(); }
  ThreadStateTable(const ThreadStateTable&) = delete;
  ThreadStateTable& operator=(const ThreadStateTable&) = delete;

  void* get(ThreadStateSlot slot, ThreadStateFactory make, ThreadStateDeleter destroy) {
    auto index = static_cast<int>(slot);
    if (values_[index] == nullptr) {
      values_[index] = make();
      deleters_[index] = destroy;
    }
    return values_[index];
  }
  void release() {
    for (int index = 0; index < kSlots; ++index) {
      if (values_[index] != nullptr) deleters_[index](values_[index]);
      values_[index] = nullptr;
    }
  }

 private:
  static constexpr int kSlots = static_cast<int>(ThreadStateSlot::kCount);
  void* values_[kSlots] = {};
  ThreadStateDeleter deleters_[kSlots] = {};
};

}  // namespace tavrosk::platform
