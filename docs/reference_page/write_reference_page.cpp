// Writes docs/reference.md from the type library's source: the helpstring of the library, of
// each class and interface and of every member, with each member's signature as VB shows it.
//
//   write_reference_page IDL OUTPUT          writes the page
//   write_reference_page --check IDL PAGE    fails when PAGE differs from what would be written
//
// A member without a helpstring is an error, so that no member goes undocumented.
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Member {
  std::string name;
  std::string signature;
  std::string help;
};

struct Interface {
  std::string help;
  std::vector<Member> members;
};

struct Coclass {
  std::string name;
  std::string help;
  std::string interface_name;
};

struct Library {
  std::string name;
  std::string help;
  std::vector<Coclass> classes;
  std::map<std::string, Interface> interfaces;
};

std::string trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string collapse_spaces(const std::string& text) {
  return std::regex_replace(trim(text), std::regex(R"(\s+)"), " ");
}

std::string helpstring(const std::string& attributes) {
  std::smatch match;
  if (!std::regex_search(attributes, match, std::regex(R"re(helpstring\("([^"]*)"\))re"))) {
    return {};
  }
  return match[1];
}

// Splits a parameter list at the commas outside brackets and parentheses.
std::vector<std::string> split_parameters(const std::string& list) {
  std::vector<std::string> parts;
  std::string current;
  int depth = 0;
  for (char c : list) {
    if (c == '[' || c == '(') ++depth;
    if (c == ']' || c == ')') --depth;
    if (c == ',' && depth == 0) {
      parts.push_back(trim(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!trim(current).empty()) parts.push_back(trim(current));
  return parts;
}

std::string vb_type(const std::string& idl_type) {
  static const std::map<std::string, std::string> kTypes = {
      {"long", "Long"},          {"BSTR", "String"},     {"VARIANT_BOOL", "Boolean"},
      {"unsigned char", "Byte"}, {"VARIANT", "Variant"}, {"SAFEARRAY(BSTR)", "String()"}};
  auto found = kTypes.find(idl_type);
  if (found == kTypes.end()) throw std::runtime_error("no VB type for " + idl_type);
  return found->second;
}

std::string vb_default(const std::string& value, const std::string& type) {
  if (type == "Boolean") return value == "0" ? "False" : "True";
  return value;
}

// "[in, out] long* lLine" -> "lLine As Long"; the [out, retval] becomes the function's type.
std::string signature(const std::string& name, const std::string& parameter_list) {
  std::vector<std::string> shown;
  std::string returns;
  static const std::regex kParameter(R"(^\[([^\]]*)\]\s*(.*?)\s*(\*?)\s*(\w+)$)");
  for (const std::string& parameter : split_parameters(collapse_spaces(parameter_list))) {
    std::smatch match;
    if (!std::regex_match(parameter, match, kParameter)) {
      throw std::runtime_error("cannot read the parameter '" + parameter + "' of " + name);
    }
    std::string attributes = match[1];
    std::string type = vb_type(trim(match[2]));
    bool by_reference = match[3] == "*";
    if (attributes.find("retval") != std::string::npos) {
      returns = " As " + type;
      continue;
    }
    // An array reads "name() As String" in VB.
    std::string array = type.ends_with("()") ? "()" : "";
    if (!array.empty()) type.resize(type.size() - 2);
    std::string text =
        std::string(by_reference ? "" : "ByVal ") + match[4].str() + array + " As " + type;
    std::smatch default_value;
    if (std::regex_search(attributes, default_value, std::regex(R"(defaultvalue\(([^)]*)\))"))) {
      text = "Optional " + text + " = " + vb_default(default_value[1], type);
    } else if (attributes.find("optional") != std::string::npos) {
      text = "Optional " + text;
    }
    shown.push_back(text);
  }
  std::string joined;
  for (const std::string& text : shown) joined += (joined.empty() ? "" : ", ") + text;
  return name + "(" + joined + ")" + returns;
}

struct Declaration {
  std::string kind;  // library, interface or coclass
  std::string name;
  std::string help;
  std::string body;  // a coclass's
};

Library read_library(const std::string& idl) {
  Library library;
  // Declarations with their attribute blocks, and methods, by their place in the source.
  static const std::regex kLibrary(R"(\[([^\]]*)\]\s*library\s+(\w+))");
  static const std::regex kInterface(R"(\[([^\]]*)\]\s*interface\s+(\w+)\s*:)");
  static const std::regex kCoclass(R"(\[([^\]]*)\]\s*coclass\s+(\w+)\s*\{([^}]*)\})");
  static const std::regex kMethod(
      R"re(\[\s*id\((0x[0-9a-fA-F]+)\)\s*(,\s*helpstring\("([^"]*)"\))?\s*\]\s*HRESULT\s+(\w+)\s*\(([^;]*)\)\s*;)re");
  std::map<long, Declaration> declarations;
  for (const auto& [kind, pattern] :
       {std::pair<std::string, const std::regex*>{"library", &kLibrary},
        {"interface", &kInterface},
        {"coclass", &kCoclass}}) {
    for (auto it = std::sregex_iterator(idl.begin(), idl.end(), *pattern);
         it != std::sregex_iterator(); ++it) {
      const std::smatch& match = *it;
      std::string help = helpstring(match[1]);
      if (help.empty())
        throw std::runtime_error("the " + kind + " " + match[2].str() + " has no helpstring");
      declarations[match.position()] = {kind, match[2], help,
                                        kind == "coclass" ? match[3].str() : ""};
    }
  }
  std::map<long, std::smatch> methods;
  for (auto it = std::sregex_iterator(idl.begin(), idl.end(), kMethod);
       it != std::sregex_iterator(); ++it) {
    methods[it->position()] = *it;
  }
  static const std::regex kAnyMethod(R"(HRESULT\s+\w+\s*\()");
  auto declared_methods = static_cast<size_t>(std::distance(
      std::sregex_iterator(idl.begin(), idl.end(), kAnyMethod), std::sregex_iterator()));
  if (declared_methods != methods.size()) {
    throw std::runtime_error("a method without [id(...), helpstring(...)]");
  }

  std::string current_interface;
  auto next_method = methods.begin();
  auto take_methods_before = [&](long position) {
    for (; next_method != methods.end() && next_method->first < position; ++next_method) {
      const std::smatch& method = next_method->second;
      if (current_interface.empty()) throw std::runtime_error("a method outside an interface");
      if (method[3].str().empty()) {
        throw std::runtime_error("the member " + method[4].str() + " has no helpstring");
      }
      library.interfaces[current_interface].members.push_back(
          {method[4], signature(method[4], method[5]), method[3]});
    }
  };
  for (const auto& [position, declaration] : declarations) {
    take_methods_before(position);
    if (declaration.kind == "library") {
      library.name = declaration.name;
      library.help = declaration.help;
    } else if (declaration.kind == "interface") {
      current_interface = declaration.name;
      library.interfaces[declaration.name].help = declaration.help;
    } else {
      std::smatch default_interface;
      if (!std::regex_search(declaration.body, default_interface,
                             std::regex(R"(interface\s+(\w+))"))) {
        throw std::runtime_error("the class " + declaration.name + " names no interface");
      }
      library.classes.push_back({declaration.name, declaration.help, default_interface[1]});
    }
  }
  take_methods_before(static_cast<long>(idl.size()));
  return library;
}

std::string cell(std::string text) {
  return std::regex_replace(text, std::regex(R"(\|)"), "\\|");
}

std::string page(const Library& library) {
  std::ostringstream out;
  size_t member_count = 0;
  for (const auto& [name, interface] : library.interfaces) member_count += interface.members.size();
  out << "# " << library.name << " reference\n\n"
      << "<!-- Written by `make reference` from the helpstrings of src/com/tavrosk.idl, which "
         "VB's\n"
      << "     Object Browser and IntelliSense show too. Edit those, not this page. -->\n\n"
      << library.help << ".\n\n"
      << "The type library `" << library.name << "` has " << library.classes.size()
      << " creatable classes with " << member_count
      << " members.\nParameters are passed by reference unless marked `ByVal`; a failure is a "
         "run-time\n"
      << "error whose `Err.Source` is \"" << library.name << "\".\n\n"
      << "| Class | ProgID | What it is |\n|---|---|---|\n";
  for (const Coclass& coclass : library.classes) {
    std::string anchor = coclass.name;
    for (char& c : anchor) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out << "| [`" << coclass.name << "`](#" << anchor << ") | `" << library.name << "."
        << coclass.name << "` | " << cell(coclass.help) << " |\n";
  }
  for (const Coclass& coclass : library.classes) {
    const Interface& interface = library.interfaces.at(coclass.interface_name);
    out << "\n## " << coclass.name << "\n\n"
        << coclass.help << ". Interface `" << coclass.interface_name << "`: " << interface.help
        << ".\n\n| Member | What it does and gives back |\n|---|---|\n";
    for (const Member& member : interface.members) {
      out << "| `" << cell(member.signature) << "` | " << cell(member.help) << " |\n";
    }
  }
  return out.str();
}

std::optional<std::string> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  bool check = !arguments.empty() && arguments[0] == "--check";
  if (check) arguments.erase(arguments.begin());
  if (arguments.size() != 2) {
    std::cerr << "usage: write_reference_page [--check] IDL PAGE\n";
    return 2;
  }
  std::optional<std::string> idl = read_file(arguments[0]);
  if (!idl) {
    std::cerr << "cannot read " << arguments[0] << "\n";
    return 2;
  }
  std::string written;
  try {
    written = page(read_library(*idl));
  } catch (const std::exception& error) {
    std::cerr << arguments[0] << ": " << error.what() << "\n";
    return 1;
  }
  if (check) {
    if (read_file(arguments[1]) != written) {
      std::cerr << arguments[1] << " is out of date with " << arguments[0]
                << ": run make reference and commit the page\n";
      return 1;
    }
    std::cout << arguments[1] << " is up to date\n";
    return 0;
  }
  std::ofstream(arguments[1], std::ios::binary) << written;
  return 0;
}
