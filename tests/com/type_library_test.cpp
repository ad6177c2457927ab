// The interfaces as clients compiled against them see them. The built type library of each
// width (this build's Tavrosk.dll, and in the 32-bit build also the 64-bit one it ships) must
// show exactly the frozen surface of src/com/com_surface.txt: ids, slots, parameter types,
// directions, defaults and names. The live objects answer GetIDsOfNames with that file's ids, and
// every item has the doc string that VB's Object Browser shows.
#include <vector>

#include "com/com_client.h"
#include "com/type_library_surface.h"

namespace tavrosk::testing {
namespace {

std::string narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// The shipped libraries: this build's, and the other width's where this build ships it too.
std::vector<std::wstring> built_libraries() {
  std::vector<std::wstring> libraries = {program_folder() + L"Tavrosk.dll"};
#ifdef TAVROSK_OTHER_WIDTH_LIBRARY
  const char* other = TAVROSK_OTHER_WIDTH_LIBRARY;
  libraries.push_back(L"Z:" + std::wstring(other, other + strlen(other)));
#endif
  return libraries;
}

// The first line where the two differ, with its neighbours, as a reader of the failure needs it.
std::string first_difference(const std::vector<std::string>& frozen,
                             const std::vector<std::string>& built) {
  size_t line = 0;
  while (line < frozen.size() && line < built.size() && frozen[line] == built[line]) ++line;
  auto at = [](const std::vector<std::string>& lines, size_t n) {
    return n < lines.size() ? lines[n] : std::string("(none)");
  };
  return "first difference at entry " + std::to_string(line + 1) + " of the surface:\n  after:  " +
         (line > 0 ? at(frozen, line - 1) : std::string("(start)")) +
         "\n  frozen: " + at(frozen, line) + "\n  built:  " + at(built, line);
}

TEST(TypeLibrary, EachWidthsBuiltLibraryShowsTheFrozenSurface) {
  // The ProgIDs are the registration's: this width's.
  ASSERT_EQ(run_program(L"regsvr32 /s \"" + program_folder() + L"Tavrosk.dll\"").exit_code, 0u);
  std::vector<std::string> frozen = committed_surface();
  EXPECT_GT(frozen.size(), 80u) << "src/com/com_surface.txt is missing or short";
  run_in_apartment([&] {
    for (const std::wstring& path : built_libraries()) {
      SCOPED_TRACE(narrow(path));
      ComPtr<ITypeLib> library;
      ASSERT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()), S_OK);
      std::vector<std::string> problems;
      std::vector<std::string> built = surface_of(library.get(), &problems);
      EXPECT_TRUE(problems.empty()) << problems.front();
      if (built != frozen) {
        std::string all;
        for (const std::string& line : built) all += line + "\n";
        ADD_FAILURE() << "The type library differs from src/com/com_surface.txt, which compiled "
                         "clients depend on (docs/development.md, \"The frozen COM surface\"); "
                      << first_difference(frozen, built) << "\nThe built surface:\n"
                      << all;
      }
    }
  });
}

struct ClassCase {
  const char* label;
  const CLSID* clsid;
  const char* interface_name;
};

// With the IDE window present, creating a VB_PluginLib shows no box.
class Interfaces : public WindowsTest, public ::testing::WithParamInterface<ClassCase> {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    ide_window_ = std::make_unique<host::Win32IdeWindow>();
    members_ = committed_members(GetParam().interface_name);
    ASSERT_FALSE(members_.empty()) << "no members of " << GetParam().interface_name;
  }
  void TearDown() override {
    ide_window_.reset();
    WindowsTest::TearDown();
  }
  std::unique_ptr<host::Win32IdeWindow> ide_window_;
  std::vector<SurfaceMember> members_;
};

TEST_P(Interfaces, GetIdsOfNamesGivesEveryMembersFrozenDispatchIdInAnyLetterCase) {
  run_in_apartment([&] {
    auto object = create<IDispatch>(*GetParam().clsid);
    ASSERT_TRUE(object);
    for (const SurfaceMember& member : members_) {
      std::wstring upper(member.name);
      for (wchar_t& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
      for (const std::wstring& spelling : {member.name, upper}) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(spelling.c_str())};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK)
            << narrow(spelling);
        EXPECT_EQ(id, member.id) << narrow(spelling);
      }
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
  });
}

// What VB's Object Browser and IntelliSense show: a line on the library, the class, its
// interface and every member.
TEST_P(Interfaces, TheLibraryTheClassItsInterfaceAndEveryMemberHaveADocString) {
  auto doc_string = [](ITypeInfo* info, MEMBERID member) {
    Bstr doc;
    EXPECT_EQ(info->GetDocumentation(member, nullptr, doc.put(), nullptr, nullptr), S_OK);
    return doc.text();
  };
  run_in_apartment([&] {
    auto object = create<IDispatch>(*GetParam().clsid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> interface_info;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, interface_info.put()), S_OK);
    EXPECT_FALSE(doc_string(interface_info.get(), MEMBERID_NIL).empty());
    for (const SurfaceMember& member : members_) {
      EXPECT_FALSE(doc_string(interface_info.get(), member.id).empty()) << narrow(member.name);
    }
    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(interface_info->GetContainingTypeLib(library.put(), &index), S_OK);
    Bstr library_doc;
    ASSERT_EQ(library->GetDocumentation(-1, nullptr, library_doc.put(), nullptr, nullptr), S_OK);
    EXPECT_FALSE(library_doc.text().empty());
    ComPtr<ITypeInfo> class_info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(*GetParam().clsid, class_info.put()), S_OK);
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
