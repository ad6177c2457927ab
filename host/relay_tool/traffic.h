#pragma once
// What the host program shows and logs of each exchange: a relay line with the reply it got,
// or an export call that a plug-in's Zavoplex.dll handed over with its result.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shared/received_line.h"

namespace tavrosk::host {

// A reply's text, shared rather than copied: the rows that got one long reply and the reply
// window's last text hold it once.
using SharedReply = std::shared_ptr<const std::string>;

struct TrafficRow {
  std::string time;
  std::string command;
  std::string session;  // the session handle; "direct" for an export call
  std::string fields;   // the command's own fields, joined by " | "
  // The reply given, unescaped (escaped only where it is shown); none when the command gives
  // none.
  SharedReply reply;
  bool scripted = false;
};

TrafficRow relay_row(const std::string& line, SharedReply reply, bool scripted);
TrafficRow export_row(const std::string& call_description, std::int32_t result);

// The reply column, unescaped, of at most `limit` bytes: the reply, "(no reply)" when there is
// none, marked "  (scripted)" when a script gave it.
std::string reply_column(const TrafficRow& row, std::size_t limit = std::string::npos);
std::size_t reply_column_size(const TrafficRow& row);

// The rows as text: a header, then one row per line, columns separated by tabs.
std::string traffic_text(const std::deque<TrafficRow>& rows);

// The host program's log (--log), one entry per line, each starting with the time:
//   TIME line TAG SIZE BYTES     a line received (dwData, cbData, the cbData bytes escaped)
//   TIME reply TEXT              the reply given to it, escaped
//   TIME scripted TEXT           a scripted reply given to it instead of the IDE's
//   TIME no-reply                the command gives none: the reply window keeps its text
//   TIME call NAME(ARGS) = N     an export call handed over by a plug-in's Zavoplex.dll
//   TIME error MESSAGE           a state or replies file refused
std::string line_entry(const ReceivedLine& line);
std::string reply_entry(const std::optional<std::string>& reply, bool scripted);
std::string call_entry(const std::string& call_description, std::int32_t result);

// The received lines of a log, as the tests read them back.
std::vector<ReceivedLine> parse_line_entries(const std::string& log);

}  // namespace tavrosk::host
