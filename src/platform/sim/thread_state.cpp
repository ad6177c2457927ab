#include "platform/thread_state.h"

#include "platform/thread_state_table.h"

namespace tavrosk::platform {
namespace {

ThreadStateTable& table() {
  thread_local ThreadStateTable states;
  return states;
}

}  // namespace

void* thread_state(ThreadStateSlot slot, ThreadStateFactory make, ThreadStateDeleter destroy) {
  return table().get(slot, make, destroy);
}

void release_thread_state() {
  table().release();
}

}  // namespace tavrosk::platform
