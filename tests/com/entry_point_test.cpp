// Every place where control enters Tavrosk.dll is noexcept, which this file checks as it
// builds (a function that loses it fails to build), and the guard that each runs its body
// through turns every failure into a status: E_OUTOFMEMORY or E_UNEXPECTED in the plumbing, the
// run-time error with its error info in a member. The guard is compiled into this program so
// that it can be made to fail in ways that no client can bring about (std::bad_alloc, a foreign
// exception); the *_failure_test.cpp cases drive failures through the DLL itself.
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "com/class_factory.h"
#include "com/com_client.h"
#include "com/exports.h"
#include "com/member_call.h"
#include "com/page_info_lib_object.h"
#include "com/plug_in_tools_lib_object.h"
#include "com/prog_info_lib_object.h"
#include "com/vb_plugin_lib_object.h"

namespace tavrosk::testing {
namespace {

using namespace tavrosk::com;

static_assert(noexcept(tavrosk_get_class_object(IID_NULL, IID_NULL, nullptr)));
static_assert(noexcept(tavrosk_can_unload_now()));
static_assert(noexcept(tavrosk_register_server()));
static_assert(noexcept(tavrosk_unregister_server()));
static_assert(noexcept(tavrosk_install(FALSE, nullptr)));
static_assert(noexcept(DllMain(nullptr, 0, nullptr)));

// An argument of any type: asks whether a call through a member pointer can throw without
// spelling out the member's parameters.
struct AnyArgument {
  template <class T>
  operator T() const noexcept;
};

template <class Object, auto Member, class... Arguments>
constexpr bool member_is_noexcept() {
  if constexpr (std::is_invocable_v<decltype(Member), Object&, Arguments...>) {
    return std::is_nothrow_invocable_v<decltype(Member), Object&, Arguments...>;
  } else {
    static_assert(sizeof...(Arguments) < 8, "no member takes this many parameters");
    return member_is_noexcept<Object, Member, Arguments..., AnyArgument>();
  }
}

template <class Object>
concept NoexceptUnknown = requires(Object& o) {
  { o.QueryInterface(IID_NULL, nullptr) }
  noexcept;
  { o.AddRef() }
  noexcept;
  { o.Release() }
  noexcept;
};

template <class Object>
concept NoexceptDispatch = NoexceptUnknown<Object> && requires(Object& o) {
  { o.GetTypeInfoCount(nullptr) }
  noexcept;
  { o.GetTypeInfo(0, 0, nullptr) }
  noexcept;
  { o.GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr) }
  noexcept;
  { o.Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr) }
  noexcept;
  { o.InterfaceSupportsErrorInfo(IID_NULL) }
  noexcept;
};

static_assert(NoexceptUnknown<ClassFactory> && requires(ClassFactory & factory) {
  { factory.CreateInstance(nullptr, IID_NULL, nullptr) }
  noexcept;
  { factory.LockServer(FALSE) }
  noexcept;
});

// A class's own members, each of which must be noexcept; `count` is checked against the type
// library below, so that a member added to the interface must be added here too.
template <class Object, auto... Members>
struct OwnMembers {
  static_assert(NoexceptDispatch<Object>);
  static_assert((member_is_noexcept<Object, Members>() && ...));
  static constexpr UINT count = sizeof...(Members);
};

using V = VbPluginLibObject;
using VbPluginLibMembers = OwnMembers<
    V, &V::Connect, &V::Disconnect, &V::IsConnected, &V::DebugApp, &V::GetPathIDE,
    &V::SetForegroundWindow, &V::IDELock, &V::IDEUnlock, &V::GetPathPlugin, &V::GetPathCompiler,
    &V::ExecuteCompile, &V::ExecuteCompileAsync, &V::GetProgrammer, &V::GetProgrammerByIndex,
    &V::GetProgrammerCount, &V::IsProgrammerAvailable, &V::SetProgrammer, &V::ExecuteProgram,
    &V::GetPage, &V::GetPageByIndex, &V::GetPageIncludeByIndex, &V::GetPageText, &V::GetPageTextRTF,
    &V::GetPageSelectedText, &V::SetPage, &V::GetPageCount, &V::GetPageIncludeCount, &V::SetPageNew,
    &V::SetPageClear, &V::SetPageInsertHeader, &V::SetPageUpdateText, &V::SetPageText,
    &V::SetPageTextAt, &V::SetPageSelectTextAt, &V::SetPageCursorPos, &V::GetPageCursorPos,
    &V::SetPageTopLine, &V::GetPageDisplayLines, &V::SetPageSave, &V::SetPageLoad,
    &V::SetPageVersion, &V::SetPageClose, &V::SetPageCloseAll, &V::SetPageVersionEnabled,
    &V::SetPageLineColor, &V::SetPageLineColorDelete, &V::SetPageLineColorClear>;

using P = PageInfoLibObject;
using PageInfoLibMembers =
    OwnMembers<P, &P::GetPageInfo, &P::DisplayName, &P::FileName, &P::FilenameMCI, &P::FilenameASM,
               &P::FilenameHEX, &P::Modified, &P::Device, &P::OSC, &P::VersionEnabled,
               &P::VersionMajor, &P::VersionMinor, &P::VersionRelease, &P::VersionBuild,
               &P::PageSize, &P::PageSizeRTF, &P::DeviceCore>;

using G = ProgInfoLibObject;
using ProgInfoLibMembers = OwnMembers<G, &G::GetProgrammerInfo, &G::Path, &G::FileName, &G::Params,
                                      &G::ParamsBound, &G::HookFilename>;

using T = PlugInToolsLibObject;
using PlugInToolsLibMembers =
    OwnMembers<T, &T::FormAlwaysOnTop, &T::RichTextBoxWordWrap, &T::Parse_GetLinesArray,
               &T::IsKorvexIdeRunning, &T::FileExists, &T::PathExists, &T::CreatePath>;

TEST(EntryPoints, EveryMemberOfEachInterfaceIsAmongTheNoexceptOnes) {
  ComPtr<ITypeLib> library;
  std::wstring dll = program_folder() + L"Tavrosk.dll";
  ASSERT_EQ(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, library.put()), S_OK);
  struct Listed {
    const IID* iid;
    UINT count;
  };
  for (Listed listed : {Listed{&IID__VB_PluginLib, VbPluginLibMembers::count},
                        Listed{&IID__PageInfoLib, PageInfoLibMembers::count},
                        Listed{&IID__ProgInfoLib, ProgInfoLibMembers::count},
                        Listed{&IID__PlugInToolsLib, PlugInToolsLibMembers::count}}) {
    ComPtr<ITypeInfo> dispatch_side;
    ASSERT_EQ(library->GetTypeInfoOfGuid(*listed.iid, dispatch_side.put()), S_OK);
    ComPtr<ITypeInfo> vtable = vtable_side(dispatch_side.get());
    ASSERT_TRUE(vtable);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->cFuncs, listed.count);
    vtable->ReleaseTypeAttr(attributes);
  }
}

HRESULT fails_with(auto failure) {
  return entry_point([&]() -> HRESULT {
    failure();
    return S_OK;
  });
}

TEST(EntryPoints, APlumbingFailureIsOutOfMemoryOrUnexpected) {
  EXPECT_EQ(fails_with([] { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(fails_with([] { raise(error::kOutOfMemory); }), E_OUTOFMEMORY);
  EXPECT_EQ(fails_with([] { raise(error::kTypeMismatch); }), E_UNEXPECTED);
  EXPECT_EQ(fails_with([] { throw std::length_error("too long"); }), E_UNEXPECTED);
  EXPECT_EQ(fails_with([] { throw 42; }), E_UNEXPECTED);
  EXPECT_EQ(entry_point([] { return S_FALSE; }), S_FALSE);
}

// A member's failure, whatever it was, is a run-time error with its error info, and its result
// slot keeps the zero value.
TEST(EntryPoints, AMemberFailureIsItsRunTimeErrorWithErrorInfo) {
  struct Case {
    void (*failure)();
    int number;
    const wchar_t* description;
  };
  const Case cases[] = {
      {[] { throw std::bad_alloc(); }, 7, L"Out of memory"},
      {[] { raise(error::kTypeMismatch); }, 13, L"Type mismatch"},
      {[] { throw std::length_error("too long"); }, 51, L"Internal error"},
      {[] { throw 42; }, 51, L"Internal error"},
  };
  for (const Case& c : cases) {
    BSTR text = nullptr;
    EXPECT_EQ(deliver(&text,
                      [&]() -> Result<Text> {
                        c.failure();
                        return {u"never", Status{}};
                      }),
              run_time_error(c.number));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(take_error_info().description, c.description);

    long number = 5;
    EXPECT_EQ(deliver(&number,
                      [&]() -> Result<Long> {
                        c.failure();
                        return {1, Status{}};
                      }),
              run_time_error(c.number));
    EXPECT_EQ(number, 0);

    VARIANT empty;
    V_VT(&empty) = VT_I4;
    EXPECT_EQ(deliver(&empty,
                      [&]() -> Status {
                        c.failure();
                        return Status{};
                      }),
              run_time_error(c.number));
    EXPECT_EQ(V_VT(&empty), VT_EMPTY);

    EXPECT_EQ(deliver([&]() -> Status {
                c.failure();
                return Status{};
              }),
              run_time_error(c.number));
    ErrorInfo info = take_error_info();
    EXPECT_EQ(info.source, L"Tavrosk");
    EXPECT_EQ(info.description, c.description);
  }
}

}  // namespace
}  // namespace tavrosk::testing
