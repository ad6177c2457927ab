// The soak: mixed calls through the registered Tavrosk.dll for a long while, every result
// checked, and the process watched for growth after a warm-up of a tenth of the calls.
//
//   tavrosk_soak.exe DIRECT_CALLS RELAY_EXCHANGES
//
// Direct calls alternate round by round between the vtable and IDispatch as a script calls;
// relay blocks, interleaved in proportion, exchange with the relay program in a process of
// its own. The reference IDE starts afresh before every round, so its own records (its log of
// export calls among them) stay the same size. Exits 0 when every result was right, no message
// box was shown, and every counter grew by at most 1% from the first sample to the last.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/ide_model.h"
#include "relay_program.h"
#include "soak/client.h"
#include "soak/growth_table.h"
#include "soak/scenario.h"
#include "support/win32/box_record.h"
#include "relay_tool/win32_ide_window.h"

namespace tavrosk::soak {
namespace {

constexpr int kSamples = 10;
constexpr double kGrowthBound = 0.01;

using Clock = std::chrono::steady_clock;

// The IDE window lives on this thread; the relay program hands it lines while this thread
// waits in a send, but anything posted must be taken off the queue too.
void pump_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

struct Plan {
  std::int64_t direct_calls;
  std::int64_t relay_exchanges;
};

int run(const Plan& plan) {
  auto ide_window = std::make_unique<host::Win32IdeWindow>();
  bench::RelayProgram relay;
  std::size_t boxes_before = testing::win32::read_box_record().size();
  Objects objects;
  std::unique_ptr<Client> clients[] = {vtable_client(objects), script_client(objects)};
  PageTexts texts;

  std::int64_t warm_up = plan.direct_calls / 10;
  auto sample_at = [&](int index) {
    return warm_up + (plan.direct_calls - warm_up) * index / (kSamples - 1);
  };
  std::vector<Sample> samples;
  std::int64_t direct = 0;
  std::int64_t relayed = 0;
  Clock::time_point start = Clock::now();
  auto seconds_since_start = [&] {
    return std::chrono::duration<double>(Clock::now() - start).count();
  };

  // Whole cycles of page lengths, until both counts are reached; the last sample ends the run.
  for (std::int64_t round = 0; static_cast<int>(samples.size()) < kSamples; ++round) {
    Client& client = *clients[round % 2];
    long size = page_size_of_round(round);
    host::ide_model().reset();
    std::int64_t before = client.calls();
    try {
      direct_round(client, texts, size, round);
      direct += client.calls() - before;
      before = client.calls();
      // Relay blocks keep pace with the direct calls, in the planned proportion.
      if (relayed < plan.relay_exchanges &&
          relayed * plan.direct_calls <= direct * plan.relay_exchanges) {
        relay_block(client, texts, size);
      }
      relayed += client.calls() - before;
    } catch (const SoakFailure& failure) {
      std::fprintf(stderr, "round %lld (%s, page of %ld characters): %s\n",
                   static_cast<long long>(round), round % 2 ? "IDispatch" : "vtable", size,
                   failure.what());
      return 1;
    }
    pump_messages();
    // Samples are taken where a cycle of page lengths ends, each at the same point of it.
    int next = static_cast<int>(samples.size());
    bool cycle_ends = (round + 1) % kRoundsPerCycle == 0;
    bool due =
        direct >= sample_at(next) && (next < kSamples - 1 || relayed >= plan.relay_exchanges);
    if (cycle_ends && due) {
      samples.push_back({direct, relayed, seconds_since_start(), testing::sample_process()});
    }
  }

  std::printf(
      "soak: %lld direct calls (vtable and IDispatch as a script calls), %lld relay "
      "exchanges with the relay program, in %.1f s; samples after a warm-up of %lld "
      "direct calls, each where a cycle of %lld rounds ends\n",
      static_cast<long long>(direct), static_cast<long long>(relayed), seconds_since_start(),
      static_cast<long long>(warm_up), static_cast<long long>(kRoundsPerCycle));
  bool within = print_growth_table(samples, kGrowthBound);
  std::size_t boxes = testing::win32::read_box_record().size() - boxes_before;
  if (boxes != 0) std::printf("%zu message boxes were shown\n", boxes);
  bool passed = within && boxes == 0;
  std::printf("soak %s\n", passed ? "passed" : "FAILED");
  return passed ? 0 : 1;
}

std::int64_t count_argument(const char* text) {
  char* end = nullptr;
  long long value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= 0 ? value : -1;
}

}  // namespace
}  // namespace tavrosk::soak

int main(int argc, char** argv) {
  using namespace tavrosk::soak;
  Plan plan{argc == 3 ? count_argument(argv[1]) : -1, argc == 3 ? count_argument(argv[2]) : -1};
  if (plan.direct_calls < 1000 || plan.relay_exchanges < 0) {
    std::fprintf(stderr, "usage: tavrosk_soak DIRECT_CALLS (1000 or more) RELAY_EXCHANGES\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 1;
  int status = 1;
  try {
    status = run(plan);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "tavrosk_soak: %s\n", failure.what());
  }
  CoUninitialize();
  return status;
}
