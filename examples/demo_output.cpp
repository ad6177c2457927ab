#include "demo_output.h"

#include <cstdio>

#include "relay/command_line.h"

namespace demo {

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c == u'\r') {
      out += "\\r";
    } else if (c == u'\n') {
      out += "\\n";
    } else {
      out += c < 0x80 ? static_cast<char>(c) : '?';
    }
  }
  return out;
}

std::string show(tavrosk::VbBool value) {
  return tavrosk::is_set(value) ? "True" : "False";
}
std::string show(tavrosk::Long value) {
  return std::to_string(value);
}
std::string show(tavrosk::Byte value) {
  return std::to_string(value);
}
std::string show(std::u16string_view value) {
  return '"' + narrow(value) + '"';
}

std::string show_status(tavrosk::Status status) {
  if (status.ok()) return "";
  char text[64];
  std::snprintf(text, sizeof text, "  [error %d, status 0x%08X]", status.error_number(),
                static_cast<unsigned>(status.code));
  return text;
}

template <class T>
void print_call(std::string_view call, const tavrosk::Result<T>& result) {
  std::printf("  %-44.*s -> %s%s\n", static_cast<int>(call.size()), call.data(),
              show(result.value).c_str(), show_status(result.status).c_str());
}
template void print_call(std::string_view, const tavrosk::Result<tavrosk::VbBool>&);
template void print_call(std::string_view, const tavrosk::Result<tavrosk::Long>&);
template void print_call(std::string_view, const tavrosk::Result<tavrosk::Text>&);
template void print_call(std::string_view, const tavrosk::Result<tavrosk::PlatformText>&);
template void print_call(std::string_view, const tavrosk::Result<tavrosk::Byte>&);

void print_call(std::string_view call, tavrosk::Status status) {
  std::printf("  %-44.*s -> done%s\n", static_cast<int>(call.size()), call.data(),
              show_status(status).c_str());
}

void print_heading(std::string_view heading) {
  std::printf("\n== %.*s\n", static_cast<int>(heading.size()), heading.data());
}

void print_note(std::string_view note) {
  std::printf("  (%.*s)\n", static_cast<int>(note.size()), note.data());
}

void print_relay_line(std::u16string_view line) {
  std::printf("     relay line: %s\n", narrow(line).c_str());
}

}  // namespace demo
