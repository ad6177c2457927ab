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

// Hands the export GetProgrammerInfo the store's contents and takes the whole record back into
// the store, whatever it returned; `sProgName` receives the round trip of its ANSI copy. True
// when the export returned non-zero. Raises 53 or 453 (store and name untouched) when
// unreachable.
VbBool FetchProgrammerInfo(Text& sProgName);

}  // namespace tavrosk
