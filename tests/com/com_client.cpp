#include "com/com_client.h"

#include <thread>

#include "model/ide_model.h"

namespace tavrosk::testing {

Variant Variant::of_i2(short value) {
  Variant v;
  V_VT(&v.v_) = VT_I2;
  V_I2(&v.v_) = value;
  return v;
}

Variant Variant::of_i4(long value) {
  Variant v;
  V_VT(&v.v_) = VT_I4;
  V_I4(&v.v_) = value;
  return v;
}

Variant Variant::of_text(const wchar_t* text) {
  Variant v;
  V_VT(&v.v_) = VT_BSTR;
  V_BSTR(&v.v_) = SysAllocString(text);
  return v;
}

std::wstring Variant::text() const {
  if (V_VT(&v_) != VT_BSTR || V_BSTR(&v_) == nullptr) return std::wstring();
  return std::wstring(V_BSTR(&v_), SysStringLen(V_BSTR(&v_)));
}

VARIANT reference_to(Variant& variable) {
  VARIANT reference;
  V_VT(&reference) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&reference) = variable.get();
  return reference;
}

ComPtr<ITypeInfo> vtable_side(ITypeInfo* dispatch_side) {
  ComPtr<ITypeInfo> vtable;
  HREFTYPE reference = 0;
  if (SUCCEEDED(dispatch_side->GetRefTypeOfImplType(-1, &reference))) {
    dispatch_side->GetRefTypeInfo(reference, vtable.put());
  }
  return vtable;
}

ErrorInfo take_error_info() {
  ErrorInfo info;
  IErrorInfo* error = nullptr;
  if (GetErrorInfo(0, &error) != S_OK || error == nullptr) return info;
  Bstr source;
  Bstr description;
  error->GetSource(source.put());
  error->GetDescription(description.put());
  error->Release();
  info.source = source.text();
  info.description = description.text();
  return info;
}

HRESULT invoke_by_name(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments,
                       VARIANT* result, EXCEPINFO* exception) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  UINT argument_error = 0;
  EXCEPINFO ignored{};
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                      exception ? exception : &ignored, &argument_error);
  if (!exception) {
    SysFreeString(ignored.bstrSource);
    SysFreeString(ignored.bstrDescription);
    SysFreeString(ignored.bstrHelpFile);
  }
  return hr;
}

DWORD WINAPI apartment_thread(void* parameter) {
  const auto& body = *static_cast<const std::function<void()>*>(parameter);
  HRESULT hr = CoInitialize(nullptr);
  EXPECT_TRUE(SUCCEEDED(hr));
  body();
  CoUninitialize();
  return 0;
}

void run_in_apartment(const std::function<void()>& body) {
  // A leaving thread may still send this thread a message: pump until it has ended.
  HANDLE thread = CreateThread(nullptr, 0, apartment_thread,
                               const_cast<std::function<void()>*>(&body), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  pump_until(thread);
  CloseHandle(thread);
}

RelayRoad::RelayRoad(_VB_PluginLib* ide) : ide_(ide) {
  long window = kPluginWindow;
  VARIANT_BOOL on = VARIANT_TRUE;
  VARIANT_BOOL answer = VARIANT_FALSE;
  EXPECT_EQ(ide_->DebugApp(&window, &on, &answer), S_OK);
}

RelayRoad::~RelayRoad() {
  long window = kPluginWindow;
  VARIANT_BOOL off = VARIANT_FALSE;
  VARIANT_BOOL answer = VARIANT_FALSE;
  ide_->DebugApp(&window, &off, &answer);
}

ProgramRun run_program(const std::wstring& command_line) {
  return run_program_in(command_line, program_folder());
}

ProgramRun run_script(const std::wstring& script, const std::wstring& arguments) {
  std::wstring folder = L"Z:" TAVROSK_SCRIPT_FOLDER;
  for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
  return run_program(L"cscript //nologo \"" + folder + L"\\" + script + L"\" " + arguments);
}

void ComTest::SetUp() {
  WindowsTest::SetUp();
  if (HasFatalFailure()) return;
  ide_window_ = std::make_unique<host::Win32IdeWindow>();
  relay_ = std::make_unique<RelayToolProcess>();
  ASSERT_NE(relay_->window(), 0);
  host::ide_model().reset();
  forget_boxes();
}

void ComTest::TearDown() {
  relay_.reset();
  ide_window_.reset();
  WindowsTest::TearDown();
}

}  // namespace tavrosk::testing
