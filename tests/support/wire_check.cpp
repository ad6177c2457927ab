#include "support/wire_check.h"

#include "relay/reply_conversions.h"

#include "model/ide_model.h"
#include "relay/command_line.h"

namespace tavrosk::testing {

void WireTest::SetUp() {
  BothRoadsTest::SetUp();
  if (relayed()) {
    ASSERT_TRUE(ide_->DebugApp(kWorkedHandle, kTrue).ok());
  }
  start_watching();
}

void WireTest::start_watching() {
  relay_->clear_received();
  calls_before_ = host::ide_model().export_calls().size();
}

void WireTest::expect_wire(const std::string& export_call,
                           const std::vector<std::u16string>& relay_fields) {
  std::vector<std::string> calls = host::ide_model().export_calls();
  std::vector<std::string> new_calls(calls.begin() + static_cast<long>(calls_before_), calls.end());
  std::vector<std::u16string> lines = relay_lines();
  if (relayed()) {
    EXPECT_EQ(new_calls, std::vector<std::string>{});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(fields_of(lines.front()), relay_fields) << narrow(lines.front());
    Text joined = relay_fields.front();
    for (std::size_t i = 1; i < relay_fields.size(); ++i) {
      joined += kFieldSeparator;
      joined += relay_fields[i];
    }
    EXPECT_EQ(lines.front(), joined);
  } else {
    EXPECT_EQ(new_calls, std::vector<std::string>{export_call});
    EXPECT_TRUE(lines.empty());
  }
  start_watching();
}

std::vector<std::u16string> fields_of(std::u16string_view line) {
  return split_reply(line);
}

}  // namespace tavrosk::testing
