#pragma once
// ProgrammerInfoRecord: the 1,280-byte record exchanged with the export GetProgrammerInfo, and
// the calling thread's programmer information store that keeps its last contents.
#include <concepts>
#include <type_traits>

#include "base/value_types.h"
#include "records/record_fields.h"

namespace tavrosk {

// X(name, kind): the record's fields in record order; five fixed-width ANSI texts without a
// guaranteed terminator, no header, no padding.
#define TAVROSK_PROGRAMMER_INFO_FIELDS(X) \
  X(Path, TextField<256>)                 \
  X(FileName, TextField<256>)             \
  X(Params, TextField<256>)               \
  X(ParamsBound, TextField<256>)          \
  X(HookFilename, TextField<256>)

struct ProgrammerInfoRecord {
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_RECORD_MEMBER)
};

static_assert(sizeof(ProgrammerInfoRecord) == 1280);
static_assert(sizeof(ProgrammerInfoRecord) ==
              0 TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_RECORD_FIELD_SIZE));

// The library's copy of one record: the same fields as 256 wide characters each.
struct ProgrammerInfoStore {
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_STORE_MEMBER)
};

// Calls visit(record_field, store_field) for each field, in record order.
template <class Record, class Store, class Visit>
void pair_fields(Record& record, Store& store, Visit&& visit) requires
    std::same_as<std::remove_const_t<Record>, ProgrammerInfoRecord> &&
    std::same_as<std::remove_const_t<Store>, ProgrammerInfoStore> {
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_VISIT_FIELD)
}

// The calling thread's store: zero at first use, never cleared, apart from the page store.
ProgrammerInfoStore& programmer_info_store();

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store);
ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record);

}  // namespace tavrosk
