#include "records/programmer_info_record.h"

#include "bridge/plugin_manager/exports.h"
#include "records/ansi_fields.h"
#include "records/record_fetch.h"

namespace tavrosk {

ProgrammerInfoStore& programmer_info_store() {
  thread_local ProgrammerInfoStore store;
  return store;
}

namespace {

// Pairs each record field with its store field, in record order.
template <class Record, class Store, class Visit>
void pair_fields(Record& record, Store& store, Visit&& visit) {
  visit(record.Path, store.Path);
  visit(record.FileName, store.FileName);
  visit(record.Params, store.Params);
  visit(record.ParamsBound, store.ParamsBound);
  visit(record.HookFilename, store.HookFilename);
}

}  // namespace

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store) {
  ProgrammerInfoRecord record{};
  pair_fields(record, store, [](auto& to, const auto& from) { copy_field(from, to); });
  return record;
}

ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record) {
  ProgrammerInfoStore store;
  pair_fields(record, store, [](const auto& from, auto& to) { copy_field(from, to); });
  return store;
}

VbBool FetchProgrammerInfo(Text& sProgName) {
  return fetch_record(sProgName, programmer_info_store(), plugin_manager::GetProgrammerInfo);
}

}  // namespace tavrosk
