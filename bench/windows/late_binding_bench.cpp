// Connect, which passes its window handle by reference, reached three ways: early bound,
// late bound with a typed reference as a compiled client passes it, and late bound with a
// reference to a Variant holding an Integer, as a script passes a variable.
#include <stdexcept>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

void expect_connected(VARIANT_BOOL connected) {
  if (connected != VARIANT_TRUE) throw std::runtime_error("Connect answered False");
}

void vtable_connect(_VB_PluginLib* ide, std::int64_t calls) {
  for (std::int64_t i = 0; i < calls; ++i) {
    long handle = kPluginWindow;
    VARIANT_BOOL connected = VARIANT_FALSE;
    check(ide->Connect(&handle, &connected), "Connect");
    expect_connected(connected);
  }
}

void dispatch_connect(_VB_PluginLib* ide, DISPID id, VARIANT argument, std::int64_t calls) {
  for (std::int64_t i = 0; i < calls; ++i) {
    VARIANT argument_copy = argument;  // the callee may not change the caller's array
    DISPPARAMS params{&argument_copy, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    check(ide->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                      nullptr),
          "IDispatch::Invoke Connect");
    if (V_VT(&result) != VT_BOOL) throw std::runtime_error("Connect gave no Boolean");
    expect_connected(V_BOOL(&result));
  }
}

DISPID dispatch_id_of(_VB_PluginLib* ide, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  check(ide->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), "GetIDsOfNames");
  return id;
}

}  // namespace

void add_late_binding(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide) {
  DISPID connect = dispatch_id_of(ide, L"Connect");
  // Both live as long as the program: the benchmarks keep pointers to them.
  static long typed_handle = kPluginWindow;
  static VARIANT script_variable;
  V_VT(&script_variable) = VT_I2;
  V_I2(&script_variable) = static_cast<SHORT>(kPluginWindow);

  VARIANT typed;
  V_VT(&typed) = VT_BYREF | VT_I4;
  V_I4REF(&typed) = &typed_handle;
  VARIANT script;
  V_VT(&script) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&script) = &script_variable;

  runs.add({"vtable/Connect", [=](std::int64_t calls) { vtable_connect(ide, calls); }});
  runs.add({"dispatch/Connect",
            [=](std::int64_t calls) { dispatch_connect(ide, connect, typed, calls); }});
  runs.add({"script/Connect",
            [=](std::int64_t calls) { dispatch_connect(ide, connect, script, calls); }});
  rows.push_back({kDispatchIdRow, "dispatch/Connect", "vtable/Connect", kLateBoundTarget});
  rows.push_back({kScriptArgumentRow, "script/Connect", "vtable/Connect", kLateBoundTarget});
}

}  // namespace tavrosk::bench
