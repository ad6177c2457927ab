#include "com/reference_dispatch.h"

#include <oleauto.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <memory_resource>
#include <optional>
#include <vector>

#include "base/run_time_error.h"
#include "com/com_values.h"
#include "com/direct_invoke.h"
#include "com/error_info.h"
#include "com/parameter_types.h"

namespace tavrosk::com {
namespace {

constexpr VARTYPE kTextArray = VT_ARRAY | VT_BSTR;

bool is_missing(const VARIANT& argument) {
  return V_VT(&argument) == VT_ERROR && V_ERROR(&argument) == DISP_E_PARAMNOTFOUND;
}

// A temporary array that can be replaced exactly when the caller's can.
void mirror_replaceability(SAFEARRAY* stand_in, const SAFEARRAY* original) {
  if (original == nullptr) return;
  if ((original->fFeatures & FADF_FIXEDSIZE) != 0) stand_in->fFeatures |= FADF_FIXEDSIZE;
  if (original->cLocks != 0) SafeArrayLock(stand_in);
}

void destroy_text_array(SAFEARRAY* array) {
  if (array == nullptr) return;
  while (array->cLocks != 0) SafeArrayUnlock(array);
  array->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
  SafeArrayDestroy(array);
}

// An empty variant or a one-dimensional array, of VARIANT or of BSTR, as a SAFEARRAY(BSTR).
HRESULT to_text_array(const VARIANT& source, SAFEARRAY** converted) {
  *converted = nullptr;
  if (V_VT(&source) == VT_EMPTY) return S_OK;
  VARTYPE element_type = V_VT(&source) & static_cast<VARTYPE>(~(VT_ARRAY | VT_BYREF));
  if ((V_VT(&source) & VT_ARRAY) == 0 || (element_type != VT_VARIANT && element_type != VT_BSTR)) {
    return DISP_E_TYPEMISMATCH;
  }
  SAFEARRAY* array = V_ISBYREF(&source) ? *V_ARRAYREF(&source) : V_ARRAY(&source);
  if (array == nullptr) return S_OK;
  if (SafeArrayGetDim(array) != 1) return DISP_E_TYPEMISMATCH;
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  SAFEARRAYBOUND bounds{static_cast<ULONG>(upper - lower + 1), lower};
  SAFEARRAY* texts = SafeArrayCreate(VT_BSTR, 1, &bounds);
  if (texts == nullptr) return E_OUTOFMEMORY;
  for (LONG index = lower; index <= upper; ++index) {
    VARIANT element;
    VariantInit(&element);
    HRESULT hr = S_OK;
    if (element_type == VT_VARIANT) {
      VARIANT original;
      VariantInit(&original);
      hr = SafeArrayGetElement(array, &index, &original);
      if (SUCCEEDED(hr)) hr = VariantChangeType(&element, &original, 0, VT_BSTR);
      VariantClear(&original);
    } else {
      V_VT(&element) = VT_BSTR;
      hr = SafeArrayGetElement(array, &index, &V_BSTR(&element));
    }
    if (SUCCEEDED(hr)) hr = SafeArrayPutElement(texts, &index, V_BSTR(&element));
    VariantClear(&element);
    if (FAILED(hr)) {
      SafeArrayDestroy(texts);
      return hr;
    }
  }
  mirror_replaceability(texts, array);
  *converted = texts;
  return S_OK;
}

// The lines of a SAFEARRAY(BSTR) as a script's array: VARIANTs holding BSTR, lower bound 0.
// E_OUTOFMEMORY when memory runs out: the member has run, its other results still go back.
HRESULT to_script_array(SAFEARRAY* texts, VARIANT* destination) noexcept {
  try {
    std::vector<Text> elements;
    if (texts != nullptr) {
      LONG lower = 0;
      LONG upper = -1;
      SafeArrayGetLBound(texts, 1, &lower);
      SafeArrayGetUBound(texts, 1, &upper);
      for (LONG index = lower; index <= upper; ++index) {
        BSTR element = nullptr;
        if (FAILED(SafeArrayGetElement(texts, &index, &element))) return E_OUTOFMEMORY;
        std::unique_ptr<OLECHAR, decltype(&SysFreeString)> held(element, &SysFreeString);
        elements.push_back(text_of(element));
      }
    }
    SAFEARRAY* lines = new_text_array(elements, VT_VARIANT);
    V_VT(destination) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(destination) = lines;
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// The value of `source` in the parameter's type `type`, into `value` (empty before).
HRESULT convert(const VARIANT& source, VARTYPE type, VARIANT* value) {
  if (type == VT_VARIANT) return VariantCopyInd(value, const_cast<VARIANT*>(&source));
  if (type == kTextArray) {
    SAFEARRAY* texts = nullptr;
    HRESULT hr = to_text_array(source, &texts);
    if (SUCCEEDED(hr)) {
      V_VT(value) = kTextArray;
      V_ARRAY(value) = texts;
    }
    return hr;
  }
  return VariantChangeType(value, const_cast<VARIANT*>(&source), 0, type);
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
    HRESULT hr = convert(source, type, &value_);
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

// The parameter that rgvarg[position] is for, or -1.
int parameter_of(const DISPPARAMS& params, UINT position) {
  if (position < params.cNamedArgs) return static_cast<int>(params.rgdispidNamedArgs[position]);
  return static_cast<int>(params.cArgs - 1 - position);
}

HRESULT map_write_back_failure(HRESULT hr, EXCEPINFO* exception) {
  int number = hr == DISP_E_ARRAYISLOCKED ? error::kArrayFixedOrLocked : error::kOutOfMemory;
  fill_exception_for_error(exception, number);
  return DISP_E_EXCEPTION;
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

HRESULT invoke_with_coercion(ITypeInfo* vtable_info, const FUNCDESC* function, void* instance,
                             DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argument_error) {
  // The arrays that the counts promise must be there (the named ones among the given).
  if (params != nullptr &&
      ((params->cArgs != 0 && params->rgvarg == nullptr) || params->cNamedArgs > params->cArgs ||
       (params->cNamedArgs != 0 && params->rgdispidNamedArgs == nullptr))) {
    return E_INVALIDARG;
  }
  if (function == nullptr || params == nullptr) {
    return vtable_info->Invoke(instance, member, flags, params, result, exception, argument_error);
  }
  // More arguments than the method has parameters: the type library's failure, given here
  // without copying the arguments (a count of billions cannot be) or its walk over each of them.
  if (params->cArgs > static_cast<UINT>(function->cParams)) {
    if ((flags & DISPATCH_METHOD) != 0) return DISP_E_BADPARAMCOUNT;
    return vtable_info->Invoke(instance, member, flags, params, result, exception, argument_error);
  }
  const FUNCDESC& description = *function;

  // A call has a handful of arguments: they and their stand-ins live on the stack.
  std::array<std::byte, 2048> storage;
  std::pmr::monotonic_buffer_resource memory(storage.data(), storage.size());
  std::pmr::vector<VARIANT> arguments(params->rgvarg, params->rgvarg + params->cArgs, &memory);
  std::pmr::deque<StandIn> stand_ins(&memory);  // a deque never moves its elements
  for (UINT position = 0; position < params->cArgs; ++position) {
    int parameter = parameter_of(*params, position);
    if (parameter < 0 || parameter >= description.cParams) continue;
    const ELEMDESC& element = description.lprgelemdescParam[parameter];
    if ((element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0) continue;
    VARIANT& argument = arguments[position];
    VARTYPE wanted = variant_type_of(element.tdesc);
    if (V_VT(&argument) == wanted || is_missing(argument)) continue;

    // Where the value comes from, and the caller's variable that receives what is written.
    const VARIANT* source = &argument;
    VARIANT* caller = nullptr;
    if (V_VT(&argument) == (VT_BYREF | VT_VARIANT)) {
      caller = V_VARIANTREF(&argument);
      if (caller == nullptr) continue;
      source = caller;
    } else if (V_ISBYREF(&argument)) {
      continue;  // a typed reference of another type: the type-library dispatch decides
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

  DISPPARAMS coerced = *params;
  coerced.rgvarg = arguments.data();
  std::optional<HRESULT> direct =
      invoke_directly(description, instance, flags, coerced, result, exception);
  HRESULT hr = direct ? *direct
                      : vtable_info->Invoke(instance, member, flags, &coerced, result, exception,
                                            argument_error);
  // Out-values written before a failure stay written: copy them back in either case.
  for (StandIn& stand_in : stand_ins) {
    HRESULT written = stand_in.write_back();
    if (FAILED(written) && SUCCEEDED(hr)) hr = map_write_back_failure(written, exception);
  }
  return hr;
}

}  // namespace tavrosk::com
