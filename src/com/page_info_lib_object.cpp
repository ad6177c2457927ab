#include "com/page_info_lib_object.h"

#include "com/coclasses.h"

namespace tavrosk::com {

HRESULT create_page_info_lib(REFIID interface_id, void** object) {
  return create_object<PageInfoLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
