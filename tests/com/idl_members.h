#pragma once
// The members of a dual interface as the IDL that the type library is built from declares
// them, read from tavrosk.idl when a test asks: the expected dispatch ids, slot order and
// parameter names are written once, there.
#include <windows.h>

#include <string>
#include <vector>

namespace tavrosk::testing {

struct IdlMember {
  std::wstring name;
  DISPID id;
  std::vector<std::wstring> parameters;  // without the [out, retval]
};

// The methods of `interface_name` (for example "_VB_PluginLib") in declaration order; empty
// when the IDL has no such interface.
const std::vector<IdlMember>& idl_members(const std::string& interface_name);

}  // namespace tavrosk::testing
