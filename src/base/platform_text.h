#pragma once
// Wide-character text in storage that the platform allocated (platform/text_storage.h), for a
// large result that leaves the library in the storage it was converted into: on Windows that
// storage is the caller's BSTR, so the text is neither copied nor converted again on its way.
#include <cstddef>
#include <string_view>
#include <utility>

#include "base/value_types.h"

namespace tavrosk {

class PlatformText {
 public:
  // A caller that wants a plain Text takes a copy (see Result).
  using plain_type = Text;

  PlatformText() noexcept = default;
  explicit PlatformText(std::u16string_view text);
  // Storage of `units` characters for a writer to fill; none when `units` is 0.
  static PlatformText of_size(std::size_t units);

  PlatformText(PlatformText&& other) noexcept
      : text_(std::exchange(other.text_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  PlatformText& operator=(PlatformText&& other) noexcept;
  ~PlatformText();

  char16_t* data() noexcept { return text_; }
  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  std::u16string_view view() const noexcept {
    return text_ == nullptr ? std::u16string_view() : std::u16string_view(text_, size_);
  }
  operator std::u16string_view() const noexcept { return view(); }
  char16_t operator[](std::size_t index) const noexcept { return text_[index]; }
  char16_t front() const noexcept { return text_[0]; }
  char16_t back() const noexcept { return text_[size_ - 1]; }
  std::u16string_view substr(std::size_t position,
                             std::size_t count = std::u16string_view::npos) const {
    return view().substr(position, count);
  }

  // Keeps the first `units` characters (no more than it holds), in storage of their size.
  void shorten(std::size_t units);
  PlatformText& operator+=(std::u16string_view more);
  // The storage, now the caller's to free as the platform frees its text; null when empty.
  char16_t* release() noexcept;

  friend bool operator==(const PlatformText& text, std::u16string_view other) noexcept {
    return text.view() == other;
  }

 private:
  char16_t* text_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace tavrosk
