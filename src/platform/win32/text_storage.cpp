// Text storage as BSTRs: a text result made in it becomes the caller's BSTR as it is.
#include "platform/text_storage.h"

#include <windows.h>

#include <oleauto.h>

#include <climits>
#include <new>

namespace tavrosk::platform {

char16_t* allocate_text(std::size_t units) {
  // A BSTR counts its length in bytes in 32 bits.
  if (units > UINT_MAX / sizeof(wchar_t) - 1) throw std::bad_alloc();
  BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(units));
  if (text == nullptr) throw std::bad_alloc();
  return reinterpret_cast<char16_t*>(text);
}

void free_text(char16_t* text) noexcept {
  SysFreeString(reinterpret_cast<BSTR>(text));
}

}  // namespace tavrosk::platform
