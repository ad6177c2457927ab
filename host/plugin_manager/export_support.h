#pragma once
// What every export of the reference plug-in manager library does around the model's work:
// log the call with its arguments, hand it to the host program when that holds the IDE, and
// let a test's hook answer instead.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "plugin_manager/export_declarations.h"
#include "plugin_manager/export_route.h"
#include "plugin_manager/reference_environment.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "shared/export_buffers.h"
#include "shared/export_call.h"
#include "shared/ide_operations.h"

#if defined(_WIN32)
#define TAVROSK_HOST_EXPORT  // exported by plain name through the .def file
#else
#define TAVROSK_HOST_EXPORT __attribute__((visibility("default")))
#endif

namespace tavrosk::host {

inline std::string describe_argument(std::int32_t value) {
  return std::to_string(value);
}
inline std::string describe_argument(std::int16_t value) {
  return std::to_string(value);
}
inline std::string describe_argument(const char* text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}
inline std::string describe_argument(const void* address) {
  return address ? "&" : "null";
}

template <class T>
std::intptr_t raw_argument(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<std::intptr_t>(value);
  } else {
    return static_cast<std::intptr_t>(value);
  }
}

// The memory behind each pointer argument, as the export may read or write it.
template <class T>
std::string argument_block(std::string_view export_name, std::size_t index,
                           const std::vector<std::intptr_t>& raw, T value) {
  if constexpr (!std::is_pointer_v<T>) {
    return {};
  } else {
    if (value == nullptr) return {};
    const char* bytes = reinterpret_cast<const char*>(value);
    if constexpr (std::is_same_v<T, char*>) {
      if (buffer_argument(export_name) == static_cast<int>(index) && index + 1 < raw.size()) {
        return std::string(bytes,
                           static_cast<std::size_t>(std::max<std::intptr_t>(raw[index + 1], 0)));
      }
      return std::string(bytes, std::strlen(bytes) + 1);
    } else if constexpr (std::is_same_v<T, std::int32_t*>) {
      return std::string(bytes, sizeof(std::int32_t));
    } else {
      return std::string(bytes, export_name == "GetPageInfo" ? sizeof(PageInfoRecord)
                                                             : sizeof(ProgrammerInfoRecord));
    }
  }
}

// A pointer argument's value travels as 1 or 0: whether it points somewhere.
template <class T>
std::int32_t argument_value(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return value != nullptr ? 1 : 0;
  } else {
    return static_cast<std::int32_t>(value);
  }
}

template <class... Args>
ExportCall capture_call(const char* name, Args... args) {
  std::vector<std::intptr_t> raw{raw_argument(args)...};
  ExportCall call{name, {argument_value(args)...}, {}};
  std::size_t index = 0;
  (call.blocks.push_back(argument_block(name, index++, raw, args)), ...);
  return call;
}

// The memory the host program's export left, back into the caller's.
template <class... Args>
void write_back(const ExportCall& sent, const ExportAnswer& answer, Args... args) {
  std::size_t index = 0;
  [[maybe_unused]] auto put = [&](auto value) {
    using T = decltype(value);
    if constexpr (std::is_pointer_v<T> && !std::is_const_v<std::remove_pointer_t<T>>) {
      if (value != nullptr && index < answer.blocks.size() &&
          answer.blocks[index] != sent.blocks[index]) {
        std::memcpy(value, answer.blocks[index].data(),
                    std::min(answer.blocks[index].size(), sent.blocks[index].size()));
      }
    }
    ++index;
  };
  (put(args), ...);
}

// The export's work, which may throw; serve_export below guards it.
template <class Work, class... Args>
std::int32_t serve_export_or_throw(const char* name, Work& work, Args... args) {
  std::string call = std::string(name) + "(";
  bool first = true;
  ((call += (first ? "" : ", ") + describe_argument(args), first = false), ...);
  call += ")";
  ExportRoute route = export_route();
  if (route == ExportRoute::kHostProgram) {
    ExportCall sent = capture_call(name, args...);
    if (auto answer = forward_to_host_program(sent)) {
      write_back(sent, *answer, args...);
      record_export_call(call, answer->result, false);
      return answer->result;
    }
    route = ExportRoute::kOwnModel;
  }
  if (route == ExportRoute::kOwnModel) prepare_own_model();
  IdeModel& model = ide_model();
  model.log_export_call(call);
  std::int32_t result = 0;
  if (auto hooked = model.run_export_hook(name, {raw_argument(args)...})) {
    result = *hooked;
  } else {
    result = work();
  }
  if (route == ExportRoute::kOwnModel) record_export_call(call, result, true);
  return result;
}

// Logs "Name(a, b)" and serves the call where the IDE's model is (see export_route.h): the
// host program's answer, or the test's hook when one is set, or the model's work. A failure
// on the way (memory, a hook's exception) answers 0, the export's failure, and goes no
// further: the export's caller is the IDE.
template <class Work, class... Args>
std::int32_t serve_export(const char* name, Work&& work, Args... args) noexcept {
  try {
    return serve_export_or_throw(name, work, args...);
  } catch (...) {
    return 0;
  }
}

// An enumeration: the name at `index` into the caller's buffer; 0, and the buffer as it was,
// when the index finds nothing.
template <class Lookup>
std::int32_t serve_indexed_name(const char* name, Lookup&& lookup, std::int32_t index, char* buffer,
                                std::int32_t length) {
  return serve_export(
      name,
      [&] {
        return on_ide([&](IdeState& ide) {
          auto found = lookup(ide, index);
          if (found) put_text(buffer, length, *found);
          return found ? 1 : 0;
        });
      },
      index, buffer, length);
}

}  // namespace tavrosk::host
