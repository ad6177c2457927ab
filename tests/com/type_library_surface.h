#pragma once
// The COM surface of a built type library as text, a line per item, in the form of the committed
// src/com/com_surface.txt: the library, each class with its ProgID, each interface, and each
// member with its slot, dispatch id, parameter types, directions, defaults and names. And that
// file read back: the members it names, for the tests that call them.
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

namespace tavrosk::testing {

// The surface of `library`; a class's ProgID is read from the registry of this process's width.
// `problems` gets what the text cannot show and a client would trip on (a slot that is no
// whole number of pointers, a dispatch side that disagrees with the vtable side).
std::vector<std::string> surface_of(ITypeLib* library, std::vector<std::string>* problems);

// The committed surface, a line each, comments and blank lines left out.
std::vector<std::string> committed_surface();

struct SurfaceMember {
  std::wstring name;
  DISPID id;
};
// The members of the committed interface `interface_name` ("_VB_PluginLib"), in slot order.
std::vector<SurfaceMember> committed_members(const std::string& interface_name);

}  // namespace tavrosk::testing
