#pragma once
// What reading or writing one of the host's files gives its caller: the contents, or the
// message that names the file and the place of what is wrong. The host's modules hand these to
// each other as values: on 32-bit Windows an exception cannot unwind from one module into
// another, and would end the IDE's process.
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace tavrosk::host {

template <class T>
struct FileOutcome {
  std::optional<T> value;
  std::string error;  // empty when there is a value
  bool ok() const { return value.has_value(); }
};

// A write has no contents, only whether it happened.
using FileStatus = FileOutcome<std::monostate>;

// How a reader inside one of these files gives up; it never leaves `file_outcome`.
class FileRefusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs `work`, which may raise FileRefusal (or run out of memory), and gives its outcome.
template <class Work>
auto file_outcome(Work&& work) noexcept {
  using Value =
      std::conditional_t<std::is_void_v<decltype(work())>, std::monostate, decltype(work())>;
  FileOutcome<Value> outcome;
  // A message short enough not to need memory of its own.
  auto refuse = [&](const char* message) noexcept {
    try {
      outcome.error = message;
    } catch (...) {
      outcome.error = "out of memory";
    }
  };
  try {
    if constexpr (std::is_void_v<decltype(work())>) {
      work();
      outcome.value.emplace();
    } else {
      outcome.value.emplace(work());
    }
  } catch (const std::bad_alloc&) {
    outcome.error = "out of memory";
  } catch (const std::exception& failure) {
    refuse(failure.what());
  } catch (...) {
    refuse("unexpected failure");
  }
  return outcome;
}

}  // namespace tavrosk::host
