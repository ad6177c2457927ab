#pragma once
// PageInfoLib: the details of one editor page. On the direct road GetPageInfo fetches the page
// into the calling thread's page information store and the other members read its fields; on
// the relay road every member is one exchange with the relay tool and the store is not used.
// Objects hold no state of their own.
#include "base/run_time_error.h"
#include "base/value_types.h"

namespace tavrosk {

class PageInfoLib {
 public:
  // The page's name is written back as its ANSI round trip on the direct road.
  Result<VbBool> GetPageInfo(Text& sFileName);
  Result<Text> DisplayName();
  Result<Text> FileName();
  Result<Text> FilenameMCI();
  Result<Text> FilenameASM();
  Result<Text> FilenameHEX();
  Result<VbBool> Modified();
  Result<Text> Device();
  Result<Long> OSC();
  Result<VbBool> VersionEnabled();
  Result<Byte> VersionMajor();
  Result<Byte> VersionMinor();
  Result<Byte> VersionRelease();
  Result<Byte> VersionBuild();
  Result<Long> PageSize();
  Result<Long> PageSizeRTF();
  Result<Long> DeviceCore();
};

}  // namespace tavrosk
