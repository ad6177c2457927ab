// PlugInToolsLib: the file-system members.
#include "tools/file_system_helpers.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk {

Result<VbBool> PlugInToolsLib::FileExists(const Text& FullPathFileName) {
  return guarded<VbBool>([&] { return file_system::FileExists(FullPathFileName); });
}

Result<VbBool> PlugInToolsLib::PathExists(const Text& Path) {
  return guarded<VbBool>([&] { return file_system::PathExists(Path); });
}

Status PlugInToolsLib::CreatePath(const Text& Path) {
  return guarded_void([&] { file_system::CreatePath(Path); });
}

}  // namespace tavrosk
