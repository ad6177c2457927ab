// Every member of the four classes, found in the type library (so that a member added later is
// called too), called with a null pointer in place of each of its pointer parameters in turn,
// the others valid: through its vtable slot as a compiled client calls it, and through
// IDispatch::Invoke with a typed reference that is null. Each call must fail with error 5 and
// its error info before the member does anything; a member that let the failure escape as an
// exception would end this program.
#include <iterator>
#include <string>
#include <vector>

#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

struct ClassCase {
  const char* label;
  const CLSID* clsid;
};

class MemberFailures : public ComTest, public ::testing::WithParamInterface<ClassCase> {};

VARTYPE variant_type_of(const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR:
      return static_cast<VARTYPE>(VT_BYREF | variant_type_of(*type.lptdesc));
    case VT_SAFEARRAY:
      return static_cast<VARTYPE>(VT_ARRAY | variant_type_of(*type.lptdesc));
    default:
      return type.vt;
  }
}

// The arguments of one call: each parameter's value (zero, empty, a null text or array), passed
// by reference where the parameter is a pointer, except the one at `null_at`, which is null.
class Arguments {
 public:
  Arguments(const FUNCDESC& function, SHORT null_at) : count_(function.cParams) {
    for (SHORT i = 0; i < count_; ++i) {
      values_[i] = VARIANT{};  // VT_EMPTY, every value zero
      passed_[i] = VARIANTARG{};
      VARTYPE type = variant_type_of(function.lprgelemdescParam[i].tdesc);
      types_[i] = type;
      if ((type & VT_BYREF) != 0) {
        V_VT(&passed_[i]) = type;
        V_BYREF(&passed_[i]) = i == null_at ? nullptr : static_cast<void*>(&V_UI1(&values_[i]));
        if (type == (VT_BYREF | VT_VARIANT) && i != null_at) V_BYREF(&passed_[i]) = &values_[i];
      } else {
        V_VT(&passed_[i]) = type;  // a zero value: False, a null text
      }
      pointers_[i] = &passed_[i];
    }
  }
  ~Arguments() {
    for (SHORT i = 0; i < count_; ++i) {
      // Whatever a member may have left in a text or array slot.
      VARTYPE held = static_cast<VARTYPE>(types_[i] & ~VT_BYREF);
      if (held == VT_BSTR) SysFreeString(V_BSTR(&values_[i]));
      if (held == (VT_ARRAY | VT_BSTR) && V_ARRAY(&values_[i]))
        SafeArrayDestroy(V_ARRAY(&values_[i]));
      if (held == VT_VARIANT) VariantClear(&values_[i]);
    }
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  UINT count() const { return static_cast<UINT>(count_); }
  VARTYPE* types() { return types_; }
  VARIANTARG** pointers() { return pointers_; }
  // For Invoke: the arguments without the [out, retval], last first.
  std::vector<VARIANTARG> given_last_first(SHORT without_result) const {
    return std::vector<VARIANTARG>(std::make_reverse_iterator(passed_ + without_result),
                                   std::make_reverse_iterator(passed_));
  }

 private:
  static constexpr SHORT kMost = 8;
  SHORT count_;
  VARIANT values_[kMost];
  VARIANTARG passed_[kMost];
  VARIANTARG* pointers_[kMost];
  VARTYPE types_[kMost];
};

std::string name_of(ITypeInfo* info, MEMBERID member) {
  Bstr name;
  info->GetDocumentation(member, name.put(), nullptr, nullptr, nullptr);
  std::wstring wide = name.text();
  return std::string(wide.begin(), wide.end());
}

// Each member's FUNCDESC with the pointer parameters that may not be left out, by index.
template <class Visit>
void for_each_required_pointer(ITypeInfo* vtable, Visit visit) {
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
  WORD functions = attributes->cFuncs;
  vtable->ReleaseTypeAttr(attributes);
  for (WORD f = 0; f < functions; ++f) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(f, &function), S_OK);
    ASSERT_LE(function->cParams, 8);
    for (SHORT p = 0; p < function->cParams; ++p) {
      const ELEMDESC& parameter = function->lprgelemdescParam[p];
      if (parameter.tdesc.vt != VT_PTR) continue;
      if ((parameter.paramdesc.wParamFlags & PARAMFLAG_FOPT) != 0) continue;
      visit(*function, p);
    }
    vtable->ReleaseFuncDesc(function);
  }
}

void expect_invalid_call_error_info(const std::string& call) {
  ErrorInfo info = take_error_info();
  EXPECT_EQ(info.source, L"Tavrosk") << call;
  EXPECT_EQ(info.description, L"Invalid procedure call or argument") << call;
}

TEST_P(MemberFailures, ANullPointerForAnyParameterIsError5ThroughTheVtable) {
  const ClassCase& c = GetParam();
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> dispatch_side;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatch_side.put()), S_OK);
    ComPtr<ITypeInfo> vtable = vtable_side(dispatch_side.get());
    ASSERT_TRUE(vtable);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    ComPtr<IUnknown> dual;
    HRESULT queried =
        object->QueryInterface(attributes->guid, reinterpret_cast<void**>(dual.put()));
    vtable->ReleaseTypeAttr(attributes);
    ASSERT_EQ(queried, S_OK);
    int calls = 0;
    for_each_required_pointer(vtable.get(), [&](const FUNCDESC& function, SHORT null_at) {
      std::string call = name_of(vtable.get(), function.memid) + " with parameter " +
                         std::to_string(null_at) + " null";
      Arguments arguments(function, null_at);
      VARIANT status;
      VariantInit(&status);
      ASSERT_EQ(DispCallFunc(dual.get(), function.oVft, CC_STDCALL, VT_ERROR, arguments.count(),
                             arguments.types(), arguments.pointers(), &status),
                S_OK)
          << call;
      EXPECT_EQ(V_ERROR(&status), run_time_error(5)) << call;
      expect_invalid_call_error_info(call);
      ++calls;
    });
    EXPECT_GT(calls, 0);
  });
}

TEST_P(MemberFailures, ANullTypedReferenceIsError5ThroughInvoke) {
  const ClassCase& c = GetParam();
  run_in_apartment([&] {
    auto object = create<IDispatch>(*c.clsid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> dispatch_side;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatch_side.put()), S_OK);
    ComPtr<ITypeInfo> vtable = vtable_side(dispatch_side.get());
    ASSERT_TRUE(vtable);
    int calls = 0;
    for_each_required_pointer(vtable.get(), [&](const FUNCDESC& function, SHORT null_at) {
      const SHORT last = static_cast<SHORT>(function.cParams - 1);
      bool has_result =
          (function.lprgelemdescParam[last].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
      if (has_result && null_at == last) return;  // a late-bound caller gives no result slot
      std::string call = name_of(vtable.get(), function.memid) + " with argument " +
                         std::to_string(null_at) + " a null reference";
      Arguments arguments(function, null_at);
      std::vector<VARIANTARG> given =
          arguments.given_last_first(has_result ? last : function.cParams);
      DISPPARAMS params{given.data(), nullptr, static_cast<UINT>(given.size()), 0};
      Variant result;
      EXCEPINFO exception{};
      EXPECT_EQ(object->Invoke(function.memid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                               &params, result.get(), &exception, nullptr),
                DISP_E_EXCEPTION)
          << call;
      EXPECT_EQ(exception.scode, run_time_error(5)) << call;
      Bstr source(exception.bstrSource);
      Bstr description(exception.bstrDescription);
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      EXPECT_EQ(source.text(), L"Tavrosk") << call;
      EXPECT_EQ(description.text(), L"Invalid procedure call or argument") << call;
      ++calls;
    });
    EXPECT_GT(calls, 0);
  });
}

INSTANTIATE_TEST_SUITE_P(AllClasses, MemberFailures,
                         ::testing::Values(ClassCase{"VB_PluginLib", &CLSID_VB_PluginLib},
                                           ClassCase{"PageInfoLib", &CLSID_PageInfoLib},
                                           ClassCase{"ProgInfoLib", &CLSID_ProgInfoLib},
                                           ClassCase{"PlugInToolsLib", &CLSID_PlugInToolsLib}),
                         [](const ::testing::TestParamInfo<ClassCase>& c) {
                           return std::string(c.param.label);
                         });

}  // namespace
}  // namespace tavrosk::testing
