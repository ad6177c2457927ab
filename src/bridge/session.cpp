#include "bridge/session.h"

namespace tavrosk {

SessionRecord& session() {
  thread_local SessionRecord record;
  return record;
}

}  // namespace tavrosk
