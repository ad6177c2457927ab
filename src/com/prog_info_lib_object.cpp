#include "com/prog_info_lib_object.h"

#include "com/coclasses.h"

namespace tavrosk::com {

HRESULT create_prog_info_lib(REFIID interface_id, void** object) {
  return create_object<ProgInfoLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
