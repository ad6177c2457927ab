#include "bridge/result_buffer.h"

#include "base/run_time_error.h"

namespace tavrosk {

Long prepare_result_buffer_length(Long length) {
  SessionRecord& record = session();
  record.result_buffer_length = length == 0 ? kDefaultResultBufferLength : length;
  if (record.result_buffer_length < 0) raise(error::kInvalidCall);
  return record.result_buffer_length;
}

Text TrimNull(std::u16string_view text) {
  return Text(text.substr(0, text.find(u'\0')));
}

}  // namespace tavrosk
