// VBScript loops through the script host, calling IsConnected on a VB_PluginLib and OSC on a
// PageInfoLib (which calls no export), against the same loop calling Exists on the platform's
// own Scripting.Dictionary: the script times the loops in turns, and each row pairs the turns.
#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

constexpr int kRepetitions = 15;
constexpr int kLeastMillisecondsPerLoop = 250;

double median(std::vector<double> values) {
  if (values.empty()) throw std::runtime_error("the script loop printed no times");
  auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

std::vector<MeasuredRow> measure_script_loops() {
  std::string output =
      run_script(L"script_loop.vbs",
                 std::to_wstring(kRepetitions) + L" " + std::to_wstring(kLeastMillisecondsPerLoop));
  std::map<std::string, std::vector<double>> seconds_per_call;
  std::istringstream lines(output);
  std::string name;
  std::string seconds;
  double calls = 0;
  while (lines >> name >> seconds >> calls) {
    std::replace(seconds.begin(), seconds.end(), ',', '.');  // a locale's decimal comma
    seconds_per_call[name].push_back(std::stod(seconds) / calls);
  }
  const std::vector<double>& floor = seconds_per_call["Exists"];
  auto row = [&](const char* what, const std::string& loop, double target) {
    const std::vector<double>& subject = seconds_per_call[loop];
    return MeasuredRow{what, median(subject), median(floor), paired_ratios(subject, floor), target};
  };
  return {row(kScriptLoopRow, "IsConnected", kScriptLoopTarget), row(kScriptDispatchRow, "OSC", 0)};
}

}  // namespace tavrosk::bench
