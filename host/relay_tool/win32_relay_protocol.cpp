#include "relay_tool/win32_relay_protocol.h"

#include <cstdio>
#include <sstream>

namespace tavrosk::host::win32_relay {

std::string log_record(const ReceivedLine& line) {
  std::string record = std::to_string(line.tag) + ' ' + std::to_string(line.size) + ' ';
  static constexpr char kDigits[] = "0123456789abcdef";
  for (unsigned char byte : line.bytes) {
    record += kDigits[byte >> 4];
    record += kDigits[byte & 0xF];
  }
  return record + '\n';
}

std::vector<ReceivedLine> parse_log(std::string_view log) {
  std::vector<ReceivedLine> lines;
  std::istringstream in{std::string(log)};
  std::string hex;
  ReceivedLine line;
  while (in >> line.tag >> line.size) {
    // An empty payload leaves the hex field out of the record altogether.
    if (in.peek() == ' ') in.get();
    hex.clear();
    if (in.peek() != '\n') in >> hex;
    line.bytes.clear();
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
      line.bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace tavrosk::host::win32_relay
