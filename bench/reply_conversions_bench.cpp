// The reply conversions on their own, in calls per second.
#include "bench_host.h"
#include "bench_rows.h"
#include "relay/reply_conversions.h"

namespace tavrosk::bench {
namespace {

void boolean_reply(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(reply_as_boolean(u"True"));
}

void number_reply(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(reply_as_long(u"12345"));
}

void split_page_reply(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(split_reply(u"True//::^xC:\\Projects\\Blink\\main.bas"));
  }
}

}  // namespace

void add_reply_conversions(std::vector<Row>& rows) {
  register_benchmark("conversion/Boolean", boolean_reply);
  register_benchmark("conversion/Number", number_reply);
  register_benchmark("conversion/Split", split_page_reply);
  rows.push_back({"reply as Boolean, \"True\"", "conversion/Boolean", "", {Target::Kind::kRate}});
  rows.push_back({"reply as Number, \"12345\"", "conversion/Number", "", {Target::Kind::kRate}});
  rows.push_back(
      {"reply split, \"True//::^x<page path>\"", "conversion/Split", "", {Target::Kind::kRate}});
}

}  // namespace tavrosk::bench
