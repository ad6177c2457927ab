// The session members run the same scenario on both roads against the reference host.
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class SessionOnBothRoads : public BothRoadsTest {};

TEST_P(SessionOnBothRoads, ConnectIsConnectedDisconnectFollowTheHost) {
  EXPECT_EQ(ide_->IsConnected().value, kFalse);
  auto connected = ide_->Connect(static_cast<Long>(ide_window_->window()));
  EXPECT_TRUE(connected.ok());
  EXPECT_EQ(connected.value, kTrue);
  EXPECT_EQ(ide_->IsConnected().value, kTrue);
  EXPECT_EQ(host::ide_model().locked([](host::IdeState& s) { return s.connected_window; }),
            static_cast<Long>(ide_window_->window()));
  EXPECT_EQ(ide_->Disconnect().value, kTrue);
  EXPECT_EQ(ide_->IsConnected().value, kFalse);
  // Disconnecting twice: the host answers that nothing was connected.
  EXPECT_EQ(ide_->Disconnect().value, kFalse);
}

TEST_P(SessionOnBothRoads, EachCallTakesExactlyItsOwnRoad) {
  ide_->IsConnected();
  if (relayed()) {
    EXPECT_TRUE(export_calls().empty());
    EXPECT_EQ(relay_lines(), std::vector<std::u16string>{u"IsConnected//::^x1312"});
  } else {
    EXPECT_EQ(export_calls(), std::vector<std::string>{"IsConnected()"});
    EXPECT_TRUE(relay_lines().empty());
  }
}

TAVROSK_ON_BOTH_ROADS(SessionOnBothRoads);

}  // namespace
}  // namespace tavrosk::testing
