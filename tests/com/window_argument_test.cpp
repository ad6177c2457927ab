// Window arguments: an object whose hwnd property is read by name through IDispatch (a Long, or
// a 64-bit client's LongPtr), or, for FormAlwaysOnTop, a 32-bit number that is the handle itself.
#include <richedit.h>

#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

// How an object offers its hwnd: as a property, as a method (which answers only a call that
// may be a method call), as a script object's property (which refuses a read that may be a
// call, as Wine's script engines do for a property that holds no function), or not at all.
enum class Hwnd { kProperty, kMethod, kScriptProperty, kNone };

// How a read of hwnd fails: with a status, or with an exception described by its status, by
// its number (wCode), or filled in only when the reader asks (pfnDeferredFillIn).
enum class Failure { kNone, kStatus, kExceptionStatus, kExceptionNumber, kDeferred };

HRESULT g_deferred_status = S_OK;
HRESULT STDMETHODCALLTYPE fill_in_deferred(EXCEPINFO* exception) {
  exception->scode = g_deferred_status;
  return S_OK;
}

// A form or control as a client hands it over: an object with a member hwnd, or without one.
class FormObject final : public IDispatch {
 public:
  FormObject(HWND window, Hwnd hwnd) : window_(window), hwnd_(hwnd) {}
  // A 64-bit client's form, whose hwnd is a LongPtr (VT_I8) holding `value`.
  // A form whose hwnd read fails as `failure` with `status` (a number for kExceptionNumber).
  static FormObject failing(Failure failure, HRESULT status) {
    FormObject form(nullptr, Hwnd::kProperty);
    form.failure_ = failure;
    form.status_ = status;
    return form;
  }
  static FormObject answering_long_ptr(LONGLONG value) {
    FormObject form(nullptr, Hwnd::kProperty);
    form.long_ptr_ = value;
    form.answers_long_ptr_ = true;
    return form;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    if (hwnd_ == Hwnd::kNone || _wcsicmp(names[0], L"hwnd") != 0) {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    ids[0] = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    WORD answered = hwnd_ == Hwnd::kMethod ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
    if (id != 1 || (flags & answered) == 0 || result == nullptr) return DISP_E_MEMBERNOTFOUND;
    if (hwnd_ == Hwnd::kScriptProperty && flags != DISPATCH_PROPERTYGET) return kRefusedAsCall;
    ++reads_;
    if (failure_ == Failure::kStatus) return status_;
    if (failure_ != Failure::kNone) {
      *exception = EXCEPINFO{};
      if (failure_ == Failure::kExceptionStatus) exception->scode = status_;
      if (failure_ == Failure::kExceptionNumber) exception->wCode = static_cast<WORD>(status_);
      if (failure_ == Failure::kDeferred) {
        g_deferred_status = status_;
        exception->pfnDeferredFillIn = fill_in_deferred;
      }
      return DISP_E_EXCEPTION;
    }
    if (answers_long_ptr_) {
      V_VT(result) = VT_I8;
      V_I8(result) = long_ptr_;
      return S_OK;
    }
    V_VT(result) = VT_I4;
    V_I4(result) = static_cast<LONG>(reinterpret_cast<INT_PTR>(window_));
    return S_OK;
  }
  int reads() const { return reads_; }

 private:
  // What Wine's JScript answers a read that may be a call of a property holding a number.
  static constexpr HRESULT kRefusedAsCall = static_cast<HRESULT>(0x800A138A);

  HWND window_;
  Hwnd hwnd_;
  Failure failure_ = Failure::kNone;
  HRESULT status_ = S_OK;
  bool answers_long_ptr_ = false;
  LONGLONG long_ptr_ = 0;
  ULONG references_ = 1;
  int reads_ = 0;
};

VARIANT object_argument(FormObject& form) {
  VARIANT argument;
  V_VT(&argument) = VT_DISPATCH;
  V_DISPATCH(&argument) = &form;
  return argument;
}

bool is_topmost(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND plain_window() {
  return CreateWindowExW(0, L"STATIC", L"Tavrosk test form", WS_POPUP, 0, 0, 50, 50, nullptr,
                         nullptr, nullptr, nullptr);
}

class WindowArguments : public WindowsTest {};

TEST_F(WindowArguments, FormAlwaysOnTopTakesAFormObjectOrAHandleNumber) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    HWND form_window = plain_window();
    HWND numbered_window = plain_window();
    FormObject form(form_window, Hwnd::kProperty);
    Variant on_top_state;
    // A form object; OnTop left out means True.
    EXPECT_EQ(invoke_by_name(tools.get(), L"FormAlwaysOnTop", {object_argument(form)}, nullptr),
              S_OK);
    EXPECT_TRUE(is_topmost(form_window));
    EXPECT_EQ(form.reads(), 1);

    // On a second object, the handle as a Long variable, by reference as a script passes it.
    auto other = create<IDispatch>(CLSID_PlugInToolsLib);
    Variant handle = Variant::of_i4(static_cast<long>(reinterpret_cast<INT_PTR>(numbered_window)));
    EXPECT_EQ(invoke_by_name(other.get(), L"FormAlwaysOnTop", {reference_to(handle)}, nullptr),
              S_OK);
    EXPECT_TRUE(is_topmost(numbered_window));
    Variant off = Variant::of_i2(0);
    EXPECT_EQ(invoke_by_name(other.get(), L"FormAlwaysOnTop",
                             {reference_to(handle), reference_to(off)}, nullptr),
              S_OK);
    EXPECT_FALSE(is_topmost(numbered_window));
    EXPECT_TRUE(is_topmost(form_window));
    DestroyWindow(form_window);
    DestroyWindow(numbered_window);
  });
}

TEST_F(WindowArguments, AnythingButALongOrAnObjectWithHwndFails) {
  run_in_apartment([] {
    HWND window = plain_window();
    FormObject without_hwnd(window, Hwnd::kNone);
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    Variant short_handle = Variant::of_i2(static_cast<short>(reinterpret_cast<INT_PTR>(window)));
    EXPECT_EQ(tools->FormAlwaysOnTop(short_handle.get(), VARIANT_TRUE), run_time_error(424));
    EXPECT_EQ(take_error_info().description, L"Object required");
    VARIANT object = object_argument(without_hwnd);
    EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_TRUE), run_time_error(438));
    EXPECT_EQ(take_error_info().description, L"Object doesn't support this property or method");
    EXPECT_FALSE(is_topmost(window));
    // The failed calls left the on-top state False: a handle that works is made topmost now.
    Variant handle = Variant::of_i4(static_cast<long>(reinterpret_cast<INT_PTR>(window)));
    EXPECT_EQ(tools->FormAlwaysOnTop(handle.get(), VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    DestroyWindow(window);
  });
}

// The member hwnd is read as a late-bound client reads a member: a method serves as well as a
// property, an object handed over as IUnknown is asked for IDispatch, and Nothing fails with
// the error of a member read on Nothing.
TEST_F(WindowArguments, HwndIsReadAsALateBoundClientReadsAMember) {
  run_in_apartment([] {
    HWND window = plain_window();
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    Variant nothing;
    V_VT(nothing.get()) = VT_DISPATCH;
    V_DISPATCH(nothing.get()) = nullptr;
    EXPECT_EQ(tools->FormAlwaysOnTop(nothing.get(), VARIANT_TRUE), run_time_error(91));
    EXPECT_EQ(take_error_info().description, L"Object variable or With block variable not set");
    EXPECT_EQ(tools->RichTextBoxWordWrap(nothing.value(), VARIANT_TRUE), run_time_error(91));
    take_error_info();

    FormObject by_method(window, Hwnd::kMethod);
    VARIANT method_object = object_argument(by_method);
    EXPECT_EQ(tools->FormAlwaysOnTop(&method_object, VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    EXPECT_EQ(by_method.reads(), 1);

    FormObject as_unknown(window, Hwnd::kProperty);
    VARIANT unknown;
    V_VT(&unknown) = VT_UNKNOWN;
    V_UNKNOWN(&unknown) = &as_unknown;
    EXPECT_EQ(tools->FormAlwaysOnTop(&unknown, VARIANT_FALSE), S_OK);
    EXPECT_FALSE(is_topmost(window));
    EXPECT_EQ(as_unknown.reads(), 1);
    EXPECT_EQ(tools->RichTextBoxWordWrap(unknown, VARIANT_TRUE), S_OK);
    EXPECT_EQ(as_unknown.reads(), 2);
    DestroyWindow(window);
  });
}

// A script object's property refuses the read that may be a call; the plain property read that
// follows answers. A method named hwnd still answers the first read.
TEST_F(WindowArguments, AScriptObjectsPropertyIsReadAsAProperty) {
  run_in_apartment([] {
    HWND window = plain_window();
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    FormObject script_form(window, Hwnd::kScriptProperty);
    VARIANT object = object_argument(script_form);
    EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    EXPECT_EQ(script_form.reads(), 1);
    EXPECT_EQ(tools->RichTextBoxWordWrap(object, VARIANT_TRUE), S_OK);
    EXPECT_EQ(script_form.reads(), 2);
    DestroyWindow(window);
  });
}

// A failed read of hwnd fails the member with the error that a late-bound client would see
// for it, and leaves the on-top state as it was.
TEST_F(WindowArguments, AFailedHwndReadFailsWithTheErrorItStandsFor) {
  struct Case {
    Failure failure;
    HRESULT status;
    HRESULT expected;
  };
  const Case cases[] = {
      {Failure::kStatus, DISP_E_TYPEMISMATCH, run_time_error(13)},
      {Failure::kStatus, DISP_E_PARAMNOTOPTIONAL, run_time_error(449)},
      {Failure::kStatus, DISP_E_OVERFLOW, run_time_error(6)},
      {Failure::kStatus, static_cast<HRESULT>(0x800A0034), run_time_error(52)},
      {Failure::kStatus, E_ACCESSDENIED, E_ACCESSDENIED},
      {Failure::kExceptionStatus, static_cast<HRESULT>(0x800A01A8), run_time_error(424)},
      {Failure::kExceptionStatus, E_ACCESSDENIED, E_ACCESSDENIED},
      {Failure::kExceptionStatus, DISP_E_TYPEMISMATCH, run_time_error(13)},
      {Failure::kExceptionNumber, 1004, run_time_error(1004)},
      {Failure::kDeferred, static_cast<HRESULT>(0x800A0039), run_time_error(57)},
  };
  run_in_apartment([&] {
    HWND window = plain_window();
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    for (const Case& c : cases) {
      FormObject form = FormObject::failing(c.failure, c.status);
      VARIANT object = object_argument(form);
      EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_TRUE), c.expected) << std::hex << c.status;
      take_error_info();
      EXPECT_EQ(tools->RichTextBoxWordWrap(object, VARIANT_TRUE), c.expected)
          << std::hex << c.status;
      take_error_info();
    }
    EXPECT_EQ(take_error_info().description, L"");
    FormObject form = FormObject::failing(Failure::kStatus, DISP_E_PARAMNOTOPTIONAL);
    VARIANT object = object_argument(form);
    tools->FormAlwaysOnTop(&object, VARIANT_TRUE);
    EXPECT_EQ(take_error_info().description, L"Argument not optional");
    // The on-top state is still False: the window is made topmost now.
    Variant handle = Variant::of_i4(HandleToLong(window));
    EXPECT_EQ(tools->FormAlwaysOnTop(handle.get(), VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    DestroyWindow(window);
  });
}

// A by-reference Variant that refers to nothing (no client passes one) fails with 5 where the
// handle is resolved. Late bound, the member receives only such a reference of the parameter's
// own type; any other would have to be read to be converted and is refused as a type mismatch.
// Where FormAlwaysOnTop resolves nothing, it is not looked at.
TEST_F(WindowArguments, AReferenceToNothingFailsWithoutBeingFollowed) {
  run_in_apartment([] {
    HWND window = plain_window();
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    auto late_bound = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools && late_bound);
    VARIANT nothing_behind;  // a variable holding a reference to nothing
    V_VT(&nothing_behind) = VT_BYREF | VT_I4;
    V_BYREF(&nothing_behind) = nullptr;
    const VARTYPE kReferenced[] = {VT_I4,   VT_DISPATCH,           VT_UNKNOWN, VT_VARIANT, VT_I2,
                                   VT_BSTR, VT_ARRAY | VT_VARIANT, VT_R8};
    for (VARTYPE type : kReferenced) {
      VARIANT reference;
      V_VT(&reference) = static_cast<VARTYPE>(VT_BYREF | type);
      V_BYREF(&reference) = nullptr;
      EXPECT_EQ(tools->FormAlwaysOnTop(&reference, VARIANT_TRUE), run_time_error(5)) << type;
      EXPECT_EQ(tools->RichTextBoxWordWrap(reference, VARIANT_TRUE), run_time_error(5)) << type;
      // Late bound, only a Variant's reference of the parameter's own type reaches the member.
      EXCEPINFO exception{};
      HRESULT expected = type == VT_VARIANT ? DISP_E_EXCEPTION : DISP_E_TYPEMISMATCH;
      EXPECT_EQ(
          invoke_by_name(late_bound.get(), L"FormAlwaysOnTop", {reference}, nullptr, &exception),
          expected)
          << type;
      if (expected == DISP_E_EXCEPTION) {
        EXPECT_EQ(exception.scode, run_time_error(5));
      }
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      EXPECT_EQ(invoke_by_name(late_bound.get(), L"RichTextBoxWordWrap", {reference}, nullptr),
                DISP_E_TYPEMISMATCH)
          << type;
    }
    VARIANT variable;
    V_VT(&variable) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&variable) = &nothing_behind;
    EXPECT_EQ(tools->FormAlwaysOnTop(&variable, VARIANT_TRUE), run_time_error(5));
    EXPECT_EQ(invoke_by_name(late_bound.get(), L"FormAlwaysOnTop", {variable}, nullptr),
              DISP_E_EXCEPTION);
    take_error_info();
    Variant handle = Variant::of_i4(HandleToLong(window));
    EXPECT_EQ(tools->FormAlwaysOnTop(handle.get(), VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    EXPECT_EQ(tools->FormAlwaysOnTop(&variable, VARIANT_TRUE), S_OK);  // already on top
    EXPECT_TRUE(is_topmost(window));
    DestroyWindow(window);
  });
}

// Script objects given to FormAlwaysOnTop by a plug-in run with the script host of this
// program's width: a JScript object {hwnd: h} and one whose hwnd is a method, and VBScript class
// objects with a variable, a Property Get and a function hwnd.
TEST_F(WindowArguments, ScriptObjectsMakeTheirWindowsTopmost) {
  auto number_of = [](HWND window) { return std::to_wstring(HandleToLong(window)); };
  HWND windows[5];
  for (HWND& window : windows) {
    window = plain_window();
    ASSERT_FALSE(is_topmost(window));
  }
  ProgramRun jscript =
      run_script(L"form_on_top.js", number_of(windows[0]) + L" " + number_of(windows[1]));
  EXPECT_EQ(jscript.exit_code, 0u) << jscript.output;
  ProgramRun vbscript =
      run_script(L"form_on_top.vbs", number_of(windows[2]) + L" " + number_of(windows[3]) + L" " +
                                         number_of(windows[4]));
  EXPECT_EQ(vbscript.exit_code, 0u) << vbscript.output;
  for (HWND window : windows) {
    EXPECT_TRUE(is_topmost(window));
    DestroyWindow(window);
  }
}

// A window handle as a 64-bit process holds it: the 32-bit handle sign-extended.
LONGLONG long_ptr_of(HWND window) {
  return static_cast<LONGLONG>(HandleToLong(window));
}

// A 64-bit client's hwnd works when it is a sign-extended 32-bit handle; a value with more
// significant bits fails as its conversion to a Long does, with 6, and leaves the state.
TEST_F(WindowArguments, AnHwndAnsweredAsALongPtrWorksWhenItFitsAWindowHandle) {
  run_in_apartment([] {
    HWND window = plain_window();
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    for (LONGLONG too_wide :
         {LONGLONG{0x80000000}, (LONGLONG{1} << 32) + long_ptr_of(window), -LONGLONG{0x80000001}}) {
      FormObject form = FormObject::answering_long_ptr(too_wide);
      VARIANT object = object_argument(form);
      EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_TRUE), run_time_error(6));
      EXPECT_EQ(take_error_info().description, L"Overflow");
      EXPECT_EQ(tools->RichTextBoxWordWrap(object, VARIANT_TRUE), run_time_error(6));
      take_error_info();
      EXPECT_EQ(form.reads(), 2);
    }
    EXPECT_FALSE(is_topmost(window));
    FormObject form = FormObject::answering_long_ptr(long_ptr_of(window));
    VARIANT object = object_argument(form);
    EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_TRUE), S_OK);
    EXPECT_TRUE(is_topmost(window));
    EXPECT_EQ(tools->FormAlwaysOnTop(&object, VARIANT_FALSE), S_OK);
    EXPECT_FALSE(is_topmost(window));
    DestroyWindow(window);
  });
}

// The word wrap settings a rich-text control received, recorded by subclassing it.
std::vector<LPARAM> g_line_widths;
WNDPROC g_rich_edit_procedure = nullptr;

LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == EM_SETTARGETDEVICE) g_line_widths.push_back(lparam);
  return CallWindowProcW(g_rich_edit_procedure, window, message, wparam, lparam);
}

TEST_F(WindowArguments, RichTextBoxWordWrapSetsTheLineWidthOfTheControlBehindTheObject) {
  run_in_apartment([] {
    ASSERT_NE(LoadLibraryW(L"riched20.dll"), nullptr);
    HWND rich_edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE, 0, 0, 200,
                                     100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(rich_edit, nullptr);
    g_line_widths.clear();
    g_rich_edit_procedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        rich_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording_procedure)));
    FormObject control(rich_edit, Hwnd::kProperty);
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    EXPECT_EQ(
        invoke_by_name(tools.get(), L"RichTextBoxWordWrap", {object_argument(control)}, nullptr),
        S_OK);
    Variant no_wrap;
    V_VT(no_wrap.get()) = VT_BOOL;
    V_BOOL(no_wrap.get()) = VARIANT_FALSE;
    EXPECT_EQ(invoke_by_name(tools.get(), L"RichTextBoxWordWrap",
                             {object_argument(control), no_wrap.value()}, nullptr),
              S_OK);
    EXPECT_EQ(g_line_widths, (std::vector<LPARAM>{0, 1}));

    // A handle number is no control: the word wrap has no road for numbers.
    Variant number = Variant::of_i4(static_cast<long>(reinterpret_cast<INT_PTR>(rich_edit)));
    EXCEPINFO exception{};
    EXPECT_EQ(
        invoke_by_name(tools.get(), L"RichTextBoxWordWrap", {number.value()}, nullptr, &exception),
        DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, run_time_error(424));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(g_line_widths.size(), 2u);

    // A 64-bit client's control, whose hwnd is a LongPtr.
    FormObject long_ptr_control = FormObject::answering_long_ptr(long_ptr_of(rich_edit));
    EXPECT_EQ(invoke_by_name(tools.get(), L"RichTextBoxWordWrap",
                             {object_argument(long_ptr_control), no_wrap.value()}, nullptr),
              S_OK);
    EXPECT_EQ(g_line_widths, (std::vector<LPARAM>{0, 1, 1}));
    DestroyWindow(rich_edit);
  });
}

}  // namespace
}  // namespace tavrosk::testing
