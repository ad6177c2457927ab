#pragma once
// The round trip that every information record makes through its export: the store's contents
// go out (the host sees the previous values, not a blank record), the whole record comes back
// into the store whatever the export answered, and the caller's name receives the round trip
// of its ANSI copy, which the export may have changed in place.
#include <cstdint>

#include "base/ansi_copy.h"
#include "base/value_types.h"

namespace tavrosk {

// `call_export(char* name, std::uint8_t* record)` calls the export. When it raises (library or
// export missing) neither the store nor the name has been touched.
template <class Store, class CallExport>
VbBool fetch_record(Text& name, Store& store, CallExport&& call_export) {
  auto record = to_record(store);
  AnsiCopy ansi_name(name);
  std::int32_t answer = call_export(ansi_name, reinterpret_cast<std::uint8_t*>(&record));
  store = from_record(record);
  name = ansi_name.round_trip();
  return export_boolean(answer);
}

}  // namespace tavrosk
