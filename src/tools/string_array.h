#pragma once
// An array of String that a member replaces as a whole. The component layer implements it over
// the caller's SAFEARRAY; the core and the tests use VectorStringArray.
#include <utility>
#include <vector>

#include "base/run_time_error.h"
#include "base/value_types.h"

namespace tavrosk {

class StringArray {
 public:
  virtual ~StringArray() = default;
  // Replaces every element with `elements`, lower bound 0. Raises 10 when the array is
  // fixed-size or locked; it then keeps its elements.
  virtual void replace(std::vector<Text> elements) = 0;
};

class VectorStringArray final : public StringArray {
 public:
  VectorStringArray() = default;
  explicit VectorStringArray(std::vector<Text> elements) : elements_(std::move(elements)) {}

  void replace(std::vector<Text> elements) override {
    if (locked_) raise(error::kArrayFixedOrLocked);
    elements_ = std::move(elements);
  }
  // A fixed-size or locked array cannot be replaced.
  void set_locked(bool locked) { locked_ = locked; }
  const std::vector<Text>& elements() const { return elements_; }

 private:
  std::vector<Text> elements_;
  bool locked_ = false;
};

}  // namespace tavrosk
