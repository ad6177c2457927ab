#include "bridge/record_fetches.h"

#include "bridge/plugin_manager/exports.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "records/record_fetch.h"

namespace tavrosk {

VbBool FetchPageInfo(Text& sFileName) {
  return fetch_record(sFileName, page_info_store(), plugin_manager::GetPageInfo);
}

VbBool FetchProgrammerInfo(Text& sProgName) {
  return fetch_record(sProgName, programmer_info_store(), plugin_manager::GetProgrammerInfo);
}

}  // namespace tavrosk
