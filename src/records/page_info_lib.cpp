#include "records/page_info_lib.h"

#include <array>
#include <string_view>

#include "bridge/routing.h"
#include "records/ansi_fields.h"
#include "records/page_info_record.h"
#include "relay/reply_conversions.h"

namespace tavrosk {
namespace {

// Every member but GetPageInfo: a field of the store, or the member's "PageInfo." command.
template <std::size_t N>
Result<Text> text_member(std::array<char16_t, N> PageInfoStore::*field,
                         std::u16string_view command) {
  return guarded<Text>([&] {
    return route([&] { return field_text(page_info_store().*field); },
                 [&] { return relay_exchange(relay_line(command)); });
  });
}

Result<VbBool> boolean_member(Long PageInfoStore::*field, std::u16string_view command) {
  return guarded<VbBool>([&] {
    return route([&] { return to_vb_bool(page_info_store().*field != 0); },
                 [&] { return reply_as_boolean(relay_exchange(relay_line(command))); });
  });
}

Result<Long> long_member(Long PageInfoStore::*field, std::u16string_view command) {
  return guarded<Long>([&] {
    return route([&] { return page_info_store().*field; },
                 [&] { return reply_as_long(relay_exchange(relay_line(command))); });
  });
}

Result<Byte> byte_member(Byte PageInfoStore::*field, std::u16string_view command) {
  return guarded<Byte>([&] {
    return route([&] { return page_info_store().*field; },
                 [&] { return reply_as_byte(relay_exchange(relay_line(command))); });
  });
}

}  // namespace

Result<VbBool> PageInfoLib::GetPageInfo(Text& sFileName) {
  return guarded<VbBool>([&] {
    return route([&] { return FetchPageInfo(sFileName); },
                 [&] {
                   return reply_as_boolean(
                       relay_exchange(relay_line(u"PageInfo.GetPageInfo").field(sFileName)));
                 });
  });
}

Result<Text> PageInfoLib::DisplayName() {
  return text_member(&PageInfoStore::DisplayName, u"PageInfo.DisplayName");
}
Result<Text> PageInfoLib::FileName() {
  return text_member(&PageInfoStore::FileName, u"PageInfo.FileName");
}
Result<Text> PageInfoLib::FilenameMCI() {
  return text_member(&PageInfoStore::FilenameMCI, u"PageInfo.FilenameMCI");
}
Result<Text> PageInfoLib::FilenameASM() {
  return text_member(&PageInfoStore::FilenameASM, u"PageInfo.FilenameASM");
}
Result<Text> PageInfoLib::FilenameHEX() {
  return text_member(&PageInfoStore::FilenameHEX, u"PageInfo.FilenameHEX");
}
Result<VbBool> PageInfoLib::Modified() {
  return boolean_member(&PageInfoStore::Modified, u"PageInfo.Modified");
}
Result<Text> PageInfoLib::Device() {
  return text_member(&PageInfoStore::Device, u"PageInfo.Device");
}
Result<Long> PageInfoLib::OSC() {
  return long_member(&PageInfoStore::OSC, u"PageInfo.OSC");
}
Result<VbBool> PageInfoLib::VersionEnabled() {
  return boolean_member(&PageInfoStore::VersionEnabled, u"PageInfo.VersionEnabled");
}
Result<Byte> PageInfoLib::VersionMajor() {
  return byte_member(&PageInfoStore::VersionMajor, u"PageInfo.VersionMajor");
}
Result<Byte> PageInfoLib::VersionMinor() {
  return byte_member(&PageInfoStore::VersionMinor, u"PageInfo.VersionMinor");
}
Result<Byte> PageInfoLib::VersionRelease() {
  return byte_member(&PageInfoStore::VersionRelease, u"PageInfo.VersionRelease");
}
Result<Byte> PageInfoLib::VersionBuild() {
  return byte_member(&PageInfoStore::VersionBuild, u"PageInfo.VersionBuild");
}
Result<Long> PageInfoLib::PageSize() {
  return long_member(&PageInfoStore::PageSize, u"PageInfo.PageSize");
}
Result<Long> PageInfoLib::PageSizeRTF() {
  return long_member(&PageInfoStore::PageSizeRTF, u"PageInfo.PageSizeRTF");
}
Result<Long> PageInfoLib::DeviceCore() {
  return long_member(&PageInfoStore::DeviceCore, u"PageInfo.DeviceCore");
}

}  // namespace tavrosk
