// PageInfoLib: each member but GetPageInfo is its store field and its relay command.
#include "bridge/page_info_lib.h"

#include "bridge/member_forms.h"
#include "bridge/record_fetches.h"
#include "records/page_info_record.h"

namespace tavrosk {

Result<VbBool> PageInfoLib::GetPageInfo(Text& sFileName) {
  return routed<VbBool>([&] { return FetchPageInfo(sFileName); },
                        [&] { return relay_line(u"PageInfo.GetPageInfo").field(sFileName); });
}

Result<Text> PageInfoLib::DisplayName() {
  return store_field<Text>(page_info_store, &PageInfoStore::DisplayName, u"PageInfo.DisplayName");
}
Result<Text> PageInfoLib::FileName() {
  return store_field<Text>(page_info_store, &PageInfoStore::FileName, u"PageInfo.FileName");
}
Result<Text> PageInfoLib::FilenameMCI() {
  return store_field<Text>(page_info_store, &PageInfoStore::FilenameMCI, u"PageInfo.FilenameMCI");
}
Result<Text> PageInfoLib::FilenameASM() {
  return store_field<Text>(page_info_store, &PageInfoStore::FilenameASM, u"PageInfo.FilenameASM");
}
Result<Text> PageInfoLib::FilenameHEX() {
  return store_field<Text>(page_info_store, &PageInfoStore::FilenameHEX, u"PageInfo.FilenameHEX");
}
Result<VbBool> PageInfoLib::Modified() {
  return store_field<VbBool>(page_info_store, &PageInfoStore::Modified, u"PageInfo.Modified");
}
Result<Text> PageInfoLib::Device() {
  return store_field<Text>(page_info_store, &PageInfoStore::Device, u"PageInfo.Device");
}
Result<Long> PageInfoLib::OSC() {
  return store_field<Long>(page_info_store, &PageInfoStore::OSC, u"PageInfo.OSC");
}
Result<VbBool> PageInfoLib::VersionEnabled() {
  return store_field<VbBool>(page_info_store, &PageInfoStore::VersionEnabled,
                             u"PageInfo.VersionEnabled");
}
Result<Byte> PageInfoLib::VersionMajor() {
  return store_field<Byte>(page_info_store, &PageInfoStore::VersionMajor, u"PageInfo.VersionMajor");
}
Result<Byte> PageInfoLib::VersionMinor() {
  return store_field<Byte>(page_info_store, &PageInfoStore::VersionMinor, u"PageInfo.VersionMinor");
}
Result<Byte> PageInfoLib::VersionRelease() {
  return store_field<Byte>(page_info_store, &PageInfoStore::VersionRelease,
                           u"PageInfo.VersionRelease");
}
Result<Byte> PageInfoLib::VersionBuild() {
  return store_field<Byte>(page_info_store, &PageInfoStore::VersionBuild, u"PageInfo.VersionBuild");
}
Result<Long> PageInfoLib::PageSize() {
  return store_field<Long>(page_info_store, &PageInfoStore::PageSize, u"PageInfo.PageSize");
}
Result<Long> PageInfoLib::PageSizeRTF() {
  return store_field<Long>(page_info_store, &PageInfoStore::PageSizeRTF, u"PageInfo.PageSizeRTF");
}
Result<Long> PageInfoLib::DeviceCore() {
  return store_field<Long>(page_info_store, &PageInfoStore::DeviceCore, u"PageInfo.DeviceCore");
}

}  // namespace tavrosk
