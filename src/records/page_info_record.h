#pragma once
// PageInfoRecord: the 1,132-byte record exchanged with the export GetPageInfo, and the calling
// thread's page information store that keeps its last contents.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/value_types.h"

namespace tavrosk {

// Little-endian integers, fixed-width ANSI text without a guaranteed terminator, no padding.
struct PageInfoRecord {
  char DisplayName[64];
  char FileName[256];
  char FilenameMCI[256];
  char FilenameASM[256];
  char FilenameHEX[256];
  std::int32_t Modified;
  char Device[16];
  std::int32_t DeviceCore;
  std::int32_t OSC;
  std::int32_t VersionEnabled;
  std::uint8_t VersionMajor;
  std::uint8_t VersionMinor;
  std::uint8_t VersionRelease;
  std::uint8_t VersionBuild;
  std::int32_t PageSize;
  std::int32_t PageSizeRTF;
};

static_assert(sizeof(PageInfoRecord) == 1132);
static_assert(offsetof(PageInfoRecord, DisplayName) == 0);
static_assert(offsetof(PageInfoRecord, FileName) == 64);
static_assert(offsetof(PageInfoRecord, FilenameMCI) == 320);
static_assert(offsetof(PageInfoRecord, FilenameASM) == 576);
static_assert(offsetof(PageInfoRecord, FilenameHEX) == 832);
static_assert(offsetof(PageInfoRecord, Modified) == 1088);
static_assert(offsetof(PageInfoRecord, Device) == 1092);
static_assert(offsetof(PageInfoRecord, DeviceCore) == 1108);
static_assert(offsetof(PageInfoRecord, OSC) == 1112);
static_assert(offsetof(PageInfoRecord, VersionEnabled) == 1116);
static_assert(offsetof(PageInfoRecord, VersionMajor) == 1120);
static_assert(offsetof(PageInfoRecord, VersionMinor) == 1121);
static_assert(offsetof(PageInfoRecord, VersionRelease) == 1122);
static_assert(offsetof(PageInfoRecord, VersionBuild) == 1123);
static_assert(offsetof(PageInfoRecord, PageSize) == 1124);
static_assert(offsetof(PageInfoRecord, PageSizeRTF) == 1128);

// The library's copy of one record: the same fields, text as wide characters of the same counts.
struct PageInfoStore {
  std::array<char16_t, 64> DisplayName{};
  std::array<char16_t, 256> FileName{};
  std::array<char16_t, 256> FilenameMCI{};
  std::array<char16_t, 256> FilenameASM{};
  std::array<char16_t, 256> FilenameHEX{};
  Long Modified = 0;
  std::array<char16_t, 16> Device{};
  Long DeviceCore = 0;
  Long OSC = 0;
  Long VersionEnabled = 0;
  Byte VersionMajor = 0;
  Byte VersionMinor = 0;
  Byte VersionRelease = 0;
  Byte VersionBuild = 0;
  Long PageSize = 0;
  Long PageSizeRTF = 0;
};

// The calling thread's store: zero at first use, never cleared.
PageInfoStore& page_info_store();

PageInfoRecord to_record(const PageInfoStore& store);
PageInfoStore from_record(const PageInfoRecord& record);

}  // namespace tavrosk
