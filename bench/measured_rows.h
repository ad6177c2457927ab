#pragma once
// Rows measured by another program, the Windows benchmarks under Wine, handed to the table as a
// text file: one row a line, its fields separated by tabs (what is measured, the medians in
// seconds per call of the measured call and of its floor, the median ratio with its lower and
// upper quartiles, and the ratio target, 0 for none).
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "ratio_spread.h"

namespace tavrosk::bench {

// The rows that the Windows benchmarks measure, and the target of the late-bound calls. The
// program that measures them puts before each how it ran: "Wine, native 32-bit: ", "Wine,
// emulated 32-bit: " or "Wine, 64-bit: ".
inline constexpr char kDispatchIdRow[] = "Connect through IDispatch by dispatch id vs vtable";
inline constexpr char kScriptArgumentRow[] =
    "Connect through IDispatch, script Variant ref, vs vtable";
inline constexpr char kRelayAcrossProcessesRow[] =
    "relay GetPageCount, two processes, vs direct road";
inline constexpr double kLateBoundTarget = 3;
// The relay road against its own floor: the same messages sent by hand to the same relay
// program; a read of the largest page against the whole exchange by hand plus the one
// conversion that hands a caller its text (the least a reader can do), and, without a target,
// against floors that leave part of that out; a script's loop against the same loop over the
// platform's own dictionary object; and a plug-in's start against the same start of a script
// on that object.
inline constexpr char kRelayByHandRow[] =
    "relay GetPageCount vs same look-ups and messages by hand";
inline constexpr double kRelayByHandTarget = 1.05;
inline constexpr char kRelayPageTextByHandRow[] =
    "relay GetPageText 512000 chars vs whole exchange by hand + one conversion into BSTR";
inline constexpr double kRelayPageTextByHandTarget = 1.05;
inline constexpr char kRelayPageTextFloorRow[] =
    "relay GetPageText 512000 chars vs WM_GETTEXT + BSTR, leaves out look-ups and line";
inline constexpr char kRelayPageTextRow[] =
    "relay GetPageText 512000 chars vs bare WM_GETTEXT, leaves out look-ups, line, conversion";
inline constexpr char kRelayChangedPageTextRow[] =
    "relay GetPageText 512000 chars, page set anew, vs bare WM_GETTEXT";
inline constexpr char kScriptLoopRow[] = "VBScript IsConnected loop vs Dictionary.Exists loop";
inline constexpr double kScriptLoopTarget = 1.25;
inline constexpr char kScriptDispatchRow[] =
    "VBScript OSC loop (no export) vs Dictionary.Exists loop";
inline constexpr char kColdStartRow[] =
    "cold start, cscript one-line plug-in: PlugInToolsLib vs Scripting.Dictionary";
inline constexpr double kColdStartTarget = 1.10;

struct MeasuredRow {
  std::string what;
  double subject_seconds = 0;  // medians over the repetitions
  double floor_seconds = 0;
  RatioSpread ratio;
  double target_ratio = 0;  // a median ratio of at most this; 0: no target
};

inline void write_measured_rows(std::ostream& out, const std::vector<MeasuredRow>& rows) {
  out.precision(17);
  for (const MeasuredRow& row : rows) {
    out << row.what << '\t' << row.subject_seconds << '\t' << row.floor_seconds << '\t'
        << row.ratio.median << '\t' << row.ratio.lower_quartile << '\t' << row.ratio.upper_quartile
        << '\t' << row.target_ratio << '\n';
  }
}

// Nothing when a line does not hold the seven fields.
inline std::optional<std::vector<MeasuredRow>> read_measured_rows(std::istream& in) {
  std::vector<MeasuredRow> rows;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // written by a Windows program
    if (line.empty()) continue;
    std::istringstream fields(line);
    MeasuredRow row;
    std::string number;
    if (!std::getline(fields, row.what, '\t')) return std::nullopt;
    for (double* value :
         {&row.subject_seconds, &row.floor_seconds, &row.ratio.median, &row.ratio.lower_quartile,
          &row.ratio.upper_quartile, &row.target_ratio}) {
      if (!std::getline(fields, number, '\t')) return std::nullopt;
      try {
        *value = std::stod(number);
      } catch (const std::exception&) {
        return std::nullopt;
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tavrosk::bench
