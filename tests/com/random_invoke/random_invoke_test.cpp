// IDispatch::Invoke of the four classes under random input: every dispatch id of their type
// information (IUnknown's and IDispatch's among them) and ids that name nothing, with random
// DISPPARAMS (too few and too many arguments, every VARTYPE alone, by reference and as an
// array, references to nothing, named arguments right and wrong, every wFlags combination).
// No call may crash; every status must be one that a late-bound client can be given, with the
// exception filled where it is DISP_E_EXCEPTION; the result holds nothing on failure; the
// by-value arguments stay as they were; no object reference is kept or dropped; no error info
// is left behind; no box comes up; and the process does not grow.
//
//   TAVROSK_RANDOM_INVOKE_SEED   the seed (34 unless set); printed by every run
//   TAVROSK_RANDOM_INVOKE_CALLS  the number of calls (100000 unless set)
//
// The program runs from a folder of its own without Zavoplex.dll, so that the direct road fails
// at once and no IDE model grows, in a fresh current folder that receives the folders it
// creates. The IDE window and the relay window are windows of this thread (the relay window
// answers with one of a few replies), so no call waits on another process and no box comes up.
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "com/random_invoke/random_variants.h"
#include "soak/growth_table.h"
#include "support/temp_folder.h"
#include "support/win32/program_run.h"
#include "tavrosk.h"

namespace tavrosk::testing {
namespace {

constexpr int kSamples = 9;
constexpr double kGrowthBound = 0.01;

std::uint32_t setting(const char* name, std::uint32_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0'
             ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 0))
             : fallback;
}

struct Member {
  std::size_t object;
  DISPID id;
  SHORT parameters;
  std::string name;
};

// The call in progress, for the report of a crash.
struct CallInProgress {
  std::uint32_t seed = 0;
  std::uint64_t number = 0;
  const Member* member = nullptr;
  WORD flags = 0;
  const DISPPARAMS* params = nullptr;
} g_call;

LONG WINAPI report_crash(EXCEPTION_POINTERS* crash) {
  std::fprintf(stderr, "CRASH 0x%08lx in call %llu of seed %u: %s (id 0x%08lx), flags 0x%x",
               crash->ExceptionRecord->ExceptionCode,
               static_cast<unsigned long long>(g_call.number), g_call.seed,
               g_call.member ? g_call.member->name.c_str() : "?",
               g_call.member ? static_cast<unsigned long>(g_call.member->id) : 0ul, g_call.flags);
  if (const DISPPARAMS* params = g_call.params) {
    std::fprintf(stderr, ", %u arguments (%u named):", params->cArgs, params->cNamedArgs);
    for (UINT i = 0; params->rgvarg != nullptr && i < params->cArgs && i < 16; ++i) {
      const VARIANT& argument = params->rgvarg[i];
      std::fprintf(stderr, " 0x%x%s", V_VT(&argument),
                   V_ISBYREF(&argument) && V_BYREF(&argument) == nullptr ? "(null)" : "");
    }
  }
  std::fprintf(stderr, "\n");
  std::fflush(stderr);
  return EXCEPTION_CONTINUE_SEARCH;
}

HWND top_level_window(const wchar_t* title) {
  return CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr,
                         nullptr);
}

std::vector<Member> members_of(const std::vector<IDispatch*>& objects) {
  std::vector<Member> members;
  for (std::size_t object = 0; object < objects.size(); ++object) {
    ITypeInfo* info = nullptr;
    if (FAILED(objects[object]->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info))) continue;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    for (UINT index = 0; index < attributes->cFuncs; ++index) {
      FUNCDESC* description = nullptr;
      info->GetFuncDesc(index, &description);
      BSTR name = nullptr;
      info->GetDocumentation(description->memid, &name, nullptr, nullptr, nullptr);
      members.push_back({object, description->memid, description->cParams,
                         std::string(name, name + SysStringLen(name))});
      SysFreeString(name);
      info->ReleaseFuncDesc(description);
    }
    // Ids that name nothing: beside the members, before and after them, and the special ones.
    const DISPID nothing[] = {0x60030000 + static_cast<DISPID>(attributes->cFuncs),
                              0x6003FFFF,
                              0x60020000,
                              0,
                              DISPID_UNKNOWN,
                              DISPID_PROPERTYPUT,
                              DISPID_NEWENUM,
                              0x12345};
    for (DISPID id : nothing) {
      members.push_back({object, id, 2, "(no member)"});
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
  }
  return members;
}

bool is_failure_of_dispatch(HRESULT hr) {
  return HRESULT_FACILITY(hr) == FACILITY_DISPATCH && HRESULT_CODE(hr) >= 1 &&
         HRESULT_CODE(hr) <= 0x13;
}

bool is_run_time_error(HRESULT hr) {
  return HRESULT_FACILITY(hr) == FACILITY_CONTROL && (hr & 0x80000000) != 0 &&
         HRESULT_CODE(hr) != 0;
}

bool same_bytes(const VARIANT& a, const VARIANT& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A failed call's result: nothing, or its type's zero value.
bool holds_nothing(const VARIANT& result) {
  switch (V_VT(&result)) {
    case VT_EMPTY:
      return true;
    case VT_BOOL:
      return V_BOOL(&result) == VARIANT_FALSE;
    case VT_I4:
      return V_I4(&result) == 0;
    case VT_UI1:
      return V_UI1(&result) == 0;
    case VT_BSTR:
      return SysStringLen(V_BSTR(&result)) == 0;
    default:
      return false;
  }
}

class RandomInvoke : public TempFolderTest {};

TEST_F(RandomInvoke, EveryCallEndsInAStatusALateBoundClientCanBeGiven) {
  std::uint32_t seed = setting("TAVROSK_RANDOM_INVOKE_SEED", 34);
  std::uint64_t calls = setting("TAVROSK_RANDOM_INVOKE_CALLS", 100000);
  std::printf("random Invoke: seed %u, %llu calls\n", seed, static_cast<unsigned long long>(calls));
  std::fflush(stdout);
  g_call.seed = seed;
  SetUnhandledExceptionFilter(report_crash);
  make_current();
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));

  HWND ide_window = top_level_window(L"Korvex IDE");
  HWND relay_window = top_level_window(L"Debug VB Application");
  HWND reply_window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, relay_window,
                                      nullptr, nullptr, nullptr);
  HWND form_window = top_level_window(L"random form");
  ASSERT_TRUE(ide_window && relay_window && reply_window && form_window);

  HMODULE library = LoadLibraryW((program_folder() + L"..\\Tavrosk.dll").c_str());
  ASSERT_NE(library, nullptr);
  auto get_class_object = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  ASSERT_NE(get_class_object, nullptr);
  std::vector<IDispatch*> objects;
  for (const CLSID* clsid :
       {&CLSID_VB_PluginLib, &CLSID_PageInfoLib, &CLSID_ProgInfoLib, &CLSID_PlugInToolsLib}) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(get_class_object(*clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    IDispatch* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)),
              S_OK);
    factory->Release();
    objects.push_back(object);
  }
  std::vector<Member> members = members_of(objects);
  ASSERT_GT(members.size(), 60u);
  // Every object's references as the test holds them: AddRef and Release tell the count.
  auto references_of = [](IUnknown* object) {
    object->AddRef();
    return object->Release();
  };
  std::vector<ULONG> references;
  for (IDispatch* object : objects) references.push_back(references_of(object));

  std::mt19937 random(seed);
  RandomForm form;
  RandomArguments arguments(random, form, {objects.begin(), objects.end()});
  static const wchar_t* const kReplies[] = {L"", L"-1", L"0", L"12", L"a//::^xb", L"True"};
  static const HRESULT kFailures[] = {DISP_E_TYPEMISMATCH,
                                      DISP_E_PARAMNOTOPTIONAL,
                                      DISP_E_MEMBERNOTFOUND,
                                      DISP_E_OVERFLOW,
                                      E_FAIL,
                                      E_OUTOFMEMORY,
                                      E_ACCESSDENIED,
                                      static_cast<HRESULT>(0x800A01A8),
                                      static_cast<HRESULT>(0x800A0005)};

  auto start = std::chrono::steady_clock::now();
  auto seconds_since = [](auto then) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - then).count();
  };
  std::vector<soak::Sample> samples;
  std::uint64_t warm_up = calls / 10;
  std::uint64_t sample_every = std::max<std::uint64_t>(1, (calls - warm_up) / (kSamples - 1));
  std::vector<std::string> faults;
  std::uint64_t succeeded = 0;
  std::uint64_t failed_in_member = 0;
  std::map<std::string, std::uint64_t> fault_counts;
  // The call's outline, for a fault's report: flags, arguments' types, named ids.
  auto outline = [](WORD flags, const DISPPARAMS* params) {
    std::string text = "flags " + std::to_string(flags);
    if (params == nullptr) return text + ", no DISPPARAMS";
    text += ", arguments";
    for (UINT i = 0; params->rgvarg != nullptr && i < params->cArgs; ++i) {
      const VARIANT& argument = params->rgvarg[i];
      char type[16];
      std::snprintf(type, sizeof type, " 0x%x%s", V_VT(&argument),
                    V_ISBYREF(&argument) && V_BYREF(&argument) == nullptr ? "(null)" : "");
      text += type;
    }
    text += ", named";
    for (UINT i = 0; params->rgdispidNamedArgs != nullptr && i < params->cNamedArgs; ++i) {
      text += " " + std::to_string(params->rgdispidNamedArgs[i]);
    }
    return text;
  };
  std::string call_outline;
  auto fault = [&](std::uint64_t call, const Member& member, const std::string& what) {
    if (++fault_counts[what] <= 3) {
      faults.push_back("call " + std::to_string(call) + " " + member.name + ": " + what + " (" +
                       call_outline + ")");
    }
  };

  for (std::uint64_t call = 0; call < calls; ++call) {
    if (call % 16 == 0) SetWindowTextW(reply_window, kReplies[random() % std::size(kReplies)]);
    if (call >= warm_up && (call - warm_up) % sample_every == 0) {
      samples.push_back(
          {static_cast<std::int64_t>(call), 0, seconds_since(start), sample_process()});
    }
    const Member& member = members[random() % members.size()];
    IDispatch* object = objects[member.object];

    // The form's hwnd for this call.
    VARIANT hwnd;
    VariantInit(&hwnd);
    V_VT(&hwnd) = VT_I4;
    V_I4(&hwnd) = HandleToLong(form_window);
    if (random() % 4 == 0) {
      static const VARTYPE kOtherAnswers[] = {VT_I8, VT_BSTR, VT_EMPTY, VT_R8, VT_DISPATCH};
      V_VT(&hwnd) = kOtherAnswers[random() % 5];
      if (V_VT(&hwnd) == VT_R8) V_R8(&hwnd) = 1e20;
      if (V_VT(&hwnd) == VT_I8) V_I8(&hwnd) = random() % 2 ? HandleToLong(form_window) : 1LL << 40;
      if (V_VT(&hwnd) == VT_BSTR) V_BSTR(&hwnd) = nullptr;
      if (V_VT(&hwnd) == VT_DISPATCH) V_DISPATCH(&hwnd) = nullptr;
    }
    HRESULT form_failure = kFailures[random() % std::size(kFailures)];
    form.answer(
        static_cast<RandomForm::Mode>(random() % static_cast<int>(RandomForm::Mode::kCount)), hwnd,
        form_failure);

    // The arguments: mostly about as many as the member has, sometimes far more.
    UINT count = random() % 8 == 0
                     ? random() % 12
                     : static_cast<UINT>(
                           std::max(0, member.parameters - 1 + static_cast<int>(random() % 3) - 1));
    bool plausible = random() % 2 == 0;
    std::vector<VARIANT> given;
    for (UINT i = 0; i < count; ++i)
      given.push_back(arguments.make(plausible && random() % 8 != 0));
    std::vector<VARIANT> as_given = given;
    std::vector<DISPID> named;
    UINT named_count = count == 0 || random() % 5 != 0 ? 0 : 1 + random() % count;
    for (UINT i = 0; i < named_count; ++i) {
      static const DISPID kWrongNames[] = {DISPID_PROPERTYPUT, -7, 99, 0x60030000};
      named.push_back(random() % 3 == 0 ? kWrongNames[random() % 4]
                                        : static_cast<DISPID>(random() % (member.parameters + 1)));
    }
    DISPPARAMS params{given.data(), named.data(), count, named_count};
    // Now and then a call whose counts promise arrays that are not there.
    bool malformed = random() % 64 == 0;
    DISPPARAMS* passed = &params;
    if (malformed) {
      switch (random() % 3) {
        case 0:
          passed = nullptr;
          break;
        case 1:
          params.rgvarg = nullptr;
          params.cArgs = 1 + random() % 3;
          break;
        default:
          params.rgdispidNamedArgs = nullptr;
          params.cNamedArgs = 1 + random() % 2;
          params.cArgs = std::max(params.cArgs, params.cNamedArgs);
      }
    }
    static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_METHOD | DISPATCH_PROPERTYGET};
    WORD flags = random() % 3 == 0   ? kFlags[random() % 2]
                 : random() % 8 == 0 ? static_cast<WORD>(random())
                                     : static_cast<WORD>(random() % 16);

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argument_error = 0xBAD;
    bool wants_result = random() % 4 != 0;
    bool wants_exception = random() % 4 != 0;
    call_outline = outline(flags, passed);
    g_call = {seed, call, &member, flags, passed};
    HRESULT hr = object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, flags, passed,
                                wants_result ? &result : nullptr,
                                wants_exception ? &exception : nullptr, &argument_error);
    g_call.params = nullptr;

    char status[16];
    std::snprintf(status, sizeof status, "0x%08lx", static_cast<unsigned long>(hr));
    if (hr == S_OK) {
      ++succeeded;
    } else if (hr == DISP_E_EXCEPTION) {
      ++failed_in_member;
      if (wants_exception) {
        bool passed_on = exception.scode == form_failure;  // the form's own failure, as such
        if (!is_run_time_error(exception.scode) && !passed_on) {
          fault(call, member, "exception status " + std::to_string(exception.scode));
        }
        if (exception.bstrDescription == nullptr || SysStringLen(exception.bstrDescription) == 0 ||
            exception.bstrSource == nullptr || std::wstring(exception.bstrSource) != L"Tavrosk" ||
            exception.wCode != 0 || exception.pfnDeferredFillIn != nullptr) {
          fault(call, member, "exception not filled");
        }
        IErrorInfo* left = nullptr;
        if (GetErrorInfo(0, &left) == S_OK) {
          left->Release();
          fault(call, member, "error info left behind");
        }
      }
    } else if (!is_failure_of_dispatch(hr) && !(hr == E_INVALIDARG && malformed)) {
      fault(call, member, std::string("status ") + status);
    }
    if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && passed != nullptr &&
        argument_error >= passed->cArgs) {
      fault(call, member,
            std::string("argument error ") + std::to_string(argument_error) +
                " outside the arguments, status " + status);
    }
    if (FAILED(hr) && !holds_nothing(result)) {
      fault(call, member, std::string("a failed call's result holds something, status ") + status);
    }
    for (std::size_t i = 0; i < given.size(); ++i) {
      if (!same_bytes(given[i], as_given[i])) fault(call, member, "a by-value argument changed");
    }
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    arguments.release();
    SetErrorInfo(0, nullptr);
    if (form.references() != 1) {
      fault(call, member, "the form's references are " + std::to_string(form.references()));
      while (form.references() > 1) form.Release();
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
      if (references_of(objects[i]) != references[i]) {
        fault(call, member, "an object's references changed");
        references[i] = references_of(objects[i]);
      }
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  samples.push_back({static_cast<std::int64_t>(calls), 0, seconds_since(start), sample_process()});

  std::printf("%llu succeeded, %llu failed in the member, %llu refused by the dispatch\n",
              static_cast<unsigned long long>(succeeded),
              static_cast<unsigned long long>(failed_in_member),
              static_cast<unsigned long long>(calls - succeeded - failed_in_member));
  for (const std::string& found : faults) ADD_FAILURE() << found << " (seed " << seed << ")";
  for (const auto& [what, count] : fault_counts)
    std::printf("%8llu times: %s\n", static_cast<unsigned long long>(count), what.c_str());
  EXPECT_TRUE(box_texts().empty());
  // A leak grows with the calls, so the second half of the run shows it as well as the whole;
  // under 32-bit Wine the process grows once by 2 MB some seconds after its start, at whichever
  // call comes then, which the first half takes.
  EXPECT_TRUE(
      soak::print_growth_table({samples.begin() + kSamples / 2, samples.end()}, kGrowthBound));
  for (IDispatch* object : objects) object->Release();
  for (HWND window : {form_window, relay_window, ide_window}) DestroyWindow(window);
  CoUninitialize();
}

}  // namespace
}  // namespace tavrosk::testing
