#pragma once
// What the export list tells of each export, for the code that calls, declares, describes or
// checks the exports: its argument count (one 32-bit slot each on 32-bit Windows), which of
// its arguments are pointers, and where its output buffer is.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "bridge/plugin_manager/calling_convention.h"
#include "bridge/plugin_manager/export_list.h"

namespace tavrosk::plugin_manager {

template <class Signature>
struct ExportSignature;

template <class R, class... Args>
struct ExportSignature<R(Args...)> {
  static constexpr std::uint32_t kSlots = sizeof...(Args);
  // Bit i is set when argument i is a pointer.
  static constexpr std::uint32_t kPointers = [] {
    std::uint32_t mask = 0;
    std::uint32_t bit = 1;
    ((mask |= std::is_pointer_v<Args> ? bit : 0u, bit <<= 1), ...);
    return mask;
  }();
  // The function as the plug-in manager library defines it: stdcall on 32 bits, never throwing.
  using NoThrowFunction = R TAVROSK_STDCALL(Args...) noexcept;
};

// The position of the argument named `buffer` in a signature as the list spells it, the
// caller's output buffer whose length is the argument after it; -1 when there is none.
constexpr int buffer_position(std::string_view signature) {
  std::string_view arguments = signature.substr(signature.find('(') + 1);
  arguments = arguments.substr(0, arguments.rfind(')'));
  for (int position = 0; !arguments.empty(); ++position) {
    std::size_t comma = arguments.find(',');
    std::string_view argument = arguments.substr(0, comma);
    while (argument.ends_with(' ')) argument.remove_suffix(1);
    if (argument.ends_with(" buffer") || argument.ends_with("*buffer")) return position;
    if (comma == std::string_view::npos) break;
    arguments = arguments.substr(comma + 1);
  }
  return -1;
}

struct ListedExport {
  const char* name;
  std::uint32_t slots;     // one 32-bit slot per argument
  std::uint32_t pointers;  // bit i: argument i is a pointer
  int buffer;              // the output buffer's position, or -1
};

inline constexpr ListedExport kListedExports[] = {
#define TAVROSK_LISTED_EXPORT(name, ...)                                                 \
  {#name, ExportSignature<__VA_ARGS__>::kSlots, ExportSignature<__VA_ARGS__>::kPointers, \
   buffer_position(#__VA_ARGS__)},
    TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_LISTED_EXPORT)
#undef TAVROSK_LISTED_EXPORT
};

// The export of that name in the list, or null.
constexpr const ListedExport* listed_export(std::string_view name) {
  for (const ListedExport& listed : kListedExports) {
    if (name == listed.name) return &listed;
  }
  return nullptr;
}

// A buffer is a pointer and its length the number after it.
static_assert([] {
  for (const ListedExport& listed : kListedExports) {
    if (listed.buffer < 0) continue;
    auto at = static_cast<std::uint32_t>(listed.buffer);
    if (at + 1 >= listed.slots || (listed.pointers >> at & 1u) == 0 ||
        (listed.pointers >> (at + 1) & 1u) != 0) {
      return false;
    }
  }
  return true;
}());

}  // namespace tavrosk::plugin_manager
