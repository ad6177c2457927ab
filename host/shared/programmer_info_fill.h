#pragma once
// How the reference host writes a programmer's settings into a ProgrammerInfoRecord; the export
// and the relay tool's commands answer from the same record.
#include <cstring>
#include <string>

#include "model/ide_model.h"
#include "records/programmer_info_record.h"
#include "shared/export_buffers.h"

namespace tavrosk::host {

inline void fill_programmer_record(const Programmer& programmer, ProgrammerInfoRecord& record) {
  put_field(record.Path, programmer.path);
  put_field(record.FileName, programmer.file_name);
  put_field(record.Params, programmer.params);
  put_field(record.ParamsBound, programmer.params_bound);
  put_field(record.HookFilename, programmer.hook_filename);
}

}  // namespace tavrosk::host
