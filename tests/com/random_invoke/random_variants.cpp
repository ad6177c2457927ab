#include "com/random_invoke/random_variants.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace tavrosk::testing {
namespace {

constexpr DISPID kHwnd = 7;

// Every type a Variant names, the ones that no Variant may hold by value among them, and a
// few that name nothing.
constexpr std::array<VARTYPE, 32> kTypes = {
    VT_EMPTY, VT_NULL,     VT_I2,    VT_I4,    VT_R4,      VT_R8,      VT_CY,      VT_DATE,
    VT_BSTR,  VT_DISPATCH, VT_ERROR, VT_BOOL,  VT_VARIANT, VT_UNKNOWN, VT_DECIMAL, VT_I1,
    VT_UI1,   VT_UI2,      VT_UI4,   VT_I8,    VT_UI8,     VT_INT,     VT_UINT,    VT_RECORD,
    VT_VOID,  VT_HRESULT,  VT_PTR,   VT_LPSTR, VT_LPWSTR,  VT_CLSID,   0x0FFF,     0x7F};

// What a script passes: a number, a text, a Boolean.
constexpr std::array<VARTYPE, 6> kScriptTypes = {VT_I4, VT_BSTR, VT_BOOL, VT_I2, VT_UI1, VT_EMPTY};

// Numbers near every boundary a member may have: counts, capacities, the 254-byte line. A
// reply capacity is allocated as given (and its buffer kept for the thread's next read), so
// none goes beyond the default reply capacity by much: a kept buffer that grows late in the
// run would look like a leak.
constexpr std::array<LONG, 14> kLongs = {0,   1,      -1,     2,     254,     255,     256,
                                         999, 512000, 512006, 70000, -512006, INT_MIN, 65535};

// Letters of a text: NULs, line ends, characters outside ASCII; no path separators, drive
// letters or wildcards, so that a path is a name inside the current folder.
constexpr wchar_t kLetters[] = L"aZ09 .-_\r\n\x00e9\x65e5\x20ac\x0000";

HRESULT g_deferred_status = S_OK;

HRESULT STDMETHODCALLTYPE fill_in_deferred(EXCEPINFO* exception) {
  exception->scode = g_deferred_status;
  exception->bstrDescription = SysAllocString(L"filled in when asked");
  return S_OK;
}

}  // namespace

void RandomForm::answer(Mode mode, VARIANT value, HRESULT failure) {
  mode_ = mode;
  value_ = value;
  failure_ = failure;
}

HRESULT RandomForm::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch)) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

HRESULT RandomForm::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT RandomForm::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1 || mode_ == Mode::kNone || _wcsicmp(names[0], L"hwnd") != 0) {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  ids[0] = kHwnd;
  return S_OK;
}

HRESULT RandomForm::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                           EXCEPINFO* exception, UINT*) {
  if (id != kHwnd) return DISP_E_MEMBERNOTFOUND;
  auto answered = [&] { return result == nullptr ? S_OK : VariantCopy(result, &value_); };
  switch (mode_) {
    case Mode::kProperty:
      if (flags == DISPATCH_PROPERTYGET) return answered();
      return failure_ == S_OK ? DISP_E_MEMBERNOTFOUND : failure_;
    case Mode::kMethod:
      return (flags & DISPATCH_METHOD) != 0 ? answered() : DISP_E_MEMBERNOTFOUND;
    case Mode::kFailing:
      return failure_;
    case Mode::kNone:
    case Mode::kCount:
      return DISP_E_MEMBERNOTFOUND;
    default:
      break;
  }
  if (exception == nullptr) return failure_;
  *exception = EXCEPINFO{};
  exception->bstrSource = SysAllocString(L"RandomForm");
  if (mode_ == Mode::kException) exception->scode = failure_;
  if (mode_ == Mode::kNumberedError) exception->wCode = static_cast<WORD>(HRESULT_CODE(failure_));
  if (mode_ == Mode::kDeferredFillIn) {
    g_deferred_status = failure_;
    exception->pfnDeferredFillIn = fill_in_deferred;
  }
  return DISP_E_EXCEPTION;
}

RandomArguments::RandomArguments(std::mt19937& random, RandomForm& form,
                                 std::vector<IUnknown*> objects)
    : random_(random), form_(form), objects_(std::move(objects)) {}

VARTYPE RandomArguments::random_type() {
  return kTypes[random_() % kTypes.size()];
}

BSTR RandomArguments::random_text() {
  switch (random_() % 8) {
    case 0:
      return nullptr;
    case 1:
      return SysAllocString(L"");
    case 2: {
      static const wchar_t* const kWords[] = {L"12", L"-1", L"True", L"&HFF", L" 7 ", L"a\r\nb"};
      return SysAllocString(kWords[random_() % 6]);
    }
    default:
      break;
  }
  std::size_t length = random_() % 4 == 0 ? 200 + random_() % 400 : random_() % 12;
  std::wstring text;
  for (std::size_t i = 0; i < length; ++i) text += kLetters[random_() % (std::size(kLetters) - 1)];
  return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

IUnknown* RandomArguments::random_object() {
  IUnknown* object = nullptr;
  switch (random_() % 3) {
    case 0:
      return nullptr;
    case 1:
      object = &form_;
      break;
    default:
      object = objects_[random_() % objects_.size()];
  }
  object->AddRef();
  return object;
}

VARIANT RandomArguments::plain_value(VARTYPE type) {
  VARIANT value;
  std::memset(&value, 0, sizeof value);
  switch (type) {
    case VT_I2:
      V_I2(&value) = static_cast<SHORT>(kLongs[random_() % kLongs.size()]);
      break;
    case VT_I4:
    case VT_INT:
    case VT_UI4:
    case VT_UINT:
    case VT_ERROR:
      V_I4(&value) =
          random_() % 4 == 0 ? static_cast<LONG>(random_()) : kLongs[random_() % kLongs.size()];
      if (type == VT_ERROR && random_() % 2 == 0) V_ERROR(&value) = DISP_E_PARAMNOTFOUND;
      break;
    case VT_R4:
      V_R4(&value) = static_cast<float>(kLongs[random_() % kLongs.size()]) + 0.5f;
      break;
    case VT_R8:
    case VT_DATE: {
      static const double kDoubles[] = {
          0, 2.5, -2.5, 1e300, std::numeric_limits<double>::quiet_NaN(), -1e9, 3.5e9, 1312};
      V_R8(&value) = kDoubles[random_() % std::size(kDoubles)];
      break;
    }
    case VT_CY:
    case VT_I8:
    case VT_UI8:
      V_I8(&value) = (static_cast<LONGLONG>(random_()) << 32) | random_();
      break;
    case VT_BSTR:
      V_BSTR(&value) = random_text();
      break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      V_UNKNOWN(&value) = random_object();
      break;
    case VT_BOOL: {
      static const VARIANT_BOOL kBooleans[] = {VARIANT_TRUE, VARIANT_FALSE, 1, 2};
      V_BOOL(&value) = kBooleans[random_() % 4];
      break;
    }
    case VT_DECIMAL:
      V_DECIMAL(&value).Lo64 = random_();
      V_DECIMAL(&value).scale = static_cast<BYTE>(random_() % 30);  // beyond 28 is malformed
      V_DECIMAL(&value).sign = random_() % 2 == 0 ? 0 : DECIMAL_NEG;
      break;
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
      V_UI2(&value) = static_cast<USHORT>(random_());
      break;
    default:
      break;  // no payload: empty, null, a record with neither record nor its description
  }
  V_VT(&value) = type;
  return value;
}

VARIANT RandomArguments::array_of(VARTYPE element) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = static_cast<VARTYPE>(VT_ARRAY | element);
  if (random_() % 6 == 0) return value;  // an array variable that holds no array yet
  static const LONG kLowerBounds[] = {0, 0, 1, -1, -5, INT_MAX - 2, INT_MIN};
  std::array<SAFEARRAYBOUND, 3> bounds;
  UINT dimensions = random_() % 4 == 0 ? 1 + random_() % 3 : 1;
  for (UINT d = 0; d < dimensions; ++d) {
    bounds[d] = {static_cast<ULONG>(random_() % 5), kLowerBounds[random_() % 7]};
  }
  SAFEARRAY* array = SafeArrayCreate(element, dimensions, bounds.data());
  V_ARRAY(&value) = array;
  if (array == nullptr) return value;
  if (dimensions == 1) {
    for (ULONG i = 0; i < bounds[0].cElements; ++i) {
      LONG index = static_cast<LONG>(static_cast<ULONG>(bounds[0].lLbound) + i);
      if (element == VT_BSTR || element == VT_VARIANT || element == VT_DISPATCH ||
          element == VT_UNKNOWN) {
        VARIANT item = plain_value(element == VT_VARIANT ? kScriptTypes[random_() % 6] : element);
        void* put = element == VT_VARIANT ? static_cast<void*>(&item) : V_BSTR(&item);
        SafeArrayPutElement(array, &index, put);  // copies the item
        free_value(item);
      }
    }
  }
  if (random_() % 6 == 0) array->fFeatures |= FADF_FIXEDSIZE;
  if (random_() % 6 == 0) SafeArrayLock(array);
  return value;
}

VARIANT RandomArguments::by_reference(VARTYPE type, bool array) {
  VARIANT reference;
  VariantInit(&reference);
  V_VT(&reference) = static_cast<VARTYPE>(VT_BYREF | (array ? VT_ARRAY : 0) | type);
  if (random_() % 6 == 0) return reference;  // a reference to nothing
  Cell& cell = cells_.emplace_back();
  cell.type = type;
  if (array) {
    cell.variable = array_of(type);
    V_BYREF(&reference) = &V_ARRAY(&cell.variable);
  } else if (type == VT_VARIANT) {
    // A variable of the script: any value, another variable's reference among them.
    cell.variable = random_() % 3 == 0 ? any_value() : plain_value(kScriptTypes[random_() % 6]);
    V_BYREF(&reference) = &cell.variable;
  } else {
    cell.variable = plain_value(type);
    // Every value of the union starts at the union's address; a DECIMAL takes the whole Variant.
    V_BYREF(&reference) =
        type == VT_DECIMAL ? static_cast<void*>(&cell.variable) : &V_UI1(&cell.variable);
  }
  return reference;
}

VARIANT RandomArguments::any_value() {
  VARTYPE type = random_type();
  switch (random_() % 4) {
    case 0:
      return plain_value(type);
    case 1:
      return by_reference(type, false);
    case 2:
      return array_of(type);
    default:
      return by_reference(type, true);
  }
}

VARIANT RandomArguments::make(bool plausible) {
  VARIANT value;
  if (plausible) {
    VARTYPE type = kScriptTypes[random_() % kScriptTypes.size()];
    switch (random_() % 3) {
      case 0:
        value = by_reference(VT_VARIANT, false);
        break;
      case 1:
        value = by_reference(type == VT_EMPTY ? static_cast<VARTYPE>(VT_I4) : type, false);
        break;
      default:
        value = plain_value(type);
        owned_.push_back(value);
    }
    return value;
  }
  value = any_value();
  if (!V_ISBYREF(&value)) owned_.push_back(value);
  return value;
}

void RandomArguments::free_value(VARIANT& value) {
  if (V_ISBYREF(&value)) return;  // points into a cell, freed with it
  if (V_ISARRAY(&value)) {
    destroy_any_array(V_ARRAY(&value));
  } else if (V_VT(&value) == VT_BSTR) {
    SysFreeString(V_BSTR(&value));
  } else if ((V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) &&
             V_UNKNOWN(&value) != nullptr) {
    V_UNKNOWN(&value)->Release();
  }
  VariantInit(&value);
}

void RandomArguments::release() {
  for (VARIANT& value : owned_) free_value(value);
  owned_.clear();
  // A variable's value may have been replaced by what the callee wrote; a typed reference's
  // storage holds its type's value, replaced or not.
  for (Cell& cell : cells_) {
    if (cell.type != VT_VARIANT && !V_ISARRAY(&cell.variable)) V_VT(&cell.variable) = cell.type;
    free_value(cell.variable);
  }
  cells_.clear();
}

void destroy_any_array(SAFEARRAY* array) {
  if (array == nullptr) return;
  while (array->cLocks != 0) SafeArrayUnlock(array);
  array->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
  SafeArrayDestroy(array);
}

}  // namespace tavrosk::testing
