#include "soak/client.h"

#include <cstdio>
#include <string>

namespace tavrosk::soak {
namespace {

template <class Interface>
Interface* create(REFCLSID class_id, const char* name) {
  Interface* object = nullptr;
  HRESULT hr = CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                                reinterpret_cast<void**>(&object));
  if (hr != S_OK) throw SoakFailure(std::string("cannot create ") + name);
  return object;
}

}  // namespace

Objects::Objects() {
  ide = create<_VB_PluginLib>(CLSID_VB_PluginLib, "VB_PluginLib");
  page_info = create<_PageInfoLib>(CLSID_PageInfoLib, "PageInfoLib");
  programmer_info = create<_ProgInfoLib>(CLSID_ProgInfoLib, "ProgInfoLib");
  tools = create<_PlugInToolsLib>(CLSID_PlugInToolsLib, "PlugInToolsLib");
}

Objects::~Objects() {
  tools->Release();
  programmer_info->Release();
  page_info->Release();
  ide->Release();
}

void Client::counted(HRESULT hr, const char* member) {
  ++calls_;
  if (hr != S_OK) {
    char status[16];
    std::snprintf(status, sizeof status, "%08lx", static_cast<unsigned long>(hr));
    throw SoakFailure(std::string(member) + " failed with status 0x" + status);
  }
}

std::vector<std::wstring> strings_of(SAFEARRAY* array) {
  std::vector<std::wstring> result;
  if (array == nullptr) return result;
  LONG low = 0;
  LONG high = -1;
  SafeArrayGetLBound(array, 1, &low);
  SafeArrayGetUBound(array, 1, &high);
  for (LONG i = low; i <= high; ++i) {
    BSTR text = nullptr;
    if (SafeArrayGetElement(array, &i, &text) != S_OK) throw SoakFailure("unreadable element");
    result.emplace_back(text, SysStringLen(text));
    SysFreeString(text);
  }
  return result;
}

}  // namespace tavrosk::soak
