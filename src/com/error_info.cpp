#include "com/error_info.h"

#include <oleauto.h>

#include <string>

namespace tavrosk::com {

namespace {

// The table's description as the Automation strings take it (both are UTF-16 code units).
std::wstring_view description_of(int number) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  std::u16string_view description = error_description(number);
  return {reinterpret_cast<const wchar_t*>(description.data()), description.size()};
}

}  // namespace

HRESULT report(Status status) {
  if (status.ok()) {
    SetErrorInfo(0, nullptr);
    return S_OK;
  }
  ICreateErrorInfo* creator = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&creator))) {
    std::wstring source(kErrorSource);
    std::wstring description(description_of(status.error_number()));
    creator->SetGUID(GUID_NULL);
    creator->SetSource(source.data());
    creator->SetDescription(description.data());
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      SetErrorInfo(0, info);
      info->Release();
    }
    creator->Release();
  }
  return static_cast<HRESULT>(status.code);
}

void fill_exception_for_error(EXCEPINFO* info, int number) {
  if (info == nullptr) return;
  *info = EXCEPINFO{};
  std::wstring_view description = description_of(number);
  info->bstrSource = SysAllocStringLen(kErrorSource.data(), static_cast<UINT>(kErrorSource.size()));
  info->bstrDescription =
      SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
  info->scode = static_cast<SCODE>(Status::of_error(number).code);
}

}  // namespace tavrosk::com
