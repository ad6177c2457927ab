#pragma once
// The library's per-thread state (apartment threading): one instance of each kind per thread,
// value-initialised at the thread's first use and released when the thread ends.
//
// Natively this is thread_local. On Windows the compiler emulates thread_local with a key
// whose cleanup runs inside the loader's thread-detach notification, and a thread that has
// used such state in Tavrosk.dll never finishes ending under Wine; there the state lives in a
// system TLS slot instead, released by the DLL's own thread-detach notification
// (release_thread_state). A program that links the core statically leaves each ended thread's
// state unreleased.
namespace tavrosk::platform {

enum class ThreadStateSlot { kSession, kPageInfo, kProgrammerInfo, kReplyBuffer, kCount };

using ThreadStateFactory = void* (*)();
using ThreadStateDeleter = void (*)(void*);

// The calling thread's state in `slot`, made by `make` at its first use.
void* thread_state(ThreadStateSlot slot, ThreadStateFactory make, ThreadStateDeleter destroy);
// Releases the calling thread's states; they are made afresh if the thread uses them again.
void release_thread_state();

template <class T, ThreadStateSlot Slot>
T& thread_state() {
  return *static_cast<T*>(thread_state(
      Slot, []() -> void* { return new T(); }, [](void* state) { delete static_cast<T*>(state); }));
}

}  // namespace tavrosk::platform
