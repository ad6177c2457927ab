#include "com/idl_members.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace tavrosk::testing {
namespace {

// The IDL's text with comments removed and string literals blanked, so that a help text can
// hold no bracket, brace or parenthesis that the reading below would take for syntax.
std::string code_of(const std::string& text) {
  std::string code;
  bool in_string = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (in_string) {
      if (c == '\\' && i + 1 < text.size()) {
        code += "  ";
        ++i;
        continue;
      }
      if (c == '"') in_string = false;
      code += c == '"' ? c : ' ';
    } else if (c == '"') {
      in_string = true;
      code += c;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i < text.size() && text[i] != '\n') ++i;
      code += '\n';
    } else {
      code += c;
    }
  }
  return code;
}

// The parameters between the parentheses that open at `open`, split at the commas outside
// brackets and parentheses.
std::vector<std::string> parameters_at(const std::string& code, std::size_t open) {
  std::vector<std::string> parameters(1);
  int depth = 0;
  for (std::size_t i = open + 1; i < code.size(); ++i) {
    char c = code[i];
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0) {
      parameters.emplace_back();
    } else {
      parameters.back() += c;
    }
  }
  if (parameters.size() == 1 && parameters[0].find_first_not_of(" \t\r\n") == std::string::npos) {
    parameters.clear();
  }
  return parameters;
}

std::wstring wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::vector<IdlMember> members_in(const std::string& body) {
  std::vector<IdlMember> members;
  static const std::regex method(
      R"(\[\s*id\(\s*(0x[0-9a-fA-F]+)\s*\)[^\]]*\]\s*HRESULT\s+(\w+)\s*\()");
  static const std::regex last_name(R"((\w+)\s*$)");
  for (std::sregex_iterator it(body.begin(), body.end(), method), end; it != end; ++it) {
    IdlMember member{wide((*it)[2]), static_cast<DISPID>(std::stoul((*it)[1], nullptr, 16)), {}};
    std::size_t open = static_cast<std::size_t>(it->position(0) + it->length(0)) - 1;
    for (const std::string& parameter : parameters_at(body, open)) {
      std::string attributes = parameter.substr(0, parameter.find(']') + 1);
      if (attributes.find("retval") != std::string::npos) continue;
      std::smatch name;
      if (std::regex_search(parameter, name, last_name)) member.parameters.push_back(wide(name[1]));
    }
    members.push_back(std::move(member));
  }
  return members;
}

std::map<std::string, std::vector<IdlMember>> read_idl() {
  std::ifstream file("Z:" TAVROSK_IDL_FILE);
  std::ostringstream text;
  text << file.rdbuf();
  std::string code = code_of(text.str());
  std::map<std::string, std::vector<IdlMember>> interfaces;
  // Each declaration's head by a pattern, its body by plain search: a pattern over a whole
  // body would recurse once per character, deeper than a thread's stack.
  static const std::regex head(R"(interface\s+(\w+)\s*:\s*IDispatch\s*\{)");
  std::smatch found;
  for (auto from = code.cbegin(); std::regex_search(from, code.cend(), found, head);) {
    auto body = found[0].second;
    auto end = std::find(body, code.cend(), '}');
    interfaces[found[1]] = members_in(std::string(body, end));
    from = end;
  }
  return interfaces;
}

}  // namespace

const std::vector<IdlMember>& idl_members(const std::string& interface_name) {
  static const std::map<std::string, std::vector<IdlMember>> interfaces = read_idl();
  static const std::vector<IdlMember> none;
  auto found = interfaces.find(interface_name);
  return found == interfaces.end() ? none : found->second;
}

}  // namespace tavrosk::testing
