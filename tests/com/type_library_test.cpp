// The interfaces as clients compiled against them see them: every member's dispatch id through
// GetIDsOfNames, and the type library's slot order and parameter names.
#include <vector>

#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

struct Member {
  const wchar_t* name;
  DISPID id;
  std::vector<const wchar_t*> parameters;  // without the [out, retval]
};

const std::vector<Member> kVbPluginLib = {
    {L"Connect", 0x60030003, {L"WinHandle"}},
    {L"Disconnect", 0x60030004, {}},
    {L"IsConnected", 0x60030005, {}},
    {L"GetPathIDE", 0x60030006, {}},
    {L"SetForegroundWindow", 0x60030007, {}},
    {L"IDELock", 0x60030008, {}},
    {L"IDEUnlock", 0x60030009, {}},
    {L"GetPathPlugin", 0x6003000A, {}},
    {L"GetPathCompiler", 0x6003000B, {}},
    {L"ExecuteCompile", 0x6003000C, {}},
    {L"ExecuteCompileAsync", 0x6003000D, {}},
    {L"GetProgrammer", 0x6003000E, {}},
    {L"GetProgrammerByIndex", 0x6003000F, {L"index", L"ReturnedName"}},
    {L"GetProgrammerCount", 0x60030010, {}},
    {L"IsProgrammerAvailable", 0x60030011, {}},
    {L"SetProgrammer", 0x60030012, {L"sName"}},
    {L"ExecuteProgram", 0x60030013, {}},
    {L"GetPage", 0x60030014, {}},
    {L"GetPageByIndex", 0x60030015, {L"lIndex", L"sReturnedPage"}},
    {L"GetPageIncludeByIndex", 0x60030016, {L"sFileName", L"lIndex", L"sReturnedInclude"}},
    {L"GetPageText", 0x60030017, {L"BufferLenght"}},
    {L"GetPageTextRTF", 0x60030018, {L"BufferLenght"}},
    {L"GetPageSelectedText", 0x60030019, {}},
    {L"SetPage", 0x6003001A, {L"sFileName"}},
    {L"GetPageCount", 0x6003001B, {}},
    {L"GetPageIncludeCount", 0x6003001C, {L"sFileName"}},
    {L"SetPageNew", 0x6003001D, {L"sFileName"}},
    {L"SetPageClear", 0x6003001E, {}},
    {L"SetPageInsertHeader", 0x6003001F, {}},
    {L"SetPageUpdateText", 0x60030020, {L"sText", L"bSaveUpDate"}},
    {L"SetPageText", 0x60030021, {L"sText"}},
    {L"SetPageTextAt", 0x60030022, {L"lLine", L"lColumn", L"sText"}},
    {L"SetPageSelectTextAt", 0x60030023, {L"lSelStart", L"lSelLenght"}},
    {L"SetPageCursorPos", 0x60030024, {L"lColumn", L"lLine"}},
    {L"GetPageCursorPos", 0x60030025, {L"lLine", L"lColumn"}},
    {L"SetPageTopLine", 0x60030026, {L"lLineNumber"}},
    {L"GetPageDisplayLines", 0x60030027, {L"lTopline", L"lLinesInWindow"}},
    {L"SetPageSave", 0x60030028, {L"sFileName"}},
    {L"SetPageLoad", 0x60030029, {L"sFileName"}},
    {L"SetPageVersion",
     0x6003002A,
     {L"sFileName", L"ByMajor", L"ByMinor", L"ByRelease", L"ByBuild"}},
    {L"SetPageClose", 0x6003002B, {L"sFileName"}},
    {L"SetPageCloseAll", 0x6003002C, {L"sNewPageName"}},
    {L"SetPageVersionEnabled", 0x6003002D, {L"sFileName", L"bValue"}},
    {L"SetPageLineColor", 0x6003002E, {L"lLineNumber", L"lBackGrdColour", L"lForeGrdColour"}},
    {L"SetPageLineColorDelete", 0x6003002F, {L"lLineNumber"}},
    {L"SetPageLineColorClear", 0x60030030, {}},
    {L"DebugApp", 0x60030033, {L"WinHandle", L"DebugMode"}},
};

const std::vector<Member> kPageInfoLib = {
    {L"GetPageInfo", 0x60030000, {L"sFileName"}},
    {L"DisplayName", 0x60030001, {}},
    {L"FileName", 0x60030002, {}},
    {L"FilenameMCI", 0x60030003, {}},
    {L"FilenameASM", 0x60030004, {}},
    {L"FilenameHEX", 0x60030005, {}},
    {L"Modified", 0x60030006, {}},
    {L"Device", 0x60030007, {}},
    {L"OSC", 0x60030008, {}},
    {L"VersionEnabled", 0x60030009, {}},
    {L"VersionMajor", 0x6003000A, {}},
    {L"VersionMinor", 0x6003000B, {}},
    {L"VersionRelease", 0x6003000C, {}},
    {L"VersionBuild", 0x6003000D, {}},
    {L"PageSize", 0x6003000E, {}},
    {L"PageSizeRTF", 0x6003000F, {}},
    {L"DeviceCore", 0x60030010, {}},
};

const std::vector<Member> kProgInfoLib = {
    {L"GetProgrammerInfo", 0x60030000, {L"sProgName"}},
    {L"Path", 0x60030001, {}},
    {L"FileName", 0x60030002, {}},
    {L"Params", 0x60030003, {}},
    {L"ParamsBound", 0x60030004, {}},
    {L"HookFilename", 0x60030005, {}},
};

const std::vector<Member> kPlugInToolsLib = {
    {L"FormAlwaysOnTop", 0x60030000, {L"hWndOrForm", L"OnTop"}},
    {L"RichTextBoxWordWrap", 0x60030001, {L"ctlRichText", L"bState"}},
    {L"Parse_GetLinesArray", 0x60030002, {L"sPageText", L"sYourArray"}},
    {L"IsKorvexIdeRunning", 0x60030003, {}},
    {L"FileExists", 0x60030004, {L"FullPathFileName"}},
    {L"PathExists", 0x60030005, {L"Path"}},
    {L"CreatePath", 0x60030006, {L"Path"}},
};

struct ClassCase {
  const char* label;
  const CLSID* clsid;
  const std::vector<Member>* members;
};

// With the IDE window present, creating a VB_PluginLib shows no box.
class Interfaces : public WindowsTest, public ::testing::WithParamInterface<ClassCase> {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    ide_window_ = std::make_unique<host::Win32IdeWindow>();
  }
  void TearDown() override {
    ide_window_.reset();
    WindowsTest::TearDown();
  }
  std::unique_ptr<host::Win32IdeWindow> ide_window_;
};

std::string narrow_name(const wchar_t* name) {
  return std::string(name, name + wcslen(name));
}

TEST_P(Interfaces, GetIdsOfNamesGivesEveryMembersDispatchIdInAnyLetterCase) {
  const ClassCase& c = GetParam();
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    for (const Member& member : *c.members) {
      std::wstring upper(member.name);
      for (wchar_t& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
      for (const std::wstring& spelling : {std::wstring(member.name), upper}) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(spelling.c_str())};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK)
            << narrow_name(member.name);
        EXPECT_EQ(id, member.id) << narrow_name(member.name);
      }
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
  });
}

TEST_P(Interfaces, TheVtableSlotsFollowTheMemberOrderWithTheirParameterNames) {
  const ClassCase& c = GetParam();
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> dispatch_side;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatch_side.put()), S_OK);
    HREFTYPE vtable_reference = 0;
    ASSERT_EQ(dispatch_side->GetRefTypeOfImplType(-1, &vtable_reference), S_OK);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(dispatch_side->GetRefTypeInfo(vtable_reference, vtable.put()), S_OK);

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_NE(attributes->wTypeFlags & TYPEFLAG_FDUAL, 0);
    EXPECT_EQ(attributes->cFuncs, c.members->size());
    vtable->ReleaseTypeAttr(attributes);

    for (UINT i = 0; i < c.members->size(); ++i) {
      const Member& member = (*c.members)[i];
      FUNCDESC* function = nullptr;
      ASSERT_EQ(vtable->GetFuncDesc(i, &function), S_OK);
      // Slots after IUnknown's three and IDispatch's four, four bytes each.
      EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)))
          << narrow_name(member.name);
      EXPECT_EQ(function->memid, member.id) << narrow_name(member.name);
      EXPECT_EQ(function->invkind, INVOKE_FUNC);
      BSTR names[8] = {};
      UINT count = 0;
      ASSERT_EQ(vtable->GetNames(function->memid, names, 8, &count), S_OK);
      EXPECT_EQ(std::wstring(names[0]), member.name);
      std::vector<std::wstring> parameters;
      for (UINT n = 1; n < count; ++n) parameters.emplace_back(names[n]);
      for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
      SHORT without_result = function->cParams;
      if (without_result > 0 &&
          (function->lprgelemdescParam[without_result - 1].paramdesc.wParamFlags &
           PARAMFLAG_FRETVAL) != 0) {
        --without_result;
      }
      parameters.resize(static_cast<size_t>(without_result));
      ASSERT_EQ(parameters.size(), member.parameters.size()) << narrow_name(member.name);
      for (size_t n = 0; n < parameters.size(); ++n) {
        EXPECT_EQ(parameters[n], member.parameters[n]) << narrow_name(member.name);
      }
      vtable->ReleaseFuncDesc(function);
    }
  });
}

// What VB's Object Browser and IntelliSense show: a line on the library, the class, its
// interface and every member.
TEST_P(Interfaces, TheLibraryTheClassItsInterfaceAndEveryMemberHaveADocString) {
  const ClassCase& c = GetParam();
  auto doc_string = [](ITypeInfo* info, MEMBERID member) {
    Bstr doc;
    EXPECT_EQ(info->GetDocumentation(member, nullptr, doc.put(), nullptr, nullptr), S_OK);
    return doc.text();
  };
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> interface_info;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, interface_info.put()), S_OK);
    EXPECT_FALSE(doc_string(interface_info.get(), MEMBERID_NIL).empty());
    for (const Member& member : *c.members) {
      EXPECT_FALSE(doc_string(interface_info.get(), member.id).empty()) << narrow_name(member.name);
    }

    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(interface_info->GetContainingTypeLib(library.put(), &index), S_OK);
    Bstr library_doc;
    ASSERT_EQ(library->GetDocumentation(-1, nullptr, library_doc.put(), nullptr, nullptr), S_OK);
    EXPECT_FALSE(library_doc.text().empty());
    ComPtr<ITypeInfo> class_info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(*c.clsid, class_info.put()), S_OK);
    EXPECT_FALSE(doc_string(class_info.get(), MEMBERID_NIL).empty());
  });
}

INSTANTIATE_TEST_SUITE_P(
    AllClasses, Interfaces,
    ::testing::Values(ClassCase{"VB_PluginLib", &CLSID_VB_PluginLib, &kVbPluginLib},
                      ClassCase{"PageInfoLib", &CLSID_PageInfoLib, &kPageInfoLib},
                      ClassCase{"ProgInfoLib", &CLSID_ProgInfoLib, &kProgInfoLib},
                      ClassCase{"PlugInToolsLib", &CLSID_PlugInToolsLib, &kPlugInToolsLib}),
    [](const ::testing::TestParamInfo<ClassCase>& c) { return std::string(c.param.label); });

}  // namespace
}  // namespace tavrosk::testing
