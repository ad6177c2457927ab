// Late-bound clients through IDispatch, passing arguments the way a script does: variables as
// VT_BYREF|VT_VARIANT, literals as whatever type they have, arrays as arrays of VARIANT.
#include "com/com_client.h"
#include "model/ide_model.h"

namespace tavrosk::testing {
namespace {

class DispatchClient : public ComTest {};

SAFEARRAY* variant_array(std::initializer_list<const wchar_t*> texts) {
  SAFEARRAYBOUND bounds{static_cast<ULONG>(texts.size()), 0};
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bounds);
  LONG index = 0;
  for (const wchar_t* text : texts) {
    Variant element = Variant::of_text(text);
    SafeArrayPutElement(array, &index, element.get());
    ++index;
  }
  return array;
}

// An array variable's elements as texts; each must be a VARIANT holding a BSTR.
std::vector<std::wstring> script_array_texts(const Variant& variable) {
  std::vector<std::wstring> texts;
  EXPECT_EQ(variable.type(), VT_ARRAY | VT_VARIANT);
  if (variable.type() != (VT_ARRAY | VT_VARIANT)) return texts;
  SAFEARRAY* array = V_ARRAY(&variable.value());
  LONG lower = -1;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  EXPECT_EQ(lower, 0);
  for (LONG i = lower; i <= upper; ++i) {
    Variant element;
    SafeArrayGetElement(array, &i, element.get());
    EXPECT_EQ(element.type(), VT_BSTR);
    texts.push_back(element.text());
  }
  return texts;
}

TEST_F(DispatchClient, AVariableOfAnotherTypeIsCoercedForATypedReference) {
  run_in_apartment([] {
    auto ide = create<IDispatch>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    Variant handle = Variant::of_i2(77);
    Variant connected;
    EXPECT_EQ(invoke_by_name(ide.get(), L"Connect", {reference_to(handle)}, connected.get()), S_OK);
    EXPECT_EQ(connected.type(), VT_BOOL);
    EXPECT_EQ(V_BOOL(connected.get()), VARIANT_TRUE);
    EXPECT_EQ(host::ide_model().locked([](host::IdeState& s) { return s.connected_window; }), 77);
    // Connect only reads its handle: the variable keeps its type and value.
    EXPECT_EQ(handle.type(), VT_I2);
    EXPECT_EQ(V_I2(handle.get()), 77);

    // A text that reads as no number does not convert.
    Variant word = Variant::of_text(L"abc");
    EXPECT_EQ(invoke_by_name(ide.get(), L"Connect", {reference_to(word)}, connected.get()),
              DISP_E_TYPEMISMATCH);
  });
}

TEST_F(DispatchClient, OutParametersReachTheCallersVariable) {
  run_in_apartment([] {
    auto ide = create<IDispatch>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    Variant name;  // an Empty variable, as a fresh script variable is
    Variant found;
    EXPECT_EQ(invoke_by_name(ide.get(), L"GetPageByIndex",
                             {Variant::of_i2(0).value(), reference_to(name)}, found.get()),
              S_OK);
    EXPECT_EQ(V_BOOL(found.get()), VARIANT_TRUE);
    EXPECT_EQ(name.type(), VT_BSTR);
    EXPECT_EQ(name.text(), L"C:\\Projects\\Blink\\main.bas");

    // Literals for the values SetPageCursorPos only reads; variables of other types for the
    // ones GetPageCursorPos writes, which then hold the written Longs.
    EXPECT_EQ(invoke_by_name(ide.get(), L"SetPageCursorPos",
                             {Variant::of_i2(5).value(), Variant::of_i2(1).value()}, nullptr),
              S_OK);
    Variant line = Variant::of_i2(0);
    Variant column = Variant::of_text(L"0");
    EXPECT_EQ(invoke_by_name(ide.get(), L"GetPageCursorPos",
                             {reference_to(line), reference_to(column)}, nullptr),
              S_OK);
    EXPECT_EQ(line.type(), VT_I4);
    EXPECT_EQ(V_I4(line.get()), 1);
    EXPECT_EQ(column.type(), VT_I4);
    EXPECT_EQ(V_I4(column.get()), 5);
  });
}

TEST_F(DispatchClient, AFailureIsAnExceptionWithTheOutValuesAlreadyWritten) {
  relay_->script_reply(u"True");
  relay_->script_reply(u"maybe//::^xFlashLink");
  {
    auto plugin = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(plugin);
    RelayRoad relayed(plugin.get());
    IDispatch* ide = plugin.get();
    Variant name = Variant::of_text(L"before");
    Variant found;
    EXCEPINFO exception{};
    EXPECT_EQ(
        invoke_by_name(ide, L"GetProgrammerByIndex",
                       {Variant::of_i2(0).value(), reference_to(name)}, found.get(), &exception),
        DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, run_time_error(13));
    EXPECT_EQ(std::wstring(exception.bstrSource ? exception.bstrSource : L""), L"Tavrosk");
    EXPECT_EQ(std::wstring(exception.bstrDescription ? exception.bstrDescription : L""),
              L"Type mismatch");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(name.text(), L"FlashLink");
  }
}

TEST_F(DispatchClient, AnOmittedOptionalArgumentTakesItsDefault) {
  run_in_apartment([] {
    auto ide = create<IDispatch>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    Variant connected;
    EXPECT_EQ(invoke_by_name(ide.get(), L"Connect", {Variant::of_i4(kPluginWindow).value()},
                             connected.get()),
              S_OK);
    Variant text;
    EXPECT_EQ(invoke_by_name(ide.get(), L"GetPageText", {}, text.get()), S_OK);
    EXPECT_EQ(text.text(), L"Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n");
  });
}

TEST_F(DispatchClient, LinesReplaceAScriptArrayWithVariantsHoldingText) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    Variant text = Variant::of_text(L"a\r\nb\rc\r\n");
    Variant lines;
    V_VT(lines.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(lines.get()) = variant_array({L"x", L"y", L"z", L"w", L"v"});
    EXPECT_EQ(invoke_by_name(tools.get(), L"Parse_GetLinesArray",
                             {reference_to(text), reference_to(lines)}, nullptr),
              S_OK);
    EXPECT_EQ(script_array_texts(lines), (std::vector<std::wstring>{L"a", L"b\rc", L""}));
    EXPECT_EQ(text.text(), L"a\r\nb\rc\r\n\r\n");

    // An Empty variable becomes an array too.
    Variant fresh;
    Variant one_line = Variant::of_text(L"abc");
    EXPECT_EQ(invoke_by_name(tools.get(), L"Parse_GetLinesArray",
                             {reference_to(one_line), reference_to(fresh)}, nullptr),
              S_OK);
    EXPECT_EQ(script_array_texts(fresh), std::vector<std::wstring>{L"abc"});
  });
}

TEST_F(DispatchClient, ALockedScriptArrayFailsWithError10AndKeepsItsElements) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    Variant text = Variant::of_text(L"a");
    Variant lines;
    V_VT(lines.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(lines.get()) = variant_array({L"kept"});
    SafeArrayLock(V_ARRAY(lines.get()));
    EXCEPINFO exception{};
    EXPECT_EQ(invoke_by_name(tools.get(), L"Parse_GetLinesArray",
                             {reference_to(text), reference_to(lines)}, nullptr, &exception),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, run_time_error(10));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    SafeArrayUnlock(V_ARRAY(lines.get()));
    EXPECT_EQ(script_array_texts(lines), std::vector<std::wstring>{L"kept"});
    EXPECT_EQ(text.text(), L"a\r\n");
  });
}

TEST_F(DispatchClient, ByValueTextsAcceptVariablesAndLiteralsOfAnyType) {
  run_in_apartment([] {
    auto tools = create<IDispatch>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    Variant folder = Variant::of_text(windows);
    Variant exists;
    EXPECT_EQ(invoke_by_name(tools.get(), L"PathExists", {reference_to(folder)}, exists.get()),
              S_OK);
    EXPECT_EQ(V_BOOL(exists.get()), VARIANT_TRUE);
    EXPECT_EQ(folder.text(), windows);
    // The number 0 converts to the text "0", a folder that does not exist.
    EXPECT_EQ(invoke_by_name(tools.get(), L"PathExists", {Variant::of_i2(0).value()}, exists.get()),
              S_OK);
    EXPECT_EQ(V_BOOL(exists.get()), VARIANT_FALSE);
  });
}

}  // namespace
}  // namespace tavrosk::testing
