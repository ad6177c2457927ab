// A late-bound call whose arguments already have their parameters' types goes straight
// through the vtable. Each call here runs once through the type library's Invoke and once
// straight, from the same fresh IDE, and must leave the same status, result, exception,
// arguments, error info and export calls; calls that do not fit are declined untouched.
#include <deque>
#include <optional>
#include <sstream>

#include "com/com_client.h"
#include "com/late_bound_call.h"
#include "model/ide_model.h"

namespace tavrosk::testing {
namespace {

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

std::wstring describe(const VARIANT& value) {
  VARTYPE type = V_VT(&value);
  bool by_reference = (type & VT_BYREF) != 0;
  std::wstring text = L"vt " + std::to_wstring(type) + L": ";
  switch (type & ~VT_BYREF) {
    case VT_EMPTY:
      return text;
    case VT_I4:
      return text + std::to_wstring(by_reference ? *V_I4REF(&value) : V_I4(&value));
    case VT_I2:
      return text + std::to_wstring(by_reference ? *V_I2REF(&value) : V_I2(&value));
    case VT_BOOL:
      return text + std::to_wstring(by_reference ? *V_BOOLREF(&value) : V_BOOL(&value));
    case VT_UI1:
      return text + std::to_wstring(by_reference ? *V_UI1REF(&value) : V_UI1(&value));
    case VT_BSTR: {
      BSTR bstr = by_reference ? *V_BSTRREF(&value) : V_BSTR(&value);
      return text + (bstr ? L"\"" + std::wstring(bstr, SysStringLen(bstr)) + L"\"" : L"null");
    }
    case VT_VARIANT:
      return text + L"-> " + describe(*V_VARIANTREF(&value));
    default:
      return text + L"?";
  }
}

// The arguments of one call in their natural order, and the variables their references reach.
class Arguments {
 public:
  Arguments() = default;
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    for (VARIANT& variable : variables_) VariantClear(&variable);
  }

  Arguments& long_ref(long value) {
    VARIANT& variable = variable_of(VT_I4);
    V_I4(&variable) = value;
    return reference(VT_I4, &V_I4(&variable));
  }
  Arguments& bool_ref(VARIANT_BOOL value) {
    VARIANT& variable = variable_of(VT_BOOL);
    V_BOOL(&variable) = value;
    return reference(VT_BOOL, &V_BOOL(&variable));
  }
  Arguments& byte_ref(unsigned char value) {
    VARIANT& variable = variable_of(VT_UI1);
    V_UI1(&variable) = value;
    return reference(VT_UI1, &V_UI1(&variable));
  }
  Arguments& text_ref(const wchar_t* value) {
    VARIANT& variable = variable_of(VT_BSTR);
    V_BSTR(&variable) = SysAllocString(value);
    return reference(VT_BSTR, &V_BSTR(&variable));
  }
  Arguments& text(const wchar_t* value) {
    VARIANT& variable = variable_of(VT_BSTR);
    V_BSTR(&variable) = SysAllocString(value);
    natural_.push_back(variable);  // shares the text, which the variable frees
    return *this;
  }
  Arguments& short_value(short value) {
    VARIANT argument;
    V_VT(&argument) = VT_I2;
    V_I2(&argument) = value;
    natural_.push_back(argument);
    return *this;
  }
  // A script's variable holding an Integer.
  Arguments& variant_ref(short value) {
    VARIANT& variable = variable_of(VT_I2);
    V_I2(&variable) = value;
    VARIANT argument;
    V_VT(&argument) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&argument) = &variable;
    natural_.push_back(argument);
    return *this;
  }

  // The arguments as Invoke takes them: last first.
  DISPPARAMS params() {
    reversed_.assign(natural_.rbegin(), natural_.rend());
    return DISPPARAMS{reversed_.empty() ? nullptr : reversed_.data(), nullptr,
                      static_cast<UINT>(reversed_.size()), 0};
  }

  std::vector<std::wstring> described() const {
    std::vector<std::wstring> texts;
    for (const VARIANT& argument : natural_) texts.push_back(describe(argument));
    return texts;
  }

 private:
  VARIANT& variable_of(VARTYPE type) {
    VARIANT& variable = variables_.emplace_back();
    VariantInit(&variable);
    V_VT(&variable) = type;
    return variable;
  }
  Arguments& reference(VARTYPE type, void* target) {
    VARIANT argument;
    V_VT(&argument) = static_cast<VARTYPE>(VT_BYREF | type);
    V_BYREF(&argument) = target;
    natural_.push_back(argument);
    return *this;
  }

  std::deque<VARIANT> variables_;  // a deque keeps their addresses
  std::vector<VARIANT> natural_;
  std::vector<VARIANT> reversed_;
};

struct Call {
  const wchar_t* what;
  REFCLSID clsid;
  REFIID interface_id;
  const wchar_t* member;
  void (*arguments)(Arguments&);
  WORD flags = kMethod;
  bool fits = true;
};

// Everything a call leaves that a client or the IDE can see.
struct Outcome {
  HRESULT status = E_UNEXPECTED;
  std::wstring result;
  std::wstring exception;
  std::vector<std::wstring> arguments;
  bool error_info_left = false;
  std::vector<std::string> export_calls;

  bool operator==(const Outcome&) const = default;
};

std::wostream& operator<<(std::wostream& out, const Outcome& outcome) {
  out << std::hex << outcome.status << L" result {" << outcome.result << L"} exception {"
      << outcome.exception << L"}";
  for (const std::wstring& argument : outcome.arguments) out << L" [" << argument << L"]";
  return out;
}

void PrintTo(const Outcome& outcome, std::ostream* out) {
  std::wostringstream text;
  text << outcome;
  for (wchar_t c : text.str()) *out << (c < 128 ? static_cast<char>(c) : '?');
  for (const std::string& call : outcome.export_calls) *out << " " << call;
}

std::wstring describe(const EXCEPINFO& exception) {
  auto text = [](BSTR value) { return value ? std::wstring(value) : std::wstring(L"null"); };
  return std::to_wstring(exception.scode) + L" " + std::to_wstring(exception.wCode) + L" " +
         text(exception.bstrSource) + L" / " + text(exception.bstrDescription) + L" / " +
         text(exception.bstrHelpFile) + L" " + std::to_wstring(exception.dwHelpContext);
}

// The vtable side of the interface, from the type library inside Tavrosk.dll.
ComPtr<ITypeInfo> vtable_info_of(REFIID interface_id) {
  ComPtr<ITypeLib> library;
  EXPECT_EQ(LoadTypeLibEx((program_folder() + L"Tavrosk.dll").c_str(), REGKIND_NONE, library.put()),
            S_OK);
  ComPtr<ITypeInfo> dispatch_side;
  ComPtr<ITypeInfo> vtable_side;
  if (!library) return vtable_side;
  EXPECT_EQ(library->GetTypeInfoOfGuid(interface_id, dispatch_side.put()), S_OK);
  HREFTYPE vtable_reference = 0;
  EXPECT_EQ(dispatch_side->GetRefTypeOfImplType(-1, &vtable_reference), S_OK);
  EXPECT_EQ(dispatch_side->GetRefTypeInfo(vtable_reference, vtable_side.put()), S_OK);
  return vtable_side;
}

enum class Path { kTypeLibrary, kVtable };

// Runs the call on a fresh IDE, connected, on the direct road of a new apartment. Nothing for
// a direct call that was declined.
std::optional<Outcome> run(const Call& call, Path path) {
  std::optional<Outcome> outcome;
  host::ide_model().reset();
  run_in_apartment([&] {
    ComPtr<IUnknown> object;
    ASSERT_EQ(CoCreateInstance(call.clsid, nullptr, CLSCTX_INPROC_SERVER, call.interface_id,
                               reinterpret_cast<void**>(object.put())),
              S_OK);
    if (IsEqualIID(call.interface_id, IID__VB_PluginLib)) {
      long window = kPluginWindow;
      VARIANT_BOOL connected = VARIANT_FALSE;
      reinterpret_cast<_VB_PluginLib*>(object.get())->Connect(&window, &connected);
    }
    ComPtr<ITypeInfo> info = vtable_info_of(call.interface_id);
    ASSERT_TRUE(info);
    MEMBERID member = MEMBERID_NIL;
    LPOLESTR name = const_cast<LPOLESTR>(call.member);
    ASSERT_EQ(info->GetIDsOfNames(&name, 1, &member), S_OK);
    ComPtr<ITypeInfo2> info2;
    ASSERT_EQ(info->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(info2.put())), S_OK);
    UINT index = 0;
    ASSERT_EQ(info2->GetFuncIndexOfMemId(member, INVOKE_FUNC, &index), S_OK);
    FUNCDESC* description = nullptr;
    ASSERT_EQ(info->GetFuncDesc(index, &description), S_OK);

    Arguments arguments;
    call.arguments(arguments);
    std::vector<std::wstring> before = arguments.described();
    DISPPARAMS params = arguments.params();
    Variant result = Variant::of_i4(-777);  // a slot the call should overwrite or keep alike
    EXCEPINFO exception{};
    UINT argument_error = 0;
    SetErrorInfo(0, nullptr);
    std::size_t calls_before = host::ide_model().export_calls().size();

    Outcome seen;
    if (path == Path::kTypeLibrary) {
      seen.status = info->Invoke(object.get(), member, call.flags, &params, result.get(),
                                 &exception, &argument_error);
    } else {
      if (!com::fits_vtable_call(description, call.flags, &params)) {
        // Declined: nothing may have happened.
        EXPECT_EQ(arguments.described(), before);
        EXPECT_EQ(describe(result.value()), L"vt 3: -777");
        EXPECT_EQ(host::ide_model().export_calls().size(), calls_before);
        info->ReleaseFuncDesc(description);
        return;
      }
      seen.status =
          com::call_through_vtable(*description, object.get(), params, result.get(), &exception);
    }
    info->ReleaseFuncDesc(description);
    seen.result = describe(result.value());
    seen.exception = describe(exception);
    seen.arguments = arguments.described();
    ComPtr<IErrorInfo> left;
    seen.error_info_left = GetErrorInfo(0, left.put()) == S_OK;
    std::vector<std::string> calls = host::ide_model().export_calls();
    seen.export_calls.assign(calls.begin() + static_cast<std::ptrdiff_t>(calls_before),
                             calls.end());
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    outcome = seen;
  });
  return outcome;
}

class VtableCall : public ComTest, public ::testing::WithParamInterface<Call> {};

TEST_P(VtableCall, LeavesWhatTheTypeLibrarysInvokeLeaves) {
  const Call& call = GetParam();
  std::optional<Outcome> through_type_library = run(call, Path::kTypeLibrary);
  ASSERT_TRUE(through_type_library);
  std::optional<Outcome> direct = run(call, Path::kVtable);
  if (!call.fits) {
    EXPECT_FALSE(direct) << "a call that does not fit went straight through";
    return;
  }
  ASSERT_TRUE(direct) << "a call that fits was declined";
  EXPECT_EQ(*direct, *through_type_library);
}

const Call kCalls[] = {
    {L"long result, no arguments", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageCount",
     [](Arguments&) {}},
    {L"Boolean result, property-get flag too", CLSID_VB_PluginLib, IID__VB_PluginLib,
     L"IsConnected", [](Arguments&) {}, kMethodOrGet},
    {L"long reference", CLSID_VB_PluginLib, IID__VB_PluginLib, L"Connect",
     [](Arguments& a) { a.long_ref(77); }},
    {L"text written through its reference", CLSID_VB_PluginLib, IID__VB_PluginLib,
     L"GetPageByIndex", [](Arguments& a) { a.long_ref(1).text_ref(L"before"); }},
    {L"index out of range", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageByIndex",
     [](Arguments& a) { a.long_ref(9).text_ref(L"kept"); }},
    {L"text result", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageText",
     [](Arguments& a) { a.long_ref(100); }},
    {L"run-time error with error info", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageText",
     [](Arguments& a) { a.long_ref(-1); }},
    {L"no result, two long references written", CLSID_VB_PluginLib, IID__VB_PluginLib,
     L"GetPageCursorPos", [](Arguments& a) { a.long_ref(5).long_ref(6); }},
    {L"no result, no arguments", CLSID_VB_PluginLib, IID__VB_PluginLib, L"SetPageLineColorClear",
     [](Arguments&) {}},
    {L"text and Boolean references", CLSID_VB_PluginLib, IID__VB_PluginLib, L"SetPageUpdateText",
     [](Arguments& a) { a.text_ref(L"Dim x\r\n").bool_ref(VARIANT_TRUE); }},
    {L"byte references, name written back", CLSID_VB_PluginLib, IID__VB_PluginLib,
     L"SetPageVersion",
     [](Arguments& a) {
       a.text_ref(L"C:\\Projects\\Blink\\main.bas")
           .byte_ref(1)
           .byte_ref(2)
           .byte_ref(3)
           .byte_ref(255);
     }},
    {L"text result of an empty store", CLSID_PageInfoLib, IID__PageInfoLib, L"DisplayName",
     [](Arguments&) {}},
    {L"record fetched by name", CLSID_ProgInfoLib, IID__ProgInfoLib, L"GetProgrammerInfo",
     [](Arguments& a) { a.text_ref(L"No such programmer"); }},
    {L"byte result", CLSID_PageInfoLib, IID__PageInfoLib, L"VersionMajor", [](Arguments&) {}},
    {L"text by value", CLSID_PlugInToolsLib, IID__PlugInToolsLib, L"FileExists",
     [](Arguments& a) { a.text(L"C:\\windows\\win.ini"); }},
    // Declined: the type library's coercion and defaults decide these.
    {L"an Integer for a long reference", CLSID_VB_PluginLib, IID__VB_PluginLib, L"Connect",
     [](Arguments& a) { a.short_value(77); }, kMethod, false},
    {L"a script variable", CLSID_VB_PluginLib, IID__VB_PluginLib, L"Connect",
     [](Arguments& a) { a.variant_ref(77); }, kMethod, false},
    {L"an optional argument left out", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageText",
     [](Arguments&) {}, kMethod, false},
    {L"too many arguments", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageCount",
     [](Arguments& a) { a.long_ref(1); }, kMethod, false},
    {L"a property get", CLSID_VB_PluginLib, IID__VB_PluginLib, L"GetPageCount", [](Arguments&) {},
     DISPATCH_PROPERTYGET, false},
    {L"a Variant result", CLSID_PlugInToolsLib, IID__PlugInToolsLib, L"CreatePath",
     [](Arguments& a) { a.text(L"C:\\tavrosk_direct_invoke"); }, kMethod, false},
};

INSTANTIATE_TEST_SUITE_P(Calls, VtableCall, ::testing::ValuesIn(kCalls),
                         [](const ::testing::TestParamInfo<Call>& param_info) {
                           std::string name;
                           for (const wchar_t* c = param_info.param.member; *c; ++c) {
                             name += static_cast<char>(*c);
                           }
                           return name + "_" + std::to_string(param_info.index);
                         });

}  // namespace
}  // namespace tavrosk::testing
