#pragma once
// The information records' round trips through their exports (records/record_fetch.h): the
// thread's store goes out, the record comes back into it.
#include "base/value_types.h"

namespace tavrosk {

// Hands the export GetPageInfo the store's contents and takes the whole record back into the
// store, whatever it returned; `sFileName` receives the round trip of its ANSI copy. True when
// the export returned non-zero. Raises 53 or 453 (store and name untouched) when unreachable.
VbBool FetchPageInfo(Text& sFileName);

// The same with GetProgrammerInfo and the programmer information store.
VbBool FetchProgrammerInfo(Text& sProgName);

}  // namespace tavrosk
