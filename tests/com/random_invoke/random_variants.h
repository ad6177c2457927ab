#pragma once
// Random arguments for IDispatch::Invoke, each with the storage it points into: every VARTYPE
// alone, by reference and as an array, references to nothing, texts with NULs, arrays of odd
// shapes (several dimensions, bounds far from 0, no elements, fixed or locked), and objects
// whose hwnd answers in every way an object can.
#include <windows.h>

#include <oleauto.h>

#include <deque>
#include <random>
#include <vector>

namespace tavrosk::testing {

// An object handed over as a form: its member hwnd answers as `mode` says. Counts its
// references, so that a call that keeps or drops one is seen.
class RandomForm final : public IDispatch {
 public:
  enum class Mode {
    kProperty,        // a property read answers; the combined read is refused as a call
    kMethod,          // a method: any read that may be a call answers
    kNone,            // no member hwnd
    kFailing,         // the read fails with `failure`
    kException,       // DISP_E_EXCEPTION, the exception's status `failure`
    kNumberedError,   // DISP_E_EXCEPTION described by wCode
    kDeferredFillIn,  // DISP_E_EXCEPTION filled in when the reader asks
    kCount
  };

  void answer(Mode mode, VARIANT value, HRESULT failure);
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives with the test
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override;

 private:
  Mode mode_ = Mode::kProperty;
  VARIANT value_{};
  HRESULT failure_ = S_OK;
  ULONG references_ = 1;
};

// Makes random arguments and frees, after the call, whatever they point to then (what the
// callee left there included). One call's arguments at a time.
class RandomArguments {
 public:
  // `objects`: what an object argument may hold besides null and the form.
  RandomArguments(std::mt19937& random, RandomForm& form, std::vector<IUnknown*> objects);
  ~RandomArguments() { release(); }
  RandomArguments(const RandomArguments&) = delete;
  RandomArguments& operator=(const RandomArguments&) = delete;

  // An argument of any form; `plausible` leans to what a script passes (a variable holding a
  // number, a text or a Boolean, or such a value itself).
  VARIANT make(bool plausible);
  // Frees what this call's arguments point to, and the by-value arguments themselves.
  void release();

 private:
  struct Cell {
    VARIANT variable;  // a by-reference argument's storage: the union, or a whole Variant
    VARTYPE type;      // what it holds (VT_VARIANT: a Variant in `variable`)
  };
  VARIANT any_value();                // any form, unowned
  VARIANT plain_value(VARTYPE type);  // a value of a scalar type, a text or an object
  VARIANT array_of(VARTYPE element);
  VARIANT by_reference(VARTYPE type, bool array);
  BSTR random_text();
  IUnknown* random_object();
  VARTYPE random_type();
  void free_value(VARIANT& value);

  std::mt19937& random_;
  RandomForm& form_;
  std::vector<IUnknown*> objects_;
  std::deque<Cell> cells_;
  std::vector<VARIANT> owned_;
};

// Destroys an array also when it is fixed or locked, as the arrays made here may be.
void destroy_any_array(SAFEARRAY* array);

}  // namespace tavrosk::testing
