#include "com/com_values.h"

#include <dispex.h>

#include <cstdint>
#include <memory>
#include <new>

#include "base/run_time_error.h"

namespace tavrosk::com {
namespace {

// wchar_t and char16_t are both UTF-16 code units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

template <class T>
const T& deref(const T* value) {
  if (value == nullptr) raise(error::kInvalidCall);
  return *value;
}

// A status outside the control facility is raised as the number that adds up to it, so that
// the member's status is that status itself.
[[noreturn]] void raise_status(HRESULT status) {
  raise(static_cast<int>(static_cast<std::uint32_t>(status) - Status::kControlFacility));
}

// The run-time error that a failed member read stands for, as a late-bound client reports it;
// a status that stands for none is passed on as it is.
[[noreturn]] void raise_failed_read(HRESULT status) {
  if (HRESULT_FACILITY(status) == FACILITY_CONTROL) raise(HRESULT_CODE(status));
  struct Meaning {
    HRESULT status;
    int number;
  };
  static constexpr Meaning kMeanings[] = {
      {DISP_E_TYPEMISMATCH, error::kTypeMismatch},
      {DISP_E_PARAMNOTOPTIONAL, error::kArgumentNotOptional},
      {DISP_E_OVERFLOW, error::kOverflow},
      {DISP_E_BADINDEX, error::kSubscriptOutOfRange},
      {DISP_E_ARRAYISLOCKED, error::kArrayFixedOrLocked},
      {DISP_E_MEMBERNOTFOUND, error::kObjectDoesNotSupport},
      {DISP_E_UNKNOWNNAME, error::kObjectDoesNotSupport},
      {E_OUTOFMEMORY, error::kOutOfMemory},
      {E_INVALIDARG, error::kInvalidCall},
  };
  for (const Meaning& meaning : kMeanings) {
    if (meaning.status == status) raise(meaning.number);
  }
  raise_status(status);
}

// The error of a read that failed with DISP_E_EXCEPTION: the exception's number (wCode) or
// status, after the object has filled it in where it defers that.
[[noreturn]] void raise_exception_of(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  if (exception.wCode != 0) raise(exception.wCode);
  raise_failed_read(exception.scode != 0 ? exception.scode : E_FAIL);
}

// One read of the member `id` with `flags`: its status, the exception's error raised.
HRESULT read_member(IDispatch* object, DISPID id, WORD flags, VARIANT* value) {
  DISPPARAMS no_arguments{nullptr, nullptr, 0, 0};
  EXCEPINFO exception{};
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &no_arguments, value,
                              &exception, nullptr);
  struct Freed {
    EXCEPINFO& exception;
    ~Freed() {
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
    }
  } freed{exception};
  if (hr == DISP_E_EXCEPTION) raise_exception_of(exception);
  return hr;
}

// The id of the member hwnd, looked up as a script engine looks up a member: through
// IDispatchEx where the object has it (a VBScript class object under Wine answers only there),
// else through IDispatch.
HRESULT id_of_hwnd(IDispatch* object, DISPID* id) {
  wchar_t name[] = L"hwnd";
  IDispatchEx* script_object = nullptr;
  if (SUCCEEDED(object->QueryInterface(__uuidof(IDispatchEx),
                                       reinterpret_cast<void**>(&script_object))) &&
      script_object != nullptr) {
    BSTR text = SysAllocString(name);
    HRESULT hr = text == nullptr ? E_OUTOFMEMORY
                                 : script_object->GetDispID(text, fdexNameCaseInsensitive, id);
    SysFreeString(text);
    script_object->Release();
    return hr;
  }
  LPOLESTR names[] = {name};
  return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
}

// Reads an object's hwnd property by name and converts it to a Long; a 64-bit client's
// LongPtr by the handle's own rule (window_argument.h).
Long read_hwnd(IDispatch* object) {
  DISPID id = DISPID_UNKNOWN;
  HRESULT found = id_of_hwnd(object, &id);
  if (FAILED(found)) raise_failed_read(found);
  VARIANT value;
  VariantInit(&value);
  // As a late-bound client reads a member: a method without arguments serves as a property.
  // A script object's property that holds no function refuses that read as a call (Wine's
  // script engines), where the plain property read answers; an exception that the member
  // raised is its answer.
  HRESULT hr = read_member(object, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &value);
  if (FAILED(hr)) {
    VariantClear(&value);
    HRESULT plain = read_member(object, id, DISPATCH_PROPERTYGET, &value);
    if (SUCCEEDED(plain) || plain != DISP_E_MEMBERNOTFOUND) hr = plain;
  }
  if (FAILED(hr)) {
    VariantClear(&value);
    raise_failed_read(hr);
  }
  if (V_VT(&value) == VT_I8) return window_handle_of_wide(V_I8(&value));
  HRESULT converted = VariantChangeType(&value, &value, 0, VT_I4);
  Long handle = V_I4(&value);
  VariantClear(&value);
  if (converted == DISP_E_OVERFLOW) raise(error::kOverflow);
  if (FAILED(converted)) raise(error::kTypeMismatch);
  return handle;
}

// The hwnd of an object reference as a member read sees it: Nothing fails with 91, an object
// is read through its IDispatch, and one without IDispatch has no members to read (438).
Long read_hwnd_of(IUnknown* object) {
  if (object == nullptr) raise(error::kObjectVariableNotSet);
  IDispatch* dispatch = nullptr;
  if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
      dispatch == nullptr) {
    raise(error::kObjectDoesNotSupport);
  }
  struct Released {
    IDispatch* object;
    ~Released() { object->Release(); }
  } held{dispatch};
  return read_hwnd(dispatch);
}

WindowArgument object_argument(IUnknown* object) {
  return WindowArgument::object([object] { return read_hwnd_of(object); });
}

// A temporary array that can be replaced exactly when the caller's can.
void mirror_replaceability(SAFEARRAY* stand_in, const SAFEARRAY* original) {
  if (original == nullptr) return;
  if ((original->fFeatures & FADF_FIXEDSIZE) != 0) stand_in->fFeatures |= FADF_FIXEDSIZE;
  if (original->cLocks != 0) SafeArrayLock(stand_in);
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

}  // namespace

Text text_of(BSTR value) {
  if (value == nullptr) return Text();
  return Text(reinterpret_cast<const char16_t*>(value), SysStringLen(value));
}

BSTR new_bstr(const Text& text) {
  BSTR value = SysAllocStringLen(reinterpret_cast<const wchar_t*>(text.data()),
                                 static_cast<UINT>(text.size()));
  if (value == nullptr) raise(error::kOutOfMemory);
  return value;
}

Long long_in(const long* value) {
  return static_cast<Long>(deref(value));
}
const VARIANT& variant_in(const VARIANT* value) {
  return deref(value);
}
Long optional_long_in(const long* value, Long fallback) {
  return value == nullptr ? fallback : static_cast<Long>(*value);
}
Byte byte_in(const unsigned char* value) {
  return deref(value);
}
VbBool bool_in(const VARIANT_BOOL* value) {
  return vb_bool_of(deref(value));
}
Text text_in(const BSTR* value) {
  return text_of(deref(value));
}

TextRef::TextRef(BSTR* target) : target_(target), original_(text_in(target)), text_(original_) {}

TextRef::~TextRef() {
  if (text_ == original_) return;
  // The caller's variable keeps its old value only when no memory is left for the new one.
  BSTR replaced = SysAllocStringLen(reinterpret_cast<const wchar_t*>(text_.data()),
                                    static_cast<UINT>(text_.size()));
  if (replaced == nullptr) return;
  SysFreeString(*target_);
  *target_ = replaced;
}

LongRef::LongRef(long* target) : target_(target) {
  if (target == nullptr) raise(error::kInvalidCall);
}

WindowArgument window_argument_of(const VARIANT& value) {
  // A reference to nothing is a malformed argument: it is looked into only where it is
  // resolved, and fails there.
  const VARIANT* inner = &value;
  if (V_ISBYREF(inner) && V_BYREF(inner) == nullptr) {
    return WindowArgument::unreadable(error::kInvalidCall);
  }
  if (V_VT(inner) == (VT_BYREF | VT_VARIANT)) {
    inner = V_VARIANTREF(inner);
    if (V_ISBYREF(inner) && V_BYREF(inner) == nullptr) {
      return WindowArgument::unreadable(error::kInvalidCall);
    }
  }
  switch (V_VT(inner)) {
    case VT_I4:
      return WindowArgument::handle(static_cast<Long>(V_I4(inner)));
    case VT_BYREF | VT_I4:
      return WindowArgument::handle(static_cast<Long>(*V_I4REF(inner)));
    case VT_DISPATCH:
      return object_argument(V_DISPATCH(inner));
    case VT_UNKNOWN:
      return object_argument(V_UNKNOWN(inner));
    case VT_BYREF | VT_DISPATCH:
      return object_argument(*V_DISPATCHREF(inner));
    case VT_BYREF | VT_UNKNOWN:
      return object_argument(*V_UNKNOWNREF(inner));
    default:
      return WindowArgument::other();
  }
}

BstrArrayRef::BstrArrayRef(SAFEARRAY** target) : target_(target) {
  if (target_ == nullptr) raise(error::kInvalidCall);
}

void BstrArrayRef::replace(std::vector<Text> elements) {
  if (is_fixed_or_locked(*target_)) raise(error::kArrayFixedOrLocked);
  SAFEARRAY* lines = new_text_array(elements, VT_BSTR);
  if (*target_ != nullptr) SafeArrayDestroy(*target_);
  *target_ = lines;
}

bool is_fixed_or_locked(const SAFEARRAY* array) {
  return array != nullptr && ((array->fFeatures & FADF_FIXEDSIZE) != 0 || array->cLocks != 0);
}

SAFEARRAY* new_text_array(const std::vector<Text>& elements, VARTYPE type) {
  SAFEARRAYBOUND bounds{static_cast<ULONG>(elements.size()), 0};
  SAFEARRAY* array = SafeArrayCreate(type, 1, &bounds);
  if (array == nullptr) raise(error::kOutOfMemory);
  for (LONG index = 0; index < static_cast<LONG>(elements.size()); ++index) {
    HRESULT stored = E_OUTOFMEMORY;
    if (BSTR text = SysAllocStringLen(
            reinterpret_cast<const wchar_t*>(elements[static_cast<size_t>(index)].data()),
            static_cast<UINT>(elements[static_cast<size_t>(index)].size()))) {
      if (type == VT_BSTR) {
        stored = SafeArrayPutElement(array, &index, text);  // copies the text
      } else {
        VARIANT element;
        V_VT(&element) = VT_BSTR;
        V_BSTR(&element) = text;
        stored = SafeArrayPutElement(array, &index, &element);  // copies the variant
      }
      SysFreeString(text);
    }
    if (FAILED(stored)) {
      SafeArrayDestroy(array);
      raise(error::kOutOfMemory);
    }
  }
  return array;
}

HRESULT to_parameter_type(const VARIANT& source, VARTYPE type, VARIANT* value) {
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

void destroy_text_array(SAFEARRAY* array) {
  if (array == nullptr) return;
  while (array->cLocks != 0) SafeArrayUnlock(array);
  array->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
  SafeArrayDestroy(array);
}

// The member has run when this is called: on E_OUTOFMEMORY its other results still go back.
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

void clear_result(VARIANT_BOOL* slot) noexcept {
  *slot = VARIANT_FALSE;
}
void clear_result(BSTR* slot) noexcept {
  *slot = nullptr;
}
void clear_result(long* slot) noexcept {
  *slot = 0;
}
void clear_result(unsigned char* slot) noexcept {
  *slot = 0;
}
void clear_result(VARIANT* slot) noexcept {
  VariantInit(slot);
}
void store_result(VARIANT_BOOL* slot, VbBool value) {
  *slot = variant_bool_of(value);
}
void store_result(BSTR* slot, const Text& value) {
  *slot = new_bstr(value);
}
void store_result(BSTR* slot, PlatformText&& value) {
  if (value.empty()) {
    *slot = new_bstr(Text());
    return;
  }
  *slot = reinterpret_cast<BSTR>(value.release());
}
void store_result(long* slot, Long value) {
  *slot = value;
}
void store_result(unsigned char* slot, Byte value) {
  *slot = value;
}

}  // namespace tavrosk::com
