// IUnknown, IDispatch and ISupportErrorInfo of the objects, called with what makes each fail:
// bad pointers, malformed calls, arguments that cannot be coerced. Each failure is the status
// of the method's contract; the object still serves a good call afterwards.
#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

class DispatchFailures : public ComTest {};

DISPID id_of(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  return id;
}

void free_exception(EXCEPINFO& exception) {
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  exception = EXCEPINFO{};
}

// A method call with the arguments of `params`, its argument error written to `argument_error`.
HRESULT call(IDispatch* object, DISPID member, DISPPARAMS* params, UINT* argument_error = nullptr,
             VARIANT* result = nullptr) {
  EXCEPINFO exception{};
  HRESULT hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params,
                              result, &exception, argument_error);
  free_exception(exception);
  return hr;
}

TEST_F(DispatchFailures, QueryInterfaceAndTheTypeInfoRefuseBadPointersAndIndexes) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->QueryInterface(IID_IDispatch, nullptr), E_POINTER);
    void* object = &object;  // what a careless caller leaves there
    EXPECT_EQ(tools->QueryInterface(IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(tools->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.put())),
              S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__PlugInToolsLib), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__PageInfoLib), S_FALSE);

    EXPECT_EQ(tools->GetTypeInfoCount(nullptr), E_POINTER);
    EXPECT_EQ(tools->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    auto* info = reinterpret_cast<ITypeInfo*>(&object);
    EXPECT_EQ(tools->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
  });
}

TEST_F(DispatchFailures, GetIdsOfNamesRefusesMissingArraysAndUnknownNames) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"FileExists"),
                        const_cast<LPOLESTR>(L"NoSuchParameter")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(tools->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, ids),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(tools->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, ids), E_INVALIDARG);
    EXPECT_EQ(tools->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr), E_INVALIDARG);
    EXPECT_EQ(tools->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 0x60030004);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  });
}

TEST_F(DispatchFailures, InvokeRefusesMalformedCallsAndThenServesAGoodOne) {
  run_in_apartment([] {
    auto ide = create<IDispatch>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    DISPID connect = id_of(ide.get(), L"Connect");
    VARIANT arguments[3];
    for (VARIANT& argument : arguments) {
      V_VT(&argument) = VT_I4;
      V_I4(&argument) = kPluginWindow;
    }
    DISPID named[2] = {0, 1};
    EXCEPINFO exception{};
    DISPPARAMS one{arguments, nullptr, 1, 0};
    EXPECT_EQ(ide->Invoke(connect, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &one,
                          nullptr, &exception, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(call(ide.get(), 0x12345, &one), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(call(ide.get(), connect, nullptr), E_INVALIDARG);

    DISPPARAMS three{arguments, nullptr, 3, 0};
    EXPECT_EQ(call(ide.get(), connect, &three), DISP_E_BADPARAMCOUNT);
    // A count far beyond the arguments given: nothing is copied or allocated for it.
    DISPPARAMS countless{arguments, nullptr, 0xFFFFFFFFu, 0};
    EXPECT_EQ(call(ide.get(), connect, &countless), DISP_E_BADPARAMCOUNT);
    DISPPARAMS no_array{nullptr, nullptr, 1, 0};
    EXPECT_EQ(call(ide.get(), connect, &no_array), E_INVALIDARG);
    DISPPARAMS no_names{arguments, nullptr, 1, 1};
    EXPECT_EQ(call(ide.get(), connect, &no_names), E_INVALIDARG);
    DISPPARAMS more_named_than_given{arguments, named, 1, 2};
    EXPECT_EQ(call(ide.get(), connect, &more_named_than_given), E_INVALIDARG);

    Variant connected;
    EXPECT_EQ(call(ide.get(), connect, &one, nullptr, connected.get()), S_OK);
    EXPECT_EQ(V_BOOL(connected.get()), VARIANT_TRUE);
  });
}

TEST_F(DispatchFailures, AnArgumentThatCannotBeCoercedIsReportedAtItsPosition) {
  run_in_apartment([] {
    auto ide = create<IDispatch>(CLSID_VB_PluginLib);
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(ide && tools);
    UINT position = 99;

    // An object whose default value is no number (it has none), and a number too large.
    VARIANT object;
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = tools.get();
    DISPPARAMS by_object{&object, nullptr, 1, 0};
    EXPECT_EQ(call(ide.get(), id_of(ide.get(), L"Connect"), &by_object, &position),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    Variant huge;
    V_VT(huge.get()) = VT_R8;
    V_R8(huge.get()) = 1e20;
    VARIANT huge_variable = reference_to(huge);
    DISPPARAMS by_huge{&huge_variable, nullptr, 1, 0};
    EXPECT_EQ(call(ide.get(), id_of(ide.get(), L"Connect"), &by_huge), DISP_E_OVERFLOW);
    EXPECT_EQ(V_R8(huge.get()), 1e20);

    // SetPageVersion(name, 1, 2, 300, 4): the fourth argument is rgvarg[1] and no Byte.
    std::vector<Variant> version;
    version.push_back(Variant::of_text(L"main.bas"));
    for (short part : {short{1}, short{2}, short{300}, short{4}}) {
      version.push_back(Variant::of_i2(part));
    }
    std::vector<VARIANT> reversed;
    for (auto it = version.rbegin(); it != version.rend(); ++it) reversed.push_back(it->value());
    DISPPARAMS by_version{reversed.data(), nullptr, 5, 0};
    position = 99;
    EXPECT_EQ(call(ide.get(), id_of(ide.get(), L"SetPageVersion"), &by_version, &position),
              DISP_E_OVERFLOW);
    EXPECT_EQ(position, 1u);

    // Parse_GetLinesArray(text, lines) with lines of two dimensions, then with an element
    // that is no text; the text variable keeps its value.
    Variant text = Variant::of_text(L"a");
    SAFEARRAYBOUND square[2] = {{2, 0}, {2, 0}};
    Variant lines;
    V_VT(lines.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(lines.get()) = SafeArrayCreate(VT_VARIANT, 2, square);
    VARIANT parse_arguments[2] = {reference_to(lines), reference_to(text)};
    DISPPARAMS by_lines{parse_arguments, nullptr, 2, 0};
    DISPID parse = id_of(tools.get(), L"Parse_GetLinesArray");
    position = 99;
    EXPECT_EQ(call(tools.get(), parse, &by_lines, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    Variant odd_lines;
    SAFEARRAYBOUND one_element{1, 0};
    V_VT(odd_lines.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(odd_lines.get()) = SafeArrayCreate(VT_VARIANT, 1, &one_element);
    LONG first = 0;
    SafeArrayPutElement(V_ARRAY(odd_lines.get()), &first, &object);
    parse_arguments[0] = reference_to(odd_lines);
    EXPECT_EQ(call(tools.get(), parse, &by_lines), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text.text(), L"a");
  });
}

// A member that fails arrives as DISP_E_EXCEPTION with the run-time error, in the exception
// record when there is one and in the thread's error info either way: a typed reference that
// is null reaches the member through the type library, a relayed reply that is no Boolean
// fails with error 13 on the call straight through the vtable.
TEST_F(DispatchFailures, AFailedMemberIsAnExceptionWithOrWithoutAnExceptionRecord) {
  relay_->script_reply(u"True");
  relay_->script_reply(u"maybe");
  relay_->script_reply(u"maybe");
  auto plugin = create<_VB_PluginLib>(CLSID_VB_PluginLib);
  ASSERT_TRUE(plugin);
  IDispatch* ide = plugin.get();
  DISPID connect = id_of(ide, L"Connect");
  VARIANT null_handle;
  V_VT(&null_handle) = VT_BYREF | VT_I4;
  V_I4REF(&null_handle) = nullptr;
  DISPPARAMS by_null{&null_handle, nullptr, 1, 0};
  Variant result;
  EXCEPINFO exception{};
  EXPECT_EQ(ide->Invoke(connect, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &by_null,
                        result.get(), &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, run_time_error(5));
  EXPECT_EQ(std::wstring(exception.bstrSource ? exception.bstrSource : L""), L"Tavrosk");
  free_exception(exception);
  EXPECT_EQ(ide->Invoke(connect, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &by_null,
                        result.get(), nullptr, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(take_error_info().description, L"Invalid procedure call or argument");

  RelayRoad relayed(plugin.get());
  DISPID available = id_of(ide, L"IsProgrammerAvailable");
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(ide->Invoke(available, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                        result.get(), &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, run_time_error(13));
  free_exception(exception);
  EXPECT_EQ(ide->Invoke(available, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                        result.get(), nullptr, nullptr),
            DISP_E_EXCEPTION);
  ErrorInfo info = take_error_info();
  EXPECT_EQ(info.source, L"Tavrosk");
  EXPECT_EQ(info.description, L"Type mismatch");
}

}  // namespace
}  // namespace tavrosk::testing
