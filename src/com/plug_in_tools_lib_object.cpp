#include "com/plug_in_tools_lib_object.h"

#include "com/coclasses.h"

namespace tavrosk::com {

HRESULT create_plug_in_tools_lib(REFIID interface_id, void** object) {
  return create_object<PlugInToolsLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
