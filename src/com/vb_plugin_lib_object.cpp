#include "com/vb_plugin_lib_object.h"

#include "com/coclasses.h"

namespace tavrosk::com {

HRESULT create_vb_plugin_lib(REFIID interface_id, void** object) {
  return create_object<VbPluginLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
