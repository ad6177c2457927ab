#pragma once
// What the COM tests share: a client's view of Tavrosk.dll (smart pointers, BSTR and VARIANT
// holders, error info), a fixture with the reference IDE window and relay program, and
// fresh apartments. The DLL keeps its own per-thread state, so each scenario runs on a thread
// of its own, with the test's thread pumping messages for the IDE window meanwhile.
#include <windows.h>

#include <oleauto.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "relay_tool/win32_ide_window.h"
#include "support/fixture.h"
#include "support/win32/program_run.h"
#include "support/win32/relay_tool_process.h"
#include "tavrosk.h"

namespace tavrosk::testing {

// The plug-in's window handle that relayed scenarios hand to DebugApp.
constexpr long kPluginWindow = 1312;

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* adopted) : p_(adopted) {}
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(ComPtr other) {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** put() {
    *this = ComPtr();
    return &p_;
  }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }
  BSTR* put() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  std::wstring text() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

 private:
  BSTR b_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  static Variant of_i2(short value);
  static Variant of_i4(long value);
  static Variant of_text(const wchar_t* text);
  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }
  VARTYPE type() const { return V_VT(&v_); }
  std::wstring text() const;  // a VT_BSTR's text; "" otherwise

 private:
  VARIANT v_;
};

// A by-reference argument as a script passes a variable: VT_BYREF|VT_VARIANT.
VARIANT reference_to(Variant& variable);

// The vtable side of a dual interface whose dispatch side is `dispatch_side`: the slots (oVft)
// and every parameter, the [out, retval] included. Null when it cannot be read.
ComPtr<ITypeInfo> vtable_side(ITypeInfo* dispatch_side);

// The error info of the thread's last failed call, as a client reads it.
struct ErrorInfo {
  std::wstring source;
  std::wstring description;
};
ErrorInfo take_error_info();

template <class Interface>
ComPtr<Interface> create(REFCLSID clsid) {
  ComPtr<Interface> object;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                                reinterpret_cast<void**>(object.put()));
  EXPECT_EQ(hr, S_OK) << std::hex << hr;
  return object;
}

constexpr HRESULT run_time_error(int number) {
  return static_cast<HRESULT>(0x800A0000u + static_cast<unsigned>(number));
}

// Late-bound call of a member by name, with `arguments` in their natural order.
HRESULT invoke_by_name(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments,
                       VARIANT* result, EXCEPINFO* exception = nullptr);

// Runs `body` on a new thread inside its own single-threaded apartment, pumping this thread's
// messages until it has finished.
void run_in_apartment(const std::function<void()>& body);

// For a scope, this thread's session in the DLL takes the relay road (DebugApp True, then
// DebugApp False at the end). Relayed scenarios run on the test's own thread, which has
// joined an apartment at start-up: a helper thread that has talked to the relay program does
// not end under Wine.
class RelayRoad {
 public:
  explicit RelayRoad(_VB_PluginLib* ide);
  ~RelayRoad();
  RelayRoad(const RelayRoad&) = delete;
  RelayRoad& operator=(const RelayRoad&) = delete;

 private:
  _VB_PluginLib* ide_;
};

// Runs a program beside the test programs to its end (see program_run.h).
ProgramRun run_program(const std::wstring& command_line);

// Runs a script of tests/com/scripts with the script host (cscript), arguments appended.
ProgramRun run_script(const std::wstring& script, const std::wstring& arguments = L"");

// The reference IDE window (on this thread) and relay program, for scenarios on both roads.
class ComTest : public WindowsTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<host::Win32IdeWindow> ide_window_;
  std::unique_ptr<RelayToolProcess> relay_;
};

}  // namespace tavrosk::testing
