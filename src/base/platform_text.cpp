#include "base/platform_text.h"

#include <algorithm>

#include "platform/text_storage.h"

namespace tavrosk {

PlatformText::PlatformText(std::u16string_view text) : PlatformText(of_size(text.size())) {
  std::copy(text.begin(), text.end(), text_);
}

PlatformText PlatformText::of_size(std::size_t units) {
  PlatformText text;
  if (units == 0) return text;
  text.text_ = platform::allocate_text(units);
  text.size_ = units;
  return text;
}

PlatformText& PlatformText::operator=(PlatformText&& other) noexcept {
  PlatformText moved(std::move(other));
  std::swap(text_, moved.text_);
  std::swap(size_, moved.size_);
  return *this;
}

PlatformText::~PlatformText() {
  if (text_ != nullptr) platform::free_text(text_);
}

void PlatformText::shorten(std::size_t units) {
  if (units >= size_) return;
  *this = PlatformText(view().substr(0, units));
}

PlatformText& PlatformText::operator+=(std::u16string_view more) {
  if (more.empty()) return *this;
  PlatformText joined = of_size(size_ + more.size());
  std::copy(more.begin(), more.end(), std::copy_n(text_, size_, joined.text_));
  return *this = std::move(joined);
}

char16_t* PlatformText::release() noexcept {
  size_ = 0;
  return std::exchange(text_, nullptr);
}

}  // namespace tavrosk
