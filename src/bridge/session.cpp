#include "bridge/session.h"

#include "platform/thread_state.h"

namespace tavrosk {

SessionRecord& session() {
  return platform::thread_state<SessionRecord, platform::ThreadStateSlot::kSession>();
}

}  // namespace tavrosk
