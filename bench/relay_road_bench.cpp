// The relay road on the simulated desktop: one exchange against the bare messages it sends,
// and a short reply read at the text readers' full capacity against the default capacity.
#include <cstring>
#include <string>

#include "base/run_time_error.h"
#include "bench_host.h"
#include "bench_rows.h"
#include "bridge/routing.h"
#include "platform/window_services.h"

namespace tavrosk::bench {
namespace {

constexpr Long kTextReplyCapacity = 512006;

void relayed_page_count(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kRelay, 1000);
  for (auto _ : state) benchmark::DoNotOptimize(host.ide().GetPageCount());
}

// The same messages sent by hand: the relay window looked up for the send and again for the
// read, the prepared copy-data record, and WM_GETTEXT into a buffer of the default capacity.
void bare_page_count(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kRelay, 1000);
  std::string line = "GetPageCount//::^x" + std::to_string(kPluginWindow);
  std::string send_buffer(kSendBufferSize, '\0');
  std::memcpy(send_buffer.data(), line.data(), line.size());
  platform::CopyDataRecord record{kCopyDataTag, static_cast<std::uint32_t>(line.size() + 1),
                                  send_buffer.data()};
  std::string reply(static_cast<std::size_t>(kDefaultReplyCapacity), ' ');
  for (auto _ : state) {
    platform::WindowHandle relay = platform::find_top_level_window(kRelayWindowTitle);
    platform::send_message(relay, platform::kWmCopyData, 0,
                           reinterpret_cast<std::intptr_t>(&record));
    platform::WindowHandle reply_window =
        platform::first_child_window(platform::find_top_level_window(kRelayWindowTitle));
    benchmark::DoNotOptimize(platform::send_message(reply_window, platform::kWmGetText,
                                                    kDefaultReplyCapacity,
                                                    reinterpret_cast<std::intptr_t>(reply.data())));
  }
}

void relayed_page_text(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kRelay, 10);
  for (auto _ : state) benchmark::DoNotOptimize(host.ide().GetPageText());
}

void relayed_page_text_at_default_capacity(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kRelay, 10);
  for (auto _ : state) {
    benchmark::DoNotOptimize(guarded<Text>(
        [] { return relay_exchange(relay_line(u"GetPageText"), kDefaultReplyCapacity); }));
  }
}

}  // namespace

void add_relay_road(std::vector<Row>& rows) {
  register_benchmark("relay/GetPageCount", relayed_page_count);
  register_benchmark("bare/GetPageCount", bare_page_count);
  register_benchmark("relay/GetPageText/capacity512006", relayed_page_text);
  register_benchmark("relay/GetPageText/capacity500", relayed_page_text_at_default_capacity);
  rows.push_back({"relay GetPageCount exchange vs the bare look-ups and messages",
                  "relay/GetPageCount",
                  "bare/GetPageCount",
                  {}});
  rows.push_back({"relay GetPageText, 10-char reply, capacity 512006 vs 500",
                  "relay/GetPageText/capacity512006",
                  "relay/GetPageText/capacity500",
                  {Target::Kind::kRatio, 1.5, 0}});
}

}  // namespace tavrosk::bench
