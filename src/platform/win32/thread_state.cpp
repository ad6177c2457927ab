#include "platform/thread_state.h"

#include <windows.h>

#include "platform/thread_state_table.h"

namespace tavrosk::platform {
namespace {

DWORD slot_index() {
  static const DWORD index = TlsAlloc();
  return index;
}

}  // namespace

void* thread_state(ThreadStateSlot slot, ThreadStateFactory make, ThreadStateDeleter destroy) {
  auto* states = static_cast<ThreadStateTable*>(TlsGetValue(slot_index()));
  if (states == nullptr) {
    states = new ThreadStateTable();
    TlsSetValue(slot_index(), states);
  }
  return states->get(slot, make, destroy);
}

void release_thread_state() {
  auto* states = static_cast<ThreadStateTable*>(TlsGetValue(slot_index()));
  TlsSetValue(slot_index(), nullptr);
  delete states;
}

}  // namespace tavrosk::platform
