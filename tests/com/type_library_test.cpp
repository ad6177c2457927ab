// The interfaces as clients compiled against them see them, checked against what tavrosk.idl
// declares: every member's dispatch id through GetIDsOfNames, and the type library's slot
// order and parameter names.
#include <vector>

#include "com/com_client.h"
#include "com/idl_members.h"

namespace tavrosk::testing {
namespace {

struct ClassCase {
  const char* label;
  const CLSID* clsid;
  const char* interface_name;  // as the IDL declares it
};

// The members that the IDL declares for the class's interface, in slot order.
const std::vector<IdlMember>& members_of(const ClassCase& c) {
  const std::vector<IdlMember>& members = idl_members(c.interface_name);
  EXPECT_FALSE(members.empty()) << "tavrosk.idl declares no members for " << c.interface_name;
  return members;
}

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

std::string narrow_name(const std::wstring& name) {
  return std::string(name.begin(), name.end());
}

TEST_P(Interfaces, GetIdsOfNamesGivesEveryMembersDispatchIdInAnyLetterCase) {
  const ClassCase& c = GetParam();
  const std::vector<IdlMember>& members = members_of(c);
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    for (const IdlMember& member : members) {
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
  const std::vector<IdlMember>& members = members_of(c);
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
    EXPECT_EQ(attributes->cFuncs, members.size());
    vtable->ReleaseTypeAttr(attributes);

    for (UINT i = 0; i < members.size(); ++i) {
      const IdlMember& member = members[i];
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
  const std::vector<IdlMember>& members = members_of(c);
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
    for (const IdlMember& member : members) {
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
    ::testing::Values(ClassCase{"VB_PluginLib", &CLSID_VB_PluginLib, "_VB_PluginLib"},
                      ClassCase{"PageInfoLib", &CLSID_PageInfoLib, "_PageInfoLib"},
                      ClassCase{"ProgInfoLib", &CLSID_ProgInfoLib, "_ProgInfoLib"},
                      ClassCase{"PlugInToolsLib", &CLSID_PlugInToolsLib, "_PlugInToolsLib"}),
    [](const ::testing::TestParamInfo<ClassCase>& c) { return std::string(c.param.label); });

}  // namespace
}  // namespace tavrosk::testing
