#pragma once
// Direct text calls convert only the export's bytes before their first NUL and build no wide
// buffer of NULs. Each call of these tests is compared with the protocol done step by step: the
// wide buffer of NULs, its ANSI form handed to the export, the whole buffer converted back,
// TrimNull.
#include <cstring>
#include <functional>

#include "base/run_time_error.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {

using Fill = std::function<void(char* buffer, Long length)>;

inline Text stepwise_call(Long length, const Fill& fill) {
  SessionRecord& record = session();
  record.result_buffer_length = length == 0 ? 256 : length;
  if (record.result_buffer_length < 0) raise(error::kInvalidCall);
  record.result_buffer.assign(static_cast<std::size_t>(record.result_buffer_length), u'\0');
  std::string bytes = platform::to_ansi(record.result_buffer);
  fill(bytes.data(), record.result_buffer_length);
  // A buffer filled to its limit loses an incomplete last character.
  record.result_buffer = bytes.find('\0') == std::string::npos ? from_filled_buffer(bytes)
                                                               : platform::from_ansi(bytes);
  Text text = TrimNull(record.result_buffer);
  record.result_buffer.clear();
  return text;
}

struct Outcome {
  Text text;
  Long stored_length = 0;
  int error = 0;
  std::vector<std::string> handed;  // the bytes the export was given, as it got them
};

inline Outcome run(Long length, const Fill& fill, bool stepwise) {
  Outcome out;
  Fill recording = [&](char* buffer, Long given) {
    out.handed.emplace_back(buffer, static_cast<std::size_t>(given));
    fill(buffer, given);
  };
  Status status = guarded_void([&] {
    out.text =
        stepwise ? stepwise_call(length, recording) : call_with_result_buffer(length, recording);
  });
  out.error = status.error_number();
  out.stored_length = session().result_buffer_length;
  return out;
}

class ResultBufferPaths : public PlatformTest {
 protected:
  void expect_same(Long length, const Fill& fill, const std::string& what) {
    Outcome fast = run(length, fill, false);
    Outcome plain = run(length, fill, true);
    EXPECT_EQ(narrow(fast.text), narrow(plain.text)) << what << ", length " << length;
    EXPECT_EQ(fast.error, plain.error) << what;
    EXPECT_EQ(fast.stored_length, plain.stored_length) << what;
    EXPECT_EQ(fast.handed, plain.handed) << what << ": the export was handed other bytes";
  }
};

inline Fill writes(std::string bytes) {
  return [bytes](char* buffer, Long length) {
    std::memcpy(buffer, bytes.data(), std::min(bytes.size(), static_cast<std::size_t>(length)));
  };
}

}  // namespace tavrosk::testing
