// Early-bound clients: the interfaces' vtables with the widl header, on both roads, with the
// statuses, error info, result slots and out-parameters that a failure leaves behind.
#include <cstring>

#include "com/com_client.h"
#include "model/ide_model.h"

namespace tavrosk::testing {
namespace {

class VtableClient : public ComTest {};

TEST_F(VtableClient, DirectRoadFillsOutParametersAndResults) {
  run_in_apartment([] {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    long window = kPluginWindow;
    VARIANT_BOOL connected = VARIANT_FALSE;
    EXPECT_EQ(ide->Connect(&window, &connected), S_OK);
    EXPECT_EQ(connected, VARIANT_TRUE);
    long count = 0;
    EXPECT_EQ(ide->GetPageCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    long index = 1;
    Bstr name(L"before");
    VARIANT_BOOL found = VARIANT_FALSE;
    EXPECT_EQ(ide->GetPageByIndex(&index, name.put(), &found), S_OK);
    EXPECT_EQ(found, VARIANT_TRUE);
    EXPECT_EQ(name.text(), L"C:\\Projects\\Blink\\util.bas");
    // A vtable caller may leave the optional buffer length out.
    Bstr text;
    EXPECT_EQ(ide->GetPageText(nullptr, text.put()), S_OK);
    EXPECT_EQ(text.text(), L"Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n");
  });
}

// A by-reference Long reaches the export as the client's own variable, not as a copy written
// back afterwards: one variable passed twice ends with what the export wrote to it last.
TEST_F(VtableClient, ByReferenceLongsAreTheClientsOwnVariables) {
  for (bool line_last : {false, true}) {
    host::ide_model().set_export_hook(
        "GetPageCursorPos", [line_last](const std::vector<std::intptr_t>& arguments) {
          auto* column = reinterpret_cast<std::int32_t*>(arguments.at(0));
          auto* line = reinterpret_cast<std::int32_t*>(arguments.at(1));
          if (line_last) {
            *column = 7;
            *line = 9;
          } else {
            *line = 9;
            *column = 7;
          }
          return 1;
        });
    run_in_apartment([line_last] {
      auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
      ASSERT_TRUE(ide);
      long x = 0;
      EXPECT_EQ(ide->GetPageCursorPos(&x, &x), S_OK);
      EXPECT_EQ(x, line_last ? 9 : 7) << (line_last ? "line written last" : "column written last");
    });
  }
  host::ide_model().clear_export_hook("GetPageCursorPos");
}

// A member that only reads its by-reference text keeps the client's string whatever the export
// does to the copy that it is handed.
TEST_F(VtableClient, AnExportChangingItsCopyLeavesTheClientsTextAlone) {
  host::ide_model().set_export_hook("SetPageSave", [](const std::vector<std::intptr_t>& arguments) {
    std::memset(reinterpret_cast<char*>(arguments.at(0)), 'X', 4);
    return 1;
  });
  run_in_apartment([] {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    BSTR name = SysAllocString(L"main.bas");
    VARIANT_BOOL saved = VARIANT_FALSE;
    EXPECT_EQ(ide->SetPageSave(&name, &saved), S_OK);
    EXPECT_EQ(saved, VARIANT_TRUE);
    EXPECT_EQ(std::wstring(name, SysStringLen(name)), L"main.bas");
    SysFreeString(name);
  });
  host::ide_model().clear_export_hook("SetPageSave");
}

TEST_F(VtableClient, AFailureIsTheRunTimeStatusWithErrorInfoAndAZeroResult) {
  relay_->script_reply(u"True");   // DebugApp
  relay_->script_reply(u"maybe");  // ExecuteCompile
  relay_->script_reply(u"300");    // VersionMajor
  {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    RelayRoad relayed(ide.get());
    VARIANT_BOOL compiled = VARIANT_TRUE;
    EXPECT_EQ(ide->ExecuteCompile(&compiled), run_time_error(13));
    EXPECT_EQ(compiled, VARIANT_FALSE);
    ErrorInfo info = take_error_info();
    EXPECT_EQ(info.source, L"Tavrosk");
    EXPECT_EQ(info.description, L"Type mismatch");

    auto page = create<_PageInfoLib>(CLSID_PageInfoLib);
    unsigned char major = 7;
    EXPECT_EQ(page->VersionMajor(&major), run_time_error(6));
    EXPECT_EQ(major, 0);
    EXPECT_EQ(take_error_info().description, L"Overflow");

    ComPtr<ISupportErrorInfo> supports;
    ASSERT_EQ(ide->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(supports.put())),
              S_OK);
    EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID__VB_PluginLib), S_OK);
  }
}

TEST_F(VtableClient, OutParametersWrittenBeforeAFailureStayWritten) {
  relay_->script_reply(u"True");
  relay_->script_reply(u"maybe//::^xFlashLink");
  {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    RelayRoad relayed(ide.get());
    long index = 0;
    Bstr name(L"before");
    VARIANT_BOOL found = VARIANT_TRUE;
    EXPECT_EQ(ide->GetProgrammerByIndex(&index, name.put(), &found), run_time_error(13));
    EXPECT_EQ(name.text(), L"FlashLink");
    EXPECT_EQ(found, VARIANT_FALSE);
  }
}

TEST_F(VtableClient, SuccessClearsTheErrorInfoOfAnEarlierFailure) {
  relay_->script_reply(u"True");
  relay_->script_reply(u"maybe");
  relay_->script_reply(u"True");
  {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    ASSERT_TRUE(ide);
    RelayRoad relayed(ide.get());
    VARIANT_BOOL answer = VARIANT_FALSE;
    EXPECT_EQ(ide->IsConnected(&answer), run_time_error(13));
    EXPECT_EQ(ide->IsConnected(&answer), S_OK);
    IErrorInfo* stale = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &stale), S_FALSE);
    if (stale) stale->Release();
  }
}

SAFEARRAY* text_array(std::initializer_list<const wchar_t*> texts) {
  SAFEARRAYBOUND bounds{static_cast<ULONG>(texts.size()), 0};
  SAFEARRAY* array = SafeArrayCreate(VT_BSTR, 1, &bounds);
  LONG index = 0;
  for (const wchar_t* text : texts) {
    BSTR element = SysAllocString(text);
    SafeArrayPutElement(array, &index, element);
    SysFreeString(element);
    ++index;
  }
  return array;
}

std::vector<std::wstring> texts_of(SAFEARRAY* array) {
  std::vector<std::wstring> texts;
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  EXPECT_EQ(lower, 0);
  for (LONG i = lower; i <= upper; ++i) {
    BSTR element = nullptr;
    SafeArrayGetElement(array, &i, &element);
    texts.emplace_back(element ? element : L"");
    SysFreeString(element);
  }
  return texts;
}

TEST_F(VtableClient, LinesReplaceATypedArrayUnlessItIsFixedOrLocked) {
  run_in_apartment([] {
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    Bstr text;
    SAFEARRAY* lines = text_array({L"old", L"older", L"oldest"});
    BSTR* text_variable = text.put();
    *text_variable = SysAllocString(L"a\r\nb");
    ASSERT_EQ(tools->Parse_GetLinesArray(text_variable, &lines), S_OK);
    EXPECT_EQ(texts_of(lines), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(text.text(), L"a\r\nb\r\n");
    SafeArrayDestroy(lines);

    SAFEARRAY* fixed = text_array({L"kept"});
    fixed->fFeatures |= FADF_FIXEDSIZE;
    SAFEARRAY* locked = text_array({L"kept"});
    SafeArrayLock(locked);
    for (SAFEARRAY* unreplaceable : {fixed, locked}) {
      SAFEARRAY* variable = unreplaceable;
      *text.put() = SysAllocString(L"x");
      EXPECT_EQ(tools->Parse_GetLinesArray(text_variable, &variable), run_time_error(10));
      EXPECT_EQ(variable, unreplaceable);
      EXPECT_EQ(texts_of(variable), std::vector<std::wstring>{L"kept"});
      EXPECT_EQ(take_error_info().description, L"This array is fixed or temporarily locked");
      EXPECT_EQ(text.text(), L"x\r\n");  // the text was changed before the failure
    }
    SafeArrayUnlock(locked);
    SafeArrayDestroy(locked);
    fixed->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
    SafeArrayDestroy(fixed);
  });
}

TEST_F(VtableClient, CreatePathGivesAnEmptyVariantAndItsFailureAsStatus) {
  run_in_apartment([] {
    auto tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib);
    ASSERT_TRUE(tools);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"tavrosk_vtable_" + std::to_wstring(GetTickCount());
    Bstr path((root + L"\\a\\b").c_str());
    Variant result = Variant::of_i4(5);
    EXPECT_EQ(tools->CreatePath(path.get(), result.get()), S_OK);
    EXPECT_EQ(result.type(), VT_EMPTY);
    VARIANT_BOOL exists = VARIANT_FALSE;
    EXPECT_EQ(tools->PathExists(path.get(), &exists), S_OK);
    EXPECT_EQ(exists, VARIANT_TRUE);

    // Below a file no folder can be made.
    Bstr file_path((root + L"\\a\\file.txt").c_str());
    HANDLE file = CreateFileW(file_path.get(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    CloseHandle(file);
    Bstr below_file((root + L"\\a\\file.txt\\c").c_str());
    Variant failed = Variant::of_i4(5);
    HRESULT hr = tools->CreatePath(below_file.get(), failed.get());
    EXPECT_TRUE(hr == run_time_error(75) || hr == run_time_error(76)) << std::hex << hr;
    EXPECT_EQ(failed.type(), VT_EMPTY);
    EXPECT_EQ(take_error_info().source, L"Tavrosk");
    DeleteFileW(file_path.get());
    RemoveDirectoryW((root + L"\\a\\b").c_str());
    RemoveDirectoryW((root + L"\\a").c_str());
    RemoveDirectoryW(root.c_str());
  });
}

}  // namespace
}  // namespace tavrosk::testing
