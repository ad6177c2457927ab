#pragma once
// How the reference host writes a programmer's settings into a ProgrammerInfoRecord; the export
// and the relay tool's commands answer from the same record.
#include <cstring>
#include <string>

#include "model/ide_model.h"
#include "records/programmer_info_record.h"
#include "shared/export_buffers.h"

namespace tavrosk::host {

// Each field's value in the model of a programmer, named for the field: the record's field
// list chooses what is filled, so a field without a value here does not build.
struct ProgrammerInfoValues {
  const Programmer& programmer;
  const std::string& Path() const { return programmer.path; }
  const std::string& FileName() const { return programmer.file_name; }
  const std::string& Params() const { return programmer.params; }
  const std::string& ParamsBound() const { return programmer.params_bound; }
  const std::string& HookFilename() const { return programmer.hook_filename; }
};

inline void fill_programmer_record(const Programmer& programmer, ProgrammerInfoRecord& record) {
  ProgrammerInfoValues values{programmer};
#define TAVROSK_FILL_FIELD(name, kind) put_field(record.name, values.name());
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_FILL_FIELD)
#undef TAVROSK_FILL_FIELD
}

}  // namespace tavrosk::host
