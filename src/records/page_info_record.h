#pragma once
// PageInfoRecord: the 1,132-byte record exchanged with the export GetPageInfo, and the calling
// thread's page information store that keeps its last contents.
#include <concepts>
#include <type_traits>

#include "base/value_types.h"
#include "records/record_fields.h"

namespace tavrosk {

// X(name, kind): the record's fields in record order; little-endian integers, fixed-width ANSI
// text without a guaranteed terminator, no padding.
#define TAVROSK_PAGE_INFO_FIELDS(X) \
  X(DisplayName, TextField<64>)     \
  X(FileName, TextField<256>)       \
  X(FilenameMCI, TextField<256>)    \
  X(FilenameASM, TextField<256>)    \
  X(FilenameHEX, TextField<256>)    \
  X(Modified, FlagField)            \
  X(Device, TextField<16>)          \
  X(DeviceCore, LongField)          \
  X(OSC, LongField)                 \
  X(VersionEnabled, FlagField)      \
  X(VersionMajor, ByteField)        \
  X(VersionMinor, ByteField)        \
  X(VersionRelease, ByteField)      \
  X(VersionBuild, ByteField)        \
  X(PageSize, LongField)            \
  X(PageSizeRTF, LongField)

struct PageInfoRecord {
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_RECORD_MEMBER)
};

static_assert(sizeof(PageInfoRecord) == 1132);
static_assert(sizeof(PageInfoRecord) == 0 TAVROSK_PAGE_INFO_FIELDS(TAVROSK_RECORD_FIELD_SIZE));

// The library's copy of one record: the same fields, text as wide characters of the same counts.
struct PageInfoStore {
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_STORE_MEMBER)
};

// Calls visit(record_field, store_field) for each field, in record order.
template <class Record, class Store, class Visit>
void pair_fields(Record& record, Store& store, Visit&& visit) requires
    std::same_as<std::remove_const_t<Record>, PageInfoRecord> &&
    std::same_as<std::remove_const_t<Store>, PageInfoStore> {
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_VISIT_FIELD)
}

// The calling thread's store: zero at first use, never cleared.
PageInfoStore& page_info_store();

PageInfoRecord to_record(const PageInfoStore& store);
PageInfoStore from_record(const PageInfoRecord& record);

}  // namespace tavrosk
