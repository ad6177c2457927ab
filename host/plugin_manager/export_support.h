#pragma once
// What every export of the reference plug-in manager library does around the model's work:
// log the call with its arguments, and let a test's hook answer instead.
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "bridge/plugin_manager/exports.h"
#include "model/export_buffers.h"
#include "model/ide_model.h"
#include "model/ide_operations.h"

#if defined(_WIN32)
#define TAVROSK_HOST_EXPORT  // exported by plain name through the .def file
#else
#define TAVROSK_HOST_EXPORT __attribute__((visibility("default")))
#endif

namespace tavrosk::host {

// The exact pointer type of each export, to check the definitions against the list.
namespace signature {
#define TAVROSK_EXPORT_POINTER(name, ...) using name = plugin_manager::Export<__VA_ARGS__>::Pointer;
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_EXPORT_POINTER)
#undef TAVROSK_EXPORT_POINTER
}  // namespace signature

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

// Logs "Name(a, b)", runs the test's hook when one is set, else the model's work.
template <class Work, class... Args>
std::int32_t serve_export(const char* name, Work&& work, Args... args) {
  std::string call = std::string(name) + "(";
  bool first = true;
  ((call += (first ? "" : ", ") + describe_argument(args), first = false), ...);
  call += ")";
  IdeModel& model = ide_model();
  model.log_export_call(call);
  if (auto hooked = model.run_export_hook(name, {raw_argument(args)...})) return *hooked;
  return work();
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
