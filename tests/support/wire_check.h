#pragma once
// What one member call put on its road: the host's export log on the direct road, the relay
// tool's received lines on the relay road, with the session handle 394 of the worked examples.
#include <string>
#include <vector>

#include "support/fixture.h"

namespace tavrosk::testing {

class WireTest : public BothRoadsTest {
 protected:
  static constexpr Long kWorkedHandle = 394;

  void SetUp() override;

  // Forgets what earlier calls logged, so that expect_wire sees one call's traffic.
  void start_watching();
  // Exactly `export_call` on the direct road, exactly the line of `relay_fields` on the relay
  // road, and nothing on the other road.
  void expect_wire(const std::string& export_call, const std::vector<std::u16string>& relay_fields);

 private:
  std::size_t calls_before_ = 0;
};

// A relay line cut at every separator.
std::vector<std::u16string> fields_of(std::u16string_view line);

}  // namespace tavrosk::testing
