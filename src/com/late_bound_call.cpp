#include "com/late_bound_call.h"

#include <oleauto.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory_resource>
#include <optional>
#include <vector>

#include "base/run_time_error.h"
#include "com/com_values.h"
#include "com/error_info.h"
#include "com/parameter_types.h"

namespace tavrosk::com {
namespace {

// More parameters than any member has; a longer member goes through the type library.
constexpr SHORT kMostParameters = 8;

bool is_missing(const VARIANT& argument) {
  return V_VT(&argument) == VT_ERROR && V_ERROR(&argument) == DISP_E_PARAMNOTFOUND;
}

bool same_value(const VARIANT& before, const VARIANT& after) {
  if (V_VT(&before) != V_VT(&after)) return false;
  switch (V_VT(&after)) {
    case VT_BSTR:
      return SysStringByteLen(V_BSTR(&before)) == SysStringByteLen(V_BSTR(&after)) &&
             std::memcmp(V_BSTR(&before) ? V_BSTR(&before) : L"",
                         V_BSTR(&after) ? V_BSTR(&after) : L"",
                         SysStringByteLen(V_BSTR(&after))) == 0;
    case VT_I4:
      return V_I4(&before) == V_I4(&after);
    case VT_BOOL:
      return V_BOOL(&before) == V_BOOL(&after);
    case VT_UI1:
      return V_UI1(&before) == V_UI1(&after);
    case kTextArray:
      return V_ARRAY(&before) == V_ARRAY(&after);
    default:
      return false;
  }
}

// A temporary of the parameter's type standing in for one argument during the call.
class StandIn {
 public:
  StandIn(VARIANT* caller, bool by_reference) : caller_(caller), by_reference_(by_reference) {
    VariantInit(&value_);
    VariantInit(&before_);
  }
  ~StandIn() {
    if (V_VT(&value_) == kTextArray) {
      destroy_text_array(V_ARRAY(&value_));
    } else {
      VariantClear(&value_);
    }
    // A text array is remembered by its pointer only; the member may have destroyed it.
    if (V_VT(&before_) != kTextArray) VariantClear(&before_);
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  HRESULT fill(const VARIANT& source, VARTYPE type) {
    type_ = type;
    HRESULT hr = to_parameter_type(source, type, &value_);
    if (FAILED(hr)) return hr;
    if (type == kTextArray) {
      V_VT(&before_) = kTextArray;  // only the pointer, to see whether the member replaced it
      V_ARRAY(&before_) = V_ARRAY(&value_);
      return S_OK;
    }
    return VariantCopy(&before_, &value_);
  }

  // The argument that the member receives.
  VARIANT argument() {
    if (!by_reference_) return value_;
    VARIANT reference;
    if (type_ == VT_VARIANT) {
      V_VT(&reference) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&reference) = &value_;
      return reference;
    }
    V_VT(&reference) = static_cast<VARTYPE>(VT_BYREF | V_VT(&value_));
    // Every member of the value union starts at the union's address.
    V_BYREF(&reference) = &V_UI1(&value_);
    return reference;
  }

  // Copies what the member wrote into the caller's variable; S_OK when there is nothing to do.
  HRESULT write_back() {
    if (caller_ == nullptr || !by_reference_ || same_value(before_, value_)) return S_OK;
    VARIANT written;
    VariantInit(&written);
    HRESULT hr = V_VT(&value_) == kTextArray ? to_script_array(V_ARRAY(&value_), &written)
                                             : VariantCopy(&written, &value_);
    if (SUCCEEDED(hr)) hr = VariantClear(caller_);
    if (FAILED(hr)) {
      VariantClear(&written);
      return hr;
    }
    *caller_ = written;
    return S_OK;
  }

 private:
  VARIANT* caller_;
  bool by_reference_;
  VARTYPE type_ = VT_EMPTY;
  VARIANT value_;
  VARIANT before_;
};

// A reference to nothing, also one behind a variable's reference: no client passes one, and
// nothing may read through it.
bool refers_to_nothing(const VARIANT& argument) {
  if (!V_ISBYREF(&argument)) return false;
  if (V_BYREF(&argument) == nullptr) return true;
  if (V_VT(&argument) != (VT_BYREF | VT_VARIANT)) return false;
  const VARIANT& variable = *V_VARIANTREF(&argument);
  return V_ISBYREF(&variable) && V_BYREF(&variable) == nullptr;
}

// Whether the named argument at `position` names a parameter of the member that no other
// argument fills (the positional ones fill the first parameters) and that is not its result.
bool names_free_parameter(const FUNCDESC& description, const DISPPARAMS& params, UINT position) {
  DISPID parameter = params.rgdispidNamedArgs[position];
  if (parameter < static_cast<DISPID>(params.cArgs - params.cNamedArgs) ||
      parameter >= description.cParams ||
      (description.lprgelemdescParam[parameter].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0) {
    return false;
  }
  return std::find(params.rgdispidNamedArgs, params.rgdispidNamedArgs + position, parameter) ==
         params.rgdispidNamedArgs + position;
}

// The parameter that rgvarg[position] is for, or -1.
int parameter_of(const DISPPARAMS& params, UINT position) {
  if (position < params.cNamedArgs) return static_cast<int>(params.rgdispidNamedArgs[position]);
  return static_cast<int>(params.cArgs - 1 - position);
}

HRESULT write_back_failure(HRESULT hr, EXCEPINFO* exception) {
  int number = hr == DISP_E_ARRAYISLOCKED ? error::kArrayFixedOrLocked : error::kOutOfMemory;
  fill_exception(exception, static_cast<HRESULT>(Status::of_error(number).code));
  return DISP_E_EXCEPTION;
}

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

}  // namespace

MemberDescriptions::~MemberDescriptions() {
  if (info_ == nullptr) return;
  for (auto& [member, description] : found_) {
    if (description != nullptr) info_->ReleaseFuncDesc(description);
  }
  info_->Release();
}

const FUNCDESC* MemberDescriptions::find(ITypeInfo* info, DISPID member) {
  if (info_ == nullptr) {
    info_ = info;
    info_->AddRef();
  } else if (info != info_) {
    return nullptr;  // one interface per object
  }
  // The entry first: when it cannot be made, no description is left unreleased.
  auto [known, inserted] = found_.emplace(member, nullptr);
  if (!inserted) return known->second;
  ITypeInfo2* info2 = nullptr;
  if (SUCCEEDED(info->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&info2)))) {
    UINT index = 0;
    if (SUCCEEDED(info2->GetFuncIndexOfMemId(member, INVOKE_FUNC, &index))) {
      info->GetFuncDesc(index, &known->second);
    }
    info2->Release();
  }
  return known->second;
}

HRESULT invoke_late_bound(ITypeInfo* vtable_info, const FUNCDESC* description, void* instance,
                          DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* exception, UINT* argument_error) {
  // The arrays that the counts promise must be there (the named ones among the given).
  if (params != nullptr &&
      ((params->cArgs != 0 && params->rgvarg == nullptr) || params->cNamedArgs > params->cArgs ||
       (params->cNamedArgs != 0 && params->rgdispidNamedArgs == nullptr))) {
    return E_INVALIDARG;
  }
  // The interface's own members only: the type library would also reach those of IUnknown and
  // IDispatch, and a late-bound Release would end the object under its caller.
  if (description == nullptr) return DISP_E_MEMBERNOTFOUND;
  // More arguments than the method has parameters: the type library's failure, given here
  // without copying the arguments (a count of billions cannot be) or its walk over each of them.
  bool too_many = params != nullptr && params->cArgs > static_cast<UINT>(description->cParams);
  if (too_many && (flags & DISPATCH_METHOD) != 0) return DISP_E_BADPARAMCOUNT;
  for (UINT position = 0; params != nullptr && !too_many && position < params->cNamedArgs;
       ++position) {
    if (!names_free_parameter(*description, *params, position)) {
      if (argument_error != nullptr) *argument_error = position;
      return DISP_E_PARAMNOTFOUND;
    }
  }

  // A call has a handful of arguments: they and their stand-ins live on the stack.
  std::array<std::byte, 2048> storage;
  std::pmr::monotonic_buffer_resource memory(storage.data(), storage.size());
  std::pmr::vector<VARIANT> arguments(&memory);
  std::pmr::deque<StandIn> stand_ins(&memory);  // a deque never moves its elements
  DISPPARAMS coerced{};
  DISPPARAMS* given = params;
  // The arguments are matched to the member's parameters' types; a member given too many
  // arguments is the type library's to refuse.
  if (params != nullptr && !too_many) {
    arguments.assign(params->rgvarg, params->rgvarg + params->cArgs);
    for (UINT position = 0; position < params->cArgs; ++position) {
      int parameter = parameter_of(*params, position);
      if (parameter < 0 || parameter >= description->cParams) continue;
      const ELEMDESC& element = description->lprgelemdescParam[parameter];
      if ((element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0) continue;
      VARIANT& argument = arguments[position];
      VARTYPE wanted = variant_type_of(element.tdesc);
      if (is_missing(argument) && (element.paramdesc.wParamFlags & PARAMFLAG_FOPT) == 0) {
        return DISP_E_PARAMNOTOPTIONAL;
      }
      if (V_VT(&argument) == wanted || is_missing(argument)) continue;
      // A reference to nothing reaches the member only as the parameter's own type (which
      // fails with 5); any other would be read here, or by the type library, to convert it.
      if (refers_to_nothing(argument)) {
        if (argument_error != nullptr) *argument_error = position;
        return DISP_E_TYPEMISMATCH;
      }

      // Where the value comes from, and the caller's variable that receives what is written.
      const VARIANT* source = &argument;
      VARIANT* caller = nullptr;
      if (V_VT(&argument) == (VT_BYREF | VT_VARIANT)) {
        caller = V_VARIANTREF(&argument);
        source = caller;
      } else if (V_ISBYREF(&argument) && wanted == (VT_BYREF | VT_VARIANT)) {
        continue;  // a typed variable for a Variant's reference: the member receives it as such
      } else if (V_ISBYREF(&argument) && (wanted & VT_BYREF) != 0) {
        // A typed variable of another type cannot stand for a typed reference.
        if (argument_error != nullptr) *argument_error = position;
        return DISP_E_TYPEMISMATCH;
      }
      bool by_reference = (wanted & VT_BYREF) != 0;
      StandIn& stand_in = stand_ins.emplace_back(caller, by_reference);
      HRESULT hr = stand_in.fill(*source, static_cast<VARTYPE>(wanted & ~VT_BYREF));
      if (FAILED(hr)) {
        if (argument_error != nullptr) *argument_error = position;
        return hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
      }
      argument = stand_in.argument();
    }
    coerced = *params;
    coerced.rgvarg = arguments.data();
    given = &coerced;
  }

  HRESULT hr =
      fits_vtable_call(description, flags, given)
          ? call_through_vtable(*description, instance, *given, result, exception)
          : vtable_info->Invoke(instance, member, flags, given, result, exception, argument_error);
  // Out-values written before a failure stay written: copy them back in either case.
  for (StandIn& stand_in : stand_ins) {
    HRESULT written = stand_in.write_back();
    if (FAILED(written) && SUCCEEDED(hr)) hr = write_back_failure(written, exception);
  }
  return hr;
}

bool fits_vtable_call(const FUNCDESC* description, WORD flags, const DISPPARAMS* params) {
  if (description == nullptr || params == nullptr) return false;
  if (description->funckind != FUNC_PUREVIRTUAL || description->invkind != INVOKE_FUNC ||
      description->callconv != CC_STDCALL || description->elemdescFunc.tdesc.vt != VT_HRESULT ||
      description->cParams > kMostParameters || !is_method_call(flags) || params->cNamedArgs != 0) {
    return false;
  }
  std::optional<VARTYPE> return_type = return_type_of(*description);
  if (!return_type) return false;
  UINT given = static_cast<UINT>(description->cParams) - (*return_type == VT_EMPTY ? 0 : 1);
  if (params->cArgs != given) return false;
  for (UINT i = 0; i < given; ++i) {
    const ELEMDESC& parameter = description->lprgelemdescParam[i];
    if ((parameter.paramdesc.wParamFlags & (PARAMFLAG_FLCID | PARAMFLAG_FRETVAL)) != 0) {
      return false;
    }
    const VARIANTARG& argument = params->rgvarg[params->cArgs - 1 - i];  // given last to first
    VARTYPE wanted = variant_type_of(parameter.tdesc);
    if (!goes_straight(wanted) || V_VT(&argument) != wanted) return false;
    if ((wanted & VT_BYREF) != 0 && V_BYREF(&argument) == nullptr) return false;
  }
  return true;
}

HRESULT call_through_vtable(const FUNCDESC& description, void* instance, const DISPPARAMS& params,
                            VARIANT* result, EXCEPINFO* exception) {
  VARTYPE return_type = *return_type_of(description);
  UINT given = params.cArgs;
  std::array<VARIANTARG, kMostParameters> arguments;
  std::array<VARIANTARG*, kMostParameters> argument_pointers;
  std::array<VARTYPE, kMostParameters> argument_types;
  for (UINT i = 0; i < given; ++i) {
    // The member reads and writes through the caller's references; given last to first.
    arguments[i] = params.rgvarg[given - 1 - i];
    argument_pointers[i] = &arguments[i];
    argument_types[i] = V_VT(&arguments[i]);
  }

  // The return value, zero until the member writes it, is received in place.
  VARIANT returned;
  VariantInit(&returned);
  UINT count = given;
  if (return_type != VT_EMPTY) {
    V_VT(&returned) = return_type;
    V_I4(&returned) = 0;
    V_VT(&arguments[count]) = static_cast<VARTYPE>(VT_BYREF | return_type);
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
  if (return_type != VT_EMPTY) {
    if (result != nullptr) {
      VariantInit(result);
      copied = VariantCopyInd(result, &arguments[given]);
    }
    VariantClear(&returned);
  }
  if (FAILED(V_ERROR(&status))) {
    fill_exception(exception, V_ERROR(&status));
    return DISP_E_EXCEPTION;
  }
  if (FAILED(copied)) return copied;
  return S_OK;
}

}  // namespace tavrosk::com
