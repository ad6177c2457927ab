#include "com/error_info.h"

#include <oleauto.h>

namespace tavrosk::com {

namespace {

// The table's description as the Automation strings take it (both are UTF-16 code units). The
// table's texts are literals: a NUL follows each view.
std::wstring_view description_of(int number) noexcept {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  std::u16string_view description = error_description(number);
  return {reinterpret_cast<const wchar_t*>(description.data()), description.size()};
}

// The setters copy the text; they only take it as a non-const pointer.
LPOLESTR as_ole_text(std::wstring_view literal) noexcept {
  return const_cast<LPOLESTR>(literal.data());
}

}  // namespace

HRESULT report(Status status) noexcept {
  if (status.ok()) {
    SetErrorInfo(0, nullptr);
    return S_OK;
  }
  ICreateErrorInfo* creator = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&creator))) {
    creator->SetGUID(GUID_NULL);
    creator->SetSource(as_ole_text(kErrorSource));
    creator->SetDescription(as_ole_text(description_of(status.error_number())));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      SetErrorInfo(0, info);
      info->Release();
    }
    creator->Release();
  }
  return static_cast<HRESULT>(status.code);
}

void fill_exception(EXCEPINFO* info, HRESULT status) noexcept {
  if (info == nullptr) return;
  *info = EXCEPINFO{};
  info->scode = status;
  IErrorInfo* error = nullptr;
  if (GetErrorInfo(0, &error) == S_OK && error != nullptr) {
    error->GetDescription(&info->bstrDescription);
    error->GetHelpFile(&info->bstrHelpFile);
    error->GetSource(&info->bstrSource);
    error->GetHelpContext(&info->dwHelpContext);
    error->Release();
    return;
  }
  std::wstring_view description =
      description_of(Status{static_cast<std::uint32_t>(status)}.error_number());
  info->bstrSource = SysAllocStringLen(kErrorSource.data(), static_cast<UINT>(kErrorSource.size()));
  info->bstrDescription =
      SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
}

}  // namespace tavrosk::com
