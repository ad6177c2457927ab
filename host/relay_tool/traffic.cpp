#include "relay_tool/traffic.h"

#include <sstream>
#include <string_view>
#include <utility>

#include "shared/relay_commands.h"
#include "shared/traffic_log.h"

namespace tavrosk::host {

namespace {

constexpr std::string_view kNoReply = "(no reply)";
constexpr std::string_view kScriptedMark = "  (scripted)";

}  // namespace

TrafficRow relay_row(const std::string& line, SharedReply reply, bool scripted) {
  std::vector<std::string> fields = split_line(line);
  TrafficRow row{log_time(), fields[0],        fields.size() > 1 ? fields[1] : "",
                 "",         std::move(reply), scripted};
  for (std::size_t i = 2; i < fields.size(); ++i) {
    row.fields += (i > 2 ? " | " : "") + escape_log_text(fields[i]);
  }
  return row;
}

TrafficRow export_row(const std::string& call_description, std::int32_t result) {
  std::size_t open = call_description.find('(');
  std::string arguments = call_description.substr(open + 1);
  if (!arguments.empty()) arguments.pop_back();  // the closing parenthesis
  return TrafficRow{log_time(), call_description.substr(0, open), "direct",
                    escape_log_text(arguments),
                    std::make_shared<const std::string>(std::to_string(result))};
}

std::string reply_column(const TrafficRow& row, std::size_t limit) {
  std::string_view reply = row.reply ? std::string_view(*row.reply) : kNoReply;
  std::string text(reply.substr(0, limit));
  if (row.scripted) text += kScriptedMark;
  return text.substr(0, limit);
}

std::size_t reply_column_size(const TrafficRow& row) {
  return (row.reply ? row.reply->size() : kNoReply.size()) +
         (row.scripted ? kScriptedMark.size() : 0);
}

std::string traffic_text(const std::deque<TrafficRow>& rows) {
  std::string text = "time\tcommand\tsession\tfields\treply\r\n";
  for (const auto& row : rows) {
    text += row.time + '\t' + row.command + '\t' + row.session + '\t' + row.fields + '\t' +
            escape_log_text(reply_column(row)) + "\r\n";
  }
  return text;
}

std::string line_entry(const ReceivedLine& line) {
  return log_time() + " line " + std::to_string(line.tag) + ' ' + std::to_string(line.size) + ' ' +
         escape_log_text(line.bytes);
}

std::string reply_entry(const std::optional<std::string>& reply, bool scripted) {
  if (!reply) return log_time() + " no-reply";
  return log_time() + (scripted ? " scripted " : " reply ") + escape_log_text(*reply);
}

std::string call_entry(const std::string& call_description, std::int32_t result) {
  return log_time() + " call " + escape_log_text(call_description) + " = " + std::to_string(result);
}

std::vector<ReceivedLine> parse_line_entries(const std::string& log) {
  std::vector<ReceivedLine> lines;
  std::istringstream in(log);
  for (std::string entry; std::getline(in, entry);) {
    std::istringstream fields(entry);
    std::string time, kind;
    ReceivedLine line;
    if (!(fields >> time >> kind) || kind != "line" || !(fields >> line.tag >> line.size)) continue;
    std::string bytes;
    if (fields.get() == ' ') std::getline(fields, bytes);
    if (auto unescaped = unescape_log_text(bytes)) line.bytes = *unescaped;
    lines.push_back(line);
  }
  return lines;
}

}  // namespace tavrosk::host
