// A Tavrosk plug-in in C++, on both roads of a COM client: early bound through the vtable of
// the interfaces that widl generates from the type library, and late bound through IDispatch
// by member name, as a script does. Register Tavrosk.dll first (regsvr32 Tavrosk.dll).
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>

#include "tavrosk.h"

namespace {

void print_failure(const char* what, HRESULT hr) {
  std::wstring description;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
    BSTR text = nullptr;
    info->GetDescription(&text);
    if (text) description = text;
    SysFreeString(text);
    info->Release();
  }
  std::printf("%s failed: run-time error %ld, %ls\n", what, static_cast<long>(hr & 0xFFFF),
              description.c_str());
}

// Early bound: every member is a method of _VB_PluginLib; parameters go by reference.
void early_bound() {
  _VB_PluginLib* ide = nullptr;
  if (FAILED(CoCreateInstance(CLSID_VB_PluginLib, nullptr, CLSCTX_INPROC_SERVER,
                              IID__VB_PluginLib, reinterpret_cast<void**>(&ide)))) {
    std::printf("Tavrosk.VB_PluginLib is not registered\n");
    return;
  }
  long window = 1312;
  VARIANT_BOOL connected = VARIANT_FALSE;
  ide->Connect(&window, &connected);
  long count = 0;
  if (HRESULT hr = ide->GetPageCount(&count); FAILED(hr)) print_failure("GetPageCount", hr);
  for (long index = 0; index < count; ++index) {
    BSTR page = nullptr;
    VARIANT_BOOL found = VARIANT_FALSE;
    if (SUCCEEDED(ide->GetPageByIndex(&index, &page, &found)) && found) {
      std::printf("page %ld: %ls\n", index, page);
    }
    SysFreeString(page);
  }
  ide->Release();
}

// Late bound: names resolved at run time, arguments in a DISPPARAMS in reverse order.
void late_bound() {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(L"Tavrosk.PlugInToolsLib", &clsid))) return;
  IDispatch* tools = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&tools)))) {
    return;
  }
  LPOLESTR name = const_cast<LPOLESTR>(L"IsKorvexIdeRunning");
  DISPID id = 0;
  tools->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT running;
  VariantInit(&running);
  tools->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &running, nullptr,
                nullptr);
  std::printf("IDE running: %s\n", V_BOOL(&running) ? "yes" : "no");
  tools->Release();
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 1;
  early_bound();
  late_bound();
  CoUninitialize();
  return 0;
}
