#pragma once
// ProgrammerInfoRecord: the 1,280-byte record exchanged with the export GetProgrammerInfo, and
// the calling thread's programmer information store that keeps its last contents.
#include <array>
#include <cstddef>

#include "base/value_types.h"

namespace tavrosk {

// Five fixed-width ANSI texts without a guaranteed terminator; no header, no padding.
struct ProgrammerInfoRecord {
  char Path[256];
  char FileName[256];
  char Params[256];
  char ParamsBound[256];
  char HookFilename[256];
};

static_assert(sizeof(ProgrammerInfoRecord) == 1280);
static_assert(offsetof(ProgrammerInfoRecord, Path) == 0);
static_assert(offsetof(ProgrammerInfoRecord, FileName) == 256);
static_assert(offsetof(ProgrammerInfoRecord, Params) == 512);
static_assert(offsetof(ProgrammerInfoRecord, ParamsBound) == 768);
static_assert(offsetof(ProgrammerInfoRecord, HookFilename) == 1024);

// The library's copy of one record: the same fields as 256 wide characters each.
struct ProgrammerInfoStore {
  std::array<char16_t, 256> Path{};
  std::array<char16_t, 256> FileName{};
  std::array<char16_t, 256> Params{};
  std::array<char16_t, 256> ParamsBound{};
  std::array<char16_t, 256> HookFilename{};
};

// The calling thread's store: zero at first use, never cleared, apart from the page store.
ProgrammerInfoStore& programmer_info_store();

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store);
ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record);

}  // namespace tavrosk
