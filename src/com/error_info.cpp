#include "com/error_info.h"

#include <oleauto.h>

#include <string>

namespace tavrosk::com {

std::wstring_view error_description(int number) {
  switch (number) {
    case 5:
      return L"Invalid procedure call or argument";
    case 6:
      return L"Overflow";
    case 7:
      return L"Out of memory";
    case 9:
      return L"Subscript out of range";
    case 10:
      return L"This array is fixed or temporarily locked";
    case 13:
      return L"Type mismatch";
    case 48:
      return L"Error in loading DLL";
    case 51:
      return L"Internal error";
    case 53:
      return L"File not found";
    case 58:
      return L"File already exists";
    case 75:
      return L"Path/File access error";
    case 76:
      return L"Path not found";
    case 424:
      return L"Object required";
    case 438:
      return L"Object doesn't support this property or method";
    case 453:
      return L"Can't find DLL entry point";
    default:
      return L"Application-defined or object-defined error";
  }
}

HRESULT report(Status status) {
  if (status.ok()) {
    SetErrorInfo(0, nullptr);
    return S_OK;
  }
  ICreateErrorInfo* creator = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&creator))) {
    std::wstring source(kErrorSource);
    std::wstring description(error_description(status.error_number()));
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

void fill_exception(EXCEPINFO* info, int number) {
  if (info == nullptr) return;
  *info = EXCEPINFO{};
  std::wstring_view description = error_description(number);
  info->bstrSource = SysAllocStringLen(kErrorSource.data(), static_cast<UINT>(kErrorSource.size()));
  info->bstrDescription =
      SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
  info->scode = static_cast<SCODE>(Status::of_error(number).code);
}

}  // namespace tavrosk::com
