#pragma once
// The one failure type of the library's members, and the guard that turns it into a call status.
#include <cstdint>
#include <exception>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/run_time_error_table.h"

namespace tavrosk {

class RunTimeError : public std::exception {
 public:
  explicit RunTimeError(int number) : number_(number) {}
  int number() const { return number_; }
  const char* what() const noexcept override { return "Tavrosk run-time error"; }

 private:
  int number_;
};

[[noreturn]] inline void raise(int number) {
  throw RunTimeError(number);
}

// A call's status as COM reports it: 0 on success, 0x800A0000 + number on a run-time error.
struct Status {
  static constexpr std::uint32_t kControlFacility = 0x800A0000u;

  std::uint32_t code = 0;

  static constexpr Status of_error(int number) {
    return Status{kControlFacility + static_cast<std::uint32_t>(number)};
  }
  constexpr bool ok() const { return code == 0; }
  constexpr int error_number() const {
    return ok() ? 0 : static_cast<int>(code - kControlFacility);
  }
  friend constexpr bool operator==(Status, Status) = default;
};

// The plain type that a value type names (text in platform storage names Text), void if none.
template <class T>
struct plain_type_of {
  using type = void;
};
template <class T>
requires requires {
  typename T::plain_type;
}
struct plain_type_of<T> {
  using type = typename T::plain_type;
};

// A member's outcome: its result slot and its status. On failure the slot holds T's zero value.
template <class T>
struct Result {
  T value{};
  Status status;
  constexpr bool ok() const { return status.ok(); }
  // A value that names a plain type (text in platform storage names Text) is taken as that
  // type by a caller that wants it so, as a copy.
  template <class U>
  requires std::is_same_v<U, typename plain_type_of<T>::type>
  operator Result<U>() const { return Result<U>{U(value.view()), status}; }
};

namespace detail {
inline int current_error_number() noexcept {
  try {
    throw;
  } catch (const RunTimeError& e) {
    return e.number();
  } catch (const std::bad_alloc&) {
    return error::kOutOfMemory;
  } catch (...) {
    return error::kInternal;
  }
}
}  // namespace detail

// Runs a member's body under the handler: a failure ends the body at once and becomes the
// status; whatever the body wrote before (state, out-parameters) stays written.
template <class T, class Body>
Result<T> guarded(Body&& body) noexcept {
  try {
    return Result<T>{std::forward<Body>(body)(), Status{}};
  } catch (...) {
    return Result<T>{T{}, Status::of_error(detail::current_error_number())};
  }
}

template <class Body>
Status guarded_void(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return Status{};
  } catch (...) {
    return Status::of_error(detail::current_error_number());
  }
}

}  // namespace tavrosk
