// Text storage on the simulated desktop: plain heap storage, freed by the library alone.
#include "platform/text_storage.h"

namespace tavrosk::platform {

char16_t* allocate_text(std::size_t units) {
  auto* text = new char16_t[units + 1];
  text[units] = u'\0';
  return text;
}

void free_text(char16_t* text) noexcept {
  delete[] text;
}

}  // namespace tavrosk::platform
