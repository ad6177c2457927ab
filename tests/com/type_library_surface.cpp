#include "com/type_library_surface.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <regex>

#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

std::string narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

std::string guid_text(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return narrow(text);
}

std::string hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", value);
  return text;
}

std::string name_of(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
  Bstr name;
  info->GetDocumentation(member, name.put(), nullptr, nullptr, nullptr);
  return narrow(name.text());
}

std::string type_text(ITypeInfo* info, const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR:
      return type_text(info, *type.lptdesc) + "*";
    case VT_SAFEARRAY:
      return "SAFEARRAY(" + type_text(info, *type.lptdesc) + ")";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> referenced;
      if (FAILED(info->GetRefTypeInfo(type.hreftype, referenced.put()))) return "?";
      return name_of(referenced.get());
    }
    case VT_BSTR:
      return "BSTR";
    case VT_I4:
      return "long";
    case VT_I2:
      return "short";
    case VT_UI1:
      return "unsigned char";
    case VT_BOOL:
      return "VARIANT_BOOL";
    case VT_VARIANT:
      return "VARIANT";
    case VT_DISPATCH:
      return "IDispatch*";
    case VT_UNKNOWN:
      return "IUnknown*";
    case VT_HRESULT:
      return "HRESULT";
    case VT_VOID:
      return "void";
    default:
      return "vt" + std::to_string(type.vt);
  }
}

std::string default_text(const PARAMDESC& parameter) {
  VARIANT text;
  VariantInit(&text);
  std::string result = "?";
  if (parameter.pparamdescex != nullptr &&
      SUCCEEDED(VariantChangeType(&text, &parameter.pparamdescex->varDefaultValue, 0, VT_BSTR))) {
    result = narrow(std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text))));
  }
  VariantClear(&text);
  return result;
}

std::string direction_text(const PARAMDESC& parameter) {
  std::vector<std::string> flags;
  USHORT f = parameter.wParamFlags;
  if (f & PARAMFLAG_FIN) flags.push_back("in");
  if (f & PARAMFLAG_FOUT) flags.push_back("out");
  if (f & PARAMFLAG_FRETVAL) flags.push_back("retval");
  if (f & PARAMFLAG_FOPT) flags.push_back("optional");
  if (f & PARAMFLAG_FHASDEFAULT) flags.push_back("defaultvalue(" + default_text(parameter) + ")");
  std::string text = "[";
  for (size_t i = 0; i < flags.size(); ++i) text += (i ? ", " : "") + flags[i];
  return text + "]";
}

// "  <slot> <dispatch id> <result> <name>(<parameters>)", the slot counted in pointers.
std::string member_line(ITypeInfo* info, const FUNCDESC& function, SHORT pointer_size,
                        std::vector<std::string>* problems) {
  BSTR names[32] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 32, &count);
  std::string name = count > 0 ? narrow(names[0]) : "?";
  std::string line = "  " + std::to_string(function.oVft / pointer_size) + " " +
                     hex(static_cast<unsigned long>(function.memid)) + " " +
                     type_text(info, function.elemdescFunc.tdesc) + " " + name + "(";
  if (function.oVft % pointer_size != 0) {
    problems->push_back(name + ": vtable offset " + std::to_string(function.oVft) +
                        " is no whole number of slots");
  }
  for (SHORT i = 0; i < function.cParams; ++i) {
    const ELEMDESC& parameter = function.lprgelemdescParam[i];
    std::string parameter_name =
        static_cast<UINT>(i + 1) < count ? narrow(names[i + 1]) : std::string("?");
    line += (i ? ", " : "") + direction_text(parameter.paramdesc) + " " +
            type_text(info, parameter.tdesc) + " " + parameter_name;
  }
  for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
  if (function.invkind != INVOKE_FUNC) line += " invkind " + std::to_string(function.invkind);
  return line + ")";
}

// The dispatch side of a dual interface gives every member under the vtable side's id.
void check_dispatch_side(ITypeInfo* vtable, const TYPEATTR& attributes,
                         std::vector<std::string>* problems) {
  HREFTYPE reference = 0;
  ComPtr<ITypeInfo> dispatch;
  if (FAILED(vtable->GetRefTypeOfImplType(-1, &reference)) ||
      FAILED(vtable->GetRefTypeInfo(reference, dispatch.put()))) {
    problems->push_back(name_of(vtable) + ": no dispatch side");
    return;
  }
  for (UINT i = 0; i < attributes.cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(vtable->GetFuncDesc(i, &function))) continue;
    std::wstring name;
    {
      Bstr member_name;
      vtable->GetDocumentation(function->memid, member_name.put(), nullptr, nullptr, nullptr);
      name = member_name.text();
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    MEMBERID id = MEMBERID_NIL;
    if (FAILED(dispatch->GetIDsOfNames(names, 1, &id)) || id != function->memid) {
      problems->push_back(name_of(vtable) + "." + narrow(name) + ": the dispatch side has id " +
                          hex(static_cast<unsigned long>(id)));
    }
    vtable->ReleaseFuncDesc(function);
  }
}

std::string progid_of(const CLSID& clsid) {
  LPOLESTR progid = nullptr;
  if (FAILED(ProgIDFromCLSID(clsid, &progid))) return "(no ProgID registered)";
  std::string text = narrow(progid);
  CoTaskMemFree(progid);
  return text;
}

void describe(ITypeInfo* info, SHORT pointer_size, std::vector<std::string>* lines,
              std::vector<std::string>* problems) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return;
  std::string name = name_of(info);
  if (attributes->typekind == TKIND_COCLASS) {
    std::string line =
        "class " + name + " " + guid_text(attributes->guid) + " " + progid_of(attributes->guid);
    if (attributes->wTypeFlags & TYPEFLAG_FCANCREATE) line += " creatable";
    for (UINT i = 0; i < attributes->cImplTypes; ++i) {
      HREFTYPE reference = 0;
      INT flags = 0;
      ComPtr<ITypeInfo> implemented;
      info->GetRefTypeOfImplType(i, &reference);
      info->GetImplTypeFlags(i, &flags);
      info->GetRefTypeInfo(reference, implemented.put());
      line += std::string((flags & IMPLTYPEFLAG_FDEFAULT) ? " default " : " implements ") +
              (implemented ? name_of(implemented.get()) : "?");
    }
    lines->push_back(line);
  } else if (attributes->typekind == TKIND_DISPATCH || attributes->typekind == TKIND_INTERFACE) {
    // A dual interface appears once, as its vtable side, which has the slots.
    ComPtr<ITypeInfo> vtable;
    HREFTYPE reference = 0;
    if (attributes->typekind == TKIND_DISPATCH &&
        SUCCEEDED(info->GetRefTypeOfImplType(-1, &reference)) &&
        SUCCEEDED(info->GetRefTypeInfo(reference, vtable.put()))) {
      info->ReleaseTypeAttr(attributes);
      describe(vtable.get(), pointer_size, lines, problems);
      return;
    }
    std::string line = "interface " + name + " " + guid_text(attributes->guid);
    if (attributes->cImplTypes > 0 && SUCCEEDED(info->GetRefTypeOfImplType(0, &reference))) {
      ComPtr<ITypeInfo> base;
      info->GetRefTypeInfo(reference, base.put());
      line += " : " + (base ? name_of(base.get()) : std::string("?"));
    }
    if (attributes->wTypeFlags & TYPEFLAG_FDUAL) line += " dual";
    if (attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) line += " oleautomation";
    if (attributes->wTypeFlags & TYPEFLAG_FNONEXTENSIBLE) line += " nonextensible";
    lines->push_back(line);
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
      FUNCDESC* function = nullptr;
      if (FAILED(info->GetFuncDesc(i, &function))) continue;
      lines->push_back(member_line(info, *function, pointer_size, problems));
      info->ReleaseFuncDesc(function);
    }
    if (attributes->wTypeFlags & TYPEFLAG_FDUAL) check_dispatch_side(info, *attributes, problems);
  } else {
    lines->push_back("type " + name + " kind " + std::to_string(attributes->typekind));
  }
  info->ReleaseTypeAttr(attributes);
}

}  // namespace

std::vector<std::string> surface_of(ITypeLib* library, std::vector<std::string>* problems) {
  std::vector<std::string> lines;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return lines;
  Bstr name;
  library->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr);
  lines.push_back("library " + narrow(name.text()) + " " + guid_text(attributes->guid) + " " +
                  std::to_string(attributes->wMajorVerNum) + "." +
                  std::to_string(attributes->wMinorVerNum));
  // The reader gives each slot's offset for this process's pointers, whatever the library's
  // own width.
  const SHORT pointer_size = sizeof(void*);
  library->ReleaseTLibAttr(attributes);
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(library->GetTypeInfo(i, info.put()))) {
      describe(info.get(), pointer_size, &lines, problems);
    }
  }
  return lines;
}

std::vector<std::string> committed_surface() {
  std::ifstream file("Z:" TAVROSK_COM_SURFACE_FILE);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

std::vector<SurfaceMember> committed_members(const std::string& interface_name) {
  static const std::regex member(R"(^  \d+ (0x[0-9a-f]+) \S+ (\w+)\()");
  std::vector<SurfaceMember> members;
  bool inside = false;
  for (const std::string& line : committed_surface()) {
    if (line.rfind("interface ", 0) == 0)
      inside = line.rfind("interface " + interface_name + " ", 0) == 0;
    std::smatch found;
    if (inside && std::regex_search(line, found, member)) {
      std::string name = found[2];
      members.push_back({std::wstring(name.begin(), name.end()),
                         static_cast<DISPID>(std::stoul(found[1], nullptr, 16))});
    }
  }
  return members;
}

}  // namespace tavrosk::testing
