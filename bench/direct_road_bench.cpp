// The direct road against a raw call of the same export of the same host library.
#include <string>

#include "bench_host.h"
#include "bench_rows.h"
#include "bridge/plugin_manager/exports.h"
#include "platform/code_page.h"

namespace tavrosk::bench {
namespace {

namespace pm = plugin_manager;

void library_page_count(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kDirect, 1000);
  for (auto _ : state) benchmark::DoNotOptimize(host.ide().GetPageCount());
}

void raw_page_count(benchmark::State& state) {
  BenchHost host(BenchHost::Road::kDirect, 1000);
  auto page_count =
      reinterpret_cast<decltype(pm::GetPageCount)::Pointer>(raw_export("GetPageCount"));
  for (auto _ : state) benchmark::DoNotOptimize(page_count());
}

void library_page_text(benchmark::State& state, Long characters) {
  BenchHost host(BenchHost::Road::kDirect, static_cast<std::size_t>(characters));
  for (auto _ : state) benchmark::DoNotOptimize(host.ide().GetPageText(characters));
}

// The same work done by hand: the connection test, a zeroed buffer of the length, the export,
// and the code-page conversion of the text before the first NUL.
void raw_page_text(benchmark::State& state, Long characters) {
  BenchHost host(BenchHost::Road::kDirect, static_cast<std::size_t>(characters));
  auto is_connected =
      reinterpret_cast<decltype(pm::IsConnected)::Pointer>(raw_export("IsConnected"));
  auto page_text = reinterpret_cast<decltype(pm::GetPageText)::Pointer>(raw_export("GetPageText"));
  for (auto _ : state) {
    benchmark::DoNotOptimize(is_connected());
    std::string bytes(static_cast<std::size_t>(characters), '\0');
    page_text(bytes.data(), characters);
    std::size_t end = bytes.find('\0');
    Text text = platform::from_ansi(std::string_view(bytes).substr(0, end));
    benchmark::DoNotOptimize(text.data());
  }
}

}  // namespace

void add_direct_road(std::vector<Row>& rows) {
  register_benchmark("direct/GetPageCount", library_page_count);
  register_benchmark("raw/GetPageCount", raw_page_count);
  rows.push_back({"direct GetPageCount vs dlsym'd export called raw",
                  "direct/GetPageCount",
                  "raw/GetPageCount",
                  {Target::Kind::kRatioPlusNanoseconds, 1.1, 20}});
  for (Long characters : {1000, 100000, 512000}) {
    std::string size = std::to_string(characters);
    register_benchmark("direct/GetPageText/" + size,
                       [=](benchmark::State& state) { library_page_text(state, characters); });
    register_benchmark("raw/GetPageText/" + size,
                       [=](benchmark::State& state) { raw_page_text(state, characters); });
    Target target;
    if (characters == 512000) target = {Target::Kind::kRatio, 1.2, 0};
    rows.push_back({"direct GetPageText, " + size + " chars, vs raw export + conversion",
                    "direct/GetPageText/" + size, "raw/GetPageText/" + size, target});
  }
}

}  // namespace tavrosk::bench
