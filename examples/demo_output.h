#pragma once
// Printing what the demo does: each call with its result, and the relay lines sent.
#include <string>
#include <string_view>

#include "bridge/run_time_error.h"
#include "bridge/value_types.h"

namespace demo {

std::string narrow(std::u16string_view text);
std::string show(tavrosk::VbBool value);
std::string show(tavrosk::Long value);
std::string show(const tavrosk::Text& value);
std::string show_status(tavrosk::Status status);

template <class T>
void print_call(std::string_view call, const tavrosk::Result<T>& result);
void print_call(std::string_view call, tavrosk::Status status);
void print_heading(std::string_view heading);
void print_relay_line(std::u16string_view line);

}  // namespace demo
