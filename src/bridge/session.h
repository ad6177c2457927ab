#pragma once
// The calling thread's session record, shared by every object of every class on that thread.
#include "base/value_types.h"

namespace tavrosk {

struct SessionRecord {
  Long session_handle = 0;     // the plug-in's window handle, first field of every relay line
  VbBool debug_flag = kFalse;  // set: every routed member takes the relay road
  Text result_buffer;          // direct calls that return text
  Long result_buffer_length = 0;
};

// Zero at the thread's first use and never reset: it lives as long as the thread.
SessionRecord& session();

}  // namespace tavrosk
