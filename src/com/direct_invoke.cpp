#include "com/direct_invoke.h"

#include <oleauto.h>

#include <array>

#include "com/parameter_types.h"

namespace tavrosk::com {
namespace {

// More parameters than any member has; a longer member goes through the type library.
constexpr SHORT kMostParameters = 8;

// The argument types that go straight through: the plain values by reference (the
// interfaces' in-out parameters and results), a Text or a Boolean by value.
bool goes_straight(VARTYPE type) {
  switch (type) {
    case VT_BYREF | VT_I4:
    case VT_BYREF | VT_BSTR:
    case VT_BYREF | VT_BOOL:
    case VT_BYREF | VT_UI1:
    case VT_BSTR:
    case VT_BOOL:
      return true;
    default:
      return false;
  }
}

// The value type of a trailing [out, retval] parameter; VT_EMPTY when there is none.
std::optional<VARTYPE> return_type_of(const FUNCDESC& description) {
  if (description.cParams == 0) return VT_EMPTY;
  const ELEMDESC& last = description.lprgelemdescParam[description.cParams - 1];
  if ((last.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) == 0) return VT_EMPTY;
  VARTYPE type = variant_type_of(last.tdesc);
  if ((type & VT_BYREF) == 0 || !goes_straight(type)) return std::nullopt;
  return static_cast<VARTYPE>(type & ~VT_BYREF);
}

bool is_method_call(WORD flags) {
  return (flags & DISPATCH_METHOD) != 0 &&
         (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0;
}

// What the type library's Invoke hands a client for a member that failed.
void fill_exception_from_error_info(EXCEPINFO* exception, HRESULT status) {
  if (exception == nullptr) return;
  exception->scode = status;
  IErrorInfo* error = nullptr;
  if (GetErrorInfo(0, &error) != S_OK || error == nullptr) return;
  error->GetDescription(&exception->bstrDescription);
  error->GetHelpFile(&exception->bstrHelpFile);
  error->GetSource(&exception->bstrSource);
  error->GetHelpContext(&exception->dwHelpContext);
  error->Release();
}

}  // namespace

std::optional<HRESULT> invoke_directly(const FUNCDESC& description, void* instance, WORD flags,
                                       const DISPPARAMS& params, VARIANT* result,
                                       EXCEPINFO* exception) {
  if (description.funckind != FUNC_PUREVIRTUAL || description.invkind != INVOKE_FUNC ||
      description.callconv != CC_STDCALL || description.elemdescFunc.tdesc.vt != VT_HRESULT ||
      description.cParams > kMostParameters || !is_method_call(flags) || params.cNamedArgs != 0) {
    return std::nullopt;
  }
  std::optional<VARTYPE> return_type = return_type_of(description);
  if (!return_type) return std::nullopt;
  UINT given = static_cast<UINT>(description.cParams) - (*return_type == VT_EMPTY ? 0 : 1);
  if (params.cArgs != given) return std::nullopt;

  std::array<VARIANTARG, kMostParameters> arguments;
  std::array<VARIANTARG*, kMostParameters> argument_pointers;
  std::array<VARTYPE, kMostParameters> argument_types;
  for (UINT i = 0; i < given; ++i) {
    const ELEMDESC& parameter = description.lprgelemdescParam[i];
    if ((parameter.paramdesc.wParamFlags & (PARAMFLAG_FLCID | PARAMFLAG_FRETVAL)) != 0) {
      return std::nullopt;
    }
    const VARIANTARG& argument = params.rgvarg[params.cArgs - 1 - i];  // given last to first
    VARTYPE wanted = variant_type_of(parameter.tdesc);
    if (!goes_straight(wanted) || V_VT(&argument) != wanted) return std::nullopt;
    if ((wanted & VT_BYREF) != 0 && V_BYREF(&argument) == nullptr) return std::nullopt;
    arguments[i] = argument;  // the member reads and writes through the caller's references
    argument_pointers[i] = &arguments[i];
    argument_types[i] = wanted;
  }

  // The return value, zero until the member writes it, is received in place.
  VARIANT returned;
  VariantInit(&returned);
  UINT count = given;
  if (*return_type != VT_EMPTY) {
    V_VT(&returned) = *return_type;
    V_I4(&returned) = 0;
    V_VT(&arguments[count]) = static_cast<VARTYPE>(VT_BYREF | *return_type);
    V_BYREF(&arguments[count]) = &V_UI1(&returned);  // every value starts at the union's address
    argument_pointers[count] = &arguments[count];
    argument_types[count] = V_VT(&arguments[count]);
    ++count;
  }

  VARIANT status;
  VariantInit(&status);
  HRESULT called = DispCallFunc(instance, description.oVft, CC_STDCALL, VT_ERROR, count,
                                argument_types.data(), argument_pointers.data(), &status);
  if (FAILED(called)) {
    VariantClear(&returned);
    return called;
  }
  // The result receives a copy of the return value, as the type library hands it on (a null
  // text comes back as whatever the platform's copy makes of it).
  HRESULT copied = S_OK;
  if (*return_type != VT_EMPTY) {
    if (result != nullptr) {
      VariantInit(result);
      copied = VariantCopyInd(result, &arguments[given]);
    }
    VariantClear(&returned);
  }
  if (FAILED(V_ERROR(&status))) {
    fill_exception_from_error_info(exception, V_ERROR(&status));
    return DISP_E_EXCEPTION;
  }
  if (FAILED(copied)) return copied;
  return S_OK;
}

}  // namespace tavrosk::com
