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

namespace {

void pump_until(HANDLE done) {
  for (;;) {
    DWORD woke = MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

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
  ProgramRun run;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  CreatePipe(&read_end, &write_end, &inherit, 0);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring line = command_line;
  std::wstring folder = program_folder();
  BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                folder.c_str(), &startup, &process);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    run.exit_code = static_cast<DWORD>(-1);
    run.output = "could not start the program";
    return run;
  }
  // The output is read on a thread of its own so that a full pipe never stalls the program.
  std::thread reader([&] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
      run.output.append(buffer, got);
    }
  });
  pump_until(process.hProcess);
  reader.join();
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read_end);
  return run;
}

ProgramRun run_script(const std::wstring& script, const std::wstring& arguments) {
  std::wstring folder = L"Z:" TAVROSK_SCRIPT_FOLDER;
  for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
  return run_program(L"cscript //nologo \"" + folder + L"\\" + script + L"\" " + arguments);
}

std::wstring program_folder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
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
