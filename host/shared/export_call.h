#pragma once
// One export call handed from the reference Zavoplex.dll to the running host program, which
// holds the IDE model, and the answer that comes back. Each argument travels as its value
// and, for a pointer, the memory it points to (a text up to its NUL, a buffer of the length
// that follows it, a record, an integer to fill); the answer brings that memory back as the
// export left it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrosk::host {

struct ExportCall {
  std::string name;
  std::vector<std::int32_t> values;  // a pointer's value: 1 when it points somewhere, else 0
  std::vector<std::string> blocks;   // the memory of each pointer argument; empty for others
};

struct ExportAnswer {
  std::int32_t result = 0;
  std::vector<std::string> blocks;
};

std::string encode_call(const ExportCall& call);
std::optional<ExportCall> decode_call(std::string_view bytes);
std::string encode_answer(const ExportAnswer& answer);
std::optional<ExportAnswer> decode_answer(std::string_view bytes);

// "Name(arg, arg)" as the export log writes it: numbers, texts in quotes, "&" for other
// memory, "null" for a null pointer.
std::string describe_export_call(const ExportCall& call);

// The position of the export's caller-provided output buffer among its arguments (its length
// is the argument after it), or -1 when it has none.
int buffer_argument(std::string_view export_name);

// Runs the call on the export at `address`, whose signature the export list gives; the
// blocks are the memory the pointers point to. Nothing when the name is not an export.
std::optional<ExportAnswer> run_export_call(ExportCall call, void* address);

}  // namespace tavrosk::host
